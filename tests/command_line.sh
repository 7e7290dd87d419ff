#!/usr/bin/env bash
# Runs the program with no display at all: --version and --help answer and end with status 0;
# without an option, with the toolkit's own, with an X display or a Wayland compositor that
# cannot be reached and with a platform the toolkit cannot start, the program says in one line
# why no window opens and what to do, and ends with status 1 rather than an abort.
# Usage: command_line.sh PATH-TO-PROGRAM VERSION
set -euo pipefail
program=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A display number that no X server listens on.
unused=99
while [ -e "/tmp/.X11-unix/X$unused" ] || [ -e "/tmp/.X$unused-lock" ]; do
  unused=$((unused + 1))
done

# run NAME SETTINGS ARGUMENT...: the program without any display or chosen platform, save for
# the environment SETTINGS (VARIABLE=value, separated by blanks); its status, output and errors
# go to $scratch/NAME.*
run() {
  local name=$1 settings=$2 status=0
  shift 2
  # shellcheck disable=SC2086  # one word per setting
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
    XDG_RUNTIME_DIR="$scratch" $settings \
    timeout 30 "$program" "$@" >"$scratch/$name.out" 2>"$scratch/$name.err" || status=$?
  echo "$status" >"$scratch/$name.status"
}

expect() {
  local name=$1 status=$2 stream=$3 pattern=$4
  [ "$(cat "$scratch/$name.status")" = "$status" ] ||
    fail "$name: status $(cat "$scratch/$name.status"), expected $status"
  [ "$(wc -l <"$scratch/$name.$stream")" -ge 1 ] || fail "$name: nothing on $stream"
  grep -q -E -- "$pattern" "$scratch/$name.$stream" ||
    fail "$name: $stream does not match '$pattern': $(cat "$scratch/$name.$stream")"
}

run version "" --version
expect version 0 out "^corvandel $version\$"
[ "$(cat "$scratch/version.out")" = "corvandel $version" ] ||
  fail "version: not the one line corvandel $version"

run help "" --help
expect help 0 out '^Usage: .*corvandel \[options\]$'
expect help 0 out '^ +-v, --version'
expect help 0 out 'xvfb-run corvandel'

# NAME|SETTINGS|ARGUMENTS|what the line says. The toolkit's own options are no bundles of the
# program's one-letter ones (-reverse holds a -v, -stylesheet an -h): they are left to it.
cases=(
  "no-display|||no display is set"
  "unreachable|DISPLAY=:$unused||the display :$unused cannot be reached"
  "no-compositor|QT_QPA_PLATFORM=wayland||no Wayland compositor answers at wayland-0"
  "wayland-session|XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=gone||no Wayland compositor answers at gone, and no display is set"
  "reverse||-reverse|no display is set"
  "stylesheet||-stylesheet x|no display is set"
  "unknown-platform|QT_QPA_PLATFORM=bogus||the platform bogus is unknown"
)
for case in "${cases[@]}"; do
  IFS='|' read -r name settings arguments cause <<<"$case"
  # shellcheck disable=SC2086  # one word per argument
  run "$name" "$settings" $arguments
  expect "$name" 1 err '^corvandel: cannot open its window: .*xvfb-run corvandel$'
  [ "$(wc -l <"$scratch/$name.err")" -eq 1 ] ||
    fail "$name: more than one line: $(cat "$scratch/$name.err")"
  [ ! -s "$scratch/$name.out" ] || fail "$name: printed on standard output"
  grep -qF "$cause" "$scratch/$name.err" || fail "$name: the cause is not named: $(cat "$scratch/$name.err")"
done

[ "$failures" -eq 0 ] || exit 1
echo "--version, --help and the missing displays answered as expected"
