#!/usr/bin/env bash
# The window tests under openbox on Xvfb, which frames the window: on a 1366 by 768 screen at
# 150 % and an 800 by 600 screen at 100 %. Then the program's own start where the session's
# Wayland compositor is gone and X11 answers, and where X11 cannot be reached and a headless
# Weston answers: the window opens and nothing is said.
# Usage: on_a_desktop.sh WINDOW-TESTS WINDOW-OPENS
set -uo pipefail
tests=$1
window_opens=$2
scratch=$(mktemp -d)
servers=()
# The servers are waited for, so that the next run finds their display numbers free.
trap 'for pid in "${servers[@]}"; do kill "$pid" && wait "$pid"; done 2>/dev/null; rm -rf "$scratch"' EXIT
# D-Bus, which the toolkit uses on X11, and the toolkit's Wayland plugin leave memory at exit; a
# sanitizer build must not report it as the program's, nor say what it left out.
printf 'leak:libdbus-1.so\nleak:libQt6Wayland\n' >"$scratch/leaks"
export LSAN_OPTIONS="suppressions=$scratch/leaks:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
export XDG_RUNTIME_DIR=$scratch
failures=()

# until_true COMMAND...: runs the command every tenth of a second until it succeeds, 20 s at most.
until_true() {
  for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0 || sleep 0.1; done
  return 1
}

for screen in "1366x768 1.5" "800x600 1"; do
  read -r size scale <<<"$screen"
  # Xvfb names the display it picked once it is ready; openbox is once it lists what it supports.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$scratch/$size" >/dev/null 2>&1 &
  servers+=($!)
  until_true test -s "$scratch/$size"
  export DISPLAY=":$(cat "$scratch/$size")"
  openbox >/dev/null 2>&1 &
  servers+=($!)
  until_true bash -c "xprop -root _NET_SUPPORTED | grep -q _NET_REQUEST_FRAME_EXTENTS"
  env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" "$tests" ||
    failures+=("window tests on $size at ${scale}x")
done

# quiet NAME SETTINGS...: with these settings the program's start opens its window, quietly.
quiet() {
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "${@:2}" timeout 60 "$window_opens" \
    >"$scratch/said" 2>&1 && [ ! -s "$scratch/said" ] || failures+=("$1: $(cat "$scratch/said")")
}
weston --backend=headless-backend.so --socket=wayland-up --idle-time=0 >/dev/null 2>&1 &
servers+=($!)
until_true test -S "$scratch/wayland-up"
quiet wayland-gone-x11-up XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=gone
# A screen the X server does not have: X11 cannot be reached there.
quiet x11-gone-wayland-up QT_QPA_PLATFORM="xcb;wayland" DISPLAY="$DISPLAY.9" WAYLAND_DISPLAY=wayland-up

printf 'FAIL: %s\n' "${failures[@]}" | grep -v '^FAIL: $'
[ "${#failures[@]}" -eq 0 ] && echo "The window under openbox and the fallbacks between Wayland and X11 as expected"
