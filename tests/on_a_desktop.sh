#!/usr/bin/env bash
# The window under a real window manager, openbox on Xvfb, where the window gets a frame: on a
# 1366 by 768 screen at 150 % and on an 800 by 600 screen at 100 %, the window tests run on the
# X11 platform (the frame's place, every control in view, legible results, each desktop style).
# Then the program's own start where the session names a Wayland compositor that is gone and X11
# answers, and the reverse with a headless Weston: it opens its window and says nothing.
# Usage: on_a_desktop.sh WINDOW-TESTS WINDOW-OPENS
set -euo pipefail
tests=$1
window_opens=$2
scratch=$(mktemp -d)
servers=()
# The servers are waited for, so that the next run finds their display numbers free.
cleanup() {
  local pid
  for pid in "${servers[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT
# On X11 the toolkit talks to D-Bus, whose library keeps a buffer to the end, and the toolkit's
# Wayland plugin leaves its compositor objects: in a sanitizer build those would be reported as
# leaks that are not the program's. The report of what was left out would break the silence the
# fallbacks are checked for.
printf 'leak:libdbus-1.so\nleak:libQt6Wayland\n' >"$scratch/leaks"
export LSAN_OPTIONS="suppressions=$scratch/leaks:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# Whole call stacks, so that the toolkit's own frames are there to be recognised.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# until SECONDS COMMAND...: runs the command every tenth of a second until it succeeds, for at
# most the given time.
until_true() {
  local tries=$(($1 * 10))
  shift
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# A display number that no X server listens on.
unused_display() {
  local number=90
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
  done
  echo "$number"
}

# desktop SIZE: starts Xvfb with a screen of that size, on a display number it picks itself and
# names once it is ready, and openbox on it; sets `display` to it. Not in a subshell: the servers
# it starts are stopped at the end.
desktop() {
  local number_file="$scratch/display-$1"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$number_file" >"$scratch/xvfb-$1.log" 2>&1 &
  servers+=($!)
  until_true 20 test -s "$number_file" || { echo "Xvfb did not start" >&2; return 1; }
  display=":$(cat "$number_file")"
  DISPLAY=$display openbox >"$scratch/openbox-$1.log" 2>&1 &
  servers+=($!)
  # Ready once it lists what it supports, the frame announced before a window is shown among it.
  until_true 20 bash -c "DISPLAY=$display xprop -root _NET_SUPPORTED | grep -q _NET_REQUEST_FRAME_EXTENTS" ||
    { echo "openbox did not start: $(cat "$scratch/openbox-$1.log")" >&2; return 1; }
}

for screen in "1366x768 1.5" "800x600 1"; do
  read -r size scale <<<"$screen"
  desktop "$size"
  echo "== $size at ${scale}x under openbox"
  env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE DISPLAY="$display" QT_QPA_PLATFORM=xcb \
    QT_SCALE_FACTOR="$scale" XDG_RUNTIME_DIR="$scratch" "$tests" || fail "window tests on $size at ${scale}x"
done

# quiet NAME SETTINGS...: the program's start with these settings opens its window, quietly.
quiet() {
  local name=$1 status=0
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
    XDG_RUNTIME_DIR="$scratch" "$@" timeout 60 "$window_opens" >"$scratch/$name.out" 2>&1 || status=$?
  [ "$status" -eq 0 ] || fail "$name: status $status: $(cat "$scratch/$name.out")"
  [ ! -s "$scratch/$name.out" ] || fail "$name: said $(cat "$scratch/$name.out")"
}

quiet "wayland-gone-x11-up" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=gone DISPLAY="$display"

XDG_RUNTIME_DIR="$scratch" weston --backend=headless-backend.so --socket=corvandel-test \
  --idle-time=0 >"$scratch/weston.log" 2>&1 &
servers+=($!)
until_true 20 test -S "$scratch/corvandel-test" || fail "weston did not start"
quiet "x11-gone-wayland-up" QT_QPA_PLATFORM="xcb;wayland" DISPLAY=":$(unused_display)" \
  WAYLAND_DISPLAY=corvandel-test

[ "$failures" -eq 0 ] || exit 1
echo "The window under openbox and the quiet fallbacks between Wayland and X11 as expected"
