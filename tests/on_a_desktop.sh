#!/usr/bin/env bash
# The window tests under openbox on Xvfb, which frames the window: on a 1366 by 768 screen at
# 150 % and an 800 by 600 screen at 100 %, and the window's size on a 1920 by 1080 screen at the
# scalings, font resolution and styles people use, and on one that holds it only without its
# frame; then screens too small for it with no window manager. Then the program's own start where
# the session's Wayland compositor is gone and X11 answers, and where X11 cannot be reached and a
# headless Weston, which has no keyboard, answers: the window opens, a first warning moves the
# focus, an input method the user chose stands, and nothing is said.
# Usage: on_a_desktop.sh WINDOW-TESTS WINDOW-OPENS
set -uo pipefail
tests=$1
window_opens=$2
scratch=$(mktemp -d)
source "$(dirname "$0")/../scripts/xvfb.sh"
weston=
trap 'xvfb_stop; [ -z "$weston" ] || { kill "$weston" && wait "$weston"; } 2>/dev/null; rm -rf "$scratch"' EXIT
# D-Bus, which the toolkit uses on X11, and the toolkit's Wayland plugin leave memory at exit; a
# sanitizer build must not report it as the program's, nor say what it left out.
printf 'leak:libdbus-1.so\nleak:libQt6Wayland\n' >"$scratch/leaks"
export LSAN_OPTIONS="suppressions=$scratch/leaks:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
export XDG_RUNTIME_DIR=$scratch
failures=()

# desktop SIZE: a virtual display of that size with openbox on it, in DISPLAY.
desktop() {
  xvfb_start_desktop "$1" || failures+=("no openbox on a $1 screen")
}

# on_x11 NAME SETTINGS... [-- ARGUMENTS...]: the window tests with these settings and arguments.
on_x11() {
  local name=$1 settings=() arguments=()
  shift
  while [ $# -gt 0 ] && [ "$1" != -- ]; do settings+=("$1") && shift; done
  [ $# -gt 0 ] && shift && arguments=("$@")
  env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE QT_QPA_PLATFORM=xcb "${settings[@]}" "$tests" \
    "${arguments[@]}" || failures+=("window tests $name")
}

desktop 1366x768
on_x11 "on 1366x768 at 1.5x" QT_SCALE_FACTOR=1.5
desktop 800x600
on_x11 "on 800x600 at 1x" QT_SCALE_FACTOR=1
# Screens that hold the whole window, under the settings people use: no scroll bar may show.
# Under Adwaita, whose style does not give the menu bar the Alt key, the keys reach the menus.
desktop 1920x1080
whole=--gtest_filter=FirstPositionAtEachScale.*
on_x11 "on 1920x1080 at 1.5x" QT_SCALE_FACTOR=1.5 -- "$whole"
on_x11 "on 1920x1080 under Windows" QT_SCALE_FACTOR=1 -- "$whole" -style Windows
on_x11 "on 1920x1080 at 144 dpi" QT_FONT_DPI=144 -- "$whole"
on_x11 "on 1920x1080 at 1.5x under Adwaita" QT_SCALE_FACTOR=1.5 QT_STYLE_OVERRIDE=Adwaita -- \
  "$whole:Keyboard.MenuBar*"
# A screen with room for the client area (540 pixels high at 100 %) but not for the title bar
# above it: the window opens maximised rather than with its title bar off the screen.
desktop 800x560
on_x11 "on 800x560 at 1x" QT_SCALE_FACTOR=1 -- "$whole"
# With no window manager (a kiosk, a bare X session), a screen too small for the window.
for bare in "1366x768 1.5" "1920x1080 2" "1366x768 1.75"; do
  xvfb_start "${bare% *}" && on_x11 "on a bare $bare" QT_SCALE_FACTOR="${bare#* }" -- "$whole"
done

# quiet NAME SETTINGS...: with these settings the program's start opens its window, quietly.
quiet() {
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "${@:2}" timeout 60 "$window_opens" \
    >"$scratch/said" 2>&1 && [ ! -s "$scratch/said" ] || failures+=("$1: $(cat "$scratch/said")")
}
weston --backend=headless-backend.so --socket=wayland-up --idle-time=0 >/dev/null 2>&1 &
weston=$!
until_true 20 test -S "$scratch/wayland-up"
quiet wayland-gone-x11-up XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=gone
# A screen the X server does not have: X11 cannot be reached there.
quiet x11-gone-wayland-up QT_QPA_PLATFORM="xcb;wayland" DISPLAY="$DISPLAY.9" WAYLAND_DISPLAY=wayland-up
# There too, an input method the user chose is kept.
quiet own-input-method QT_QPA_PLATFORM="xcb;wayland" DISPLAY="$DISPLAY.9" WAYLAND_DISPLAY=wayland-up \
  QT_IM_MODULE=ibus

printf 'FAIL: %s\n' "${failures[@]}" | grep -v '^FAIL: $'
[ "${#failures[@]}" -eq 0 ] && echo "The window under openbox and the fallbacks between Wayland and X11 as expected"
