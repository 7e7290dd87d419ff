# Sourced by the window tests under a window manager and by the scripts that look at or time the
# window: a virtual X display, with or without openbox framing its windows. The sourcing script
# calls xvfb_stop when it ends (an EXIT trap). Needs xvfb, and openbox and x11-utils for a desktop.

xvfb_processes=()

# until_true SECONDS COMMAND...: runs the command every tenth of a second until it succeeds.
until_true() {
  local tries=$(($1 * 10))
  shift
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# xvfb_start SIZE: a virtual display of that size (say 1366x768), in DISPLAY, once Xvfb names it.
xvfb_start() {
  local named
  named=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$named" >/dev/null 2>&1 &
  xvfb_processes+=($!)
  until_true 20 test -s "$named" && DISPLAY=":$(cat "$named")"
  local status=$?
  rm -f "$named"
  export DISPLAY
  return $status
}

# openbox_ended PID: the window manager has ended; it may stay, a zombie, until waited for.
openbox_ended() {
  local state
  state=$(ps -o stat= -p "$1") || return 0
  [[ $state == Z* ]]
}

# openbox_settled PID: the window manager lists what it supports, or has ended.
openbox_settled() {
  bash -c "xprop -root _NET_SUPPORTED | grep -q _NET_REQUEST_FRAME_EXTENTS" || openbox_ended "$1"
}

# xvfb_start_desktop SIZE: the same with openbox on it, once it lists what it supports. Where
# openbox ends at once, unable to open the display (a server of another program took the
# number), a new display is started, three times at most.
xvfb_start_desktop() {
  local xvfb openbox
  for _ in 1 2 3; do
    xvfb_start "$1" || continue
    xvfb=${xvfb_processes[-1]}
    openbox >/dev/null 2>&1 &
    openbox=$!
    xvfb_processes+=("$openbox")
    until_true 20 openbox_settled "$openbox" || true
    openbox_ended "$openbox" || return 0
    { kill "$xvfb" && wait "$xvfb"; } 2>/dev/null || true
  done
  return 1
}

# xvfb_stop: ends every display and window manager started, and waits for each, so that the next
# display finds its number free.
xvfb_stop() {
  local process
  for process in "${xvfb_processes[@]}"; do
    { kill "$process" && wait "$process"; } 2>/dev/null || true
  done
  xvfb_processes=()
}
