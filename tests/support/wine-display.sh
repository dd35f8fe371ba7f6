#!/usr/bin/env bash
# Gives the Windows tests under wine one wine session, on an X server of its own unless DISPLAY is set:
#   wine-display.sh start PREFIX   starts the session (making the prefix on first use)
#   wine-display.sh stop PREFIX    ends it, and its X server
# The session starts here with its output going nowhere: the helper processes wine leaves running
# would otherwise hold the output pipe of the first test, and ctest would wait for them. Should the
# stop step never run, it ends a minute after its last program, and the X server with it.
# wine-run.sh finds the display in PREFIX.display. Without an X server the tests that need windows
# skip themselves; starting never fails the run.
set -u
action=$1
prefix=$2
run="$(dirname "$0")/wine-run.sh"

stop() {
  [ -d "$prefix" ] && WINEPREFIX=$prefix timeout -k 5 20 wineserver -k >/dev/null 2>&1
  # Once wine has gone, xvfb-run ends its X server and tidies up; whatever is left after 10 s is killed.
  [ -s "$prefix.pid" ] && timeout 10 tail --pid="$(cat "$prefix.pid")" -f /dev/null
  [ -s "$prefix.pid" ] && kill -- -"$(cat "$prefix.pid")" 2>/dev/null
  rm -f "$prefix.display" "$prefix.pid"
}

# Starts the session in the background, under "$@" (xvfb-run, or nothing); false when it dies first.
launch() {
  setsid "$@" bash "$0" session "$prefix" </dev/null >/dev/null 2>&1 &
  echo $! >"$prefix.pid"
  for _ in $(seq 840); do
    [ -e "$prefix.display" ] && return 0
    kill -0 "$(cat "$prefix.pid")" 2>/dev/null || return 1
    sleep 1
  done
}

case $action in
  session)
    # The first start makes the prefix; its short-lived server is let go before the lasting one starts.
    bash "$run" "$prefix" cmd.exe /c exit
    WINEPREFIX=$prefix timeout -k 5 30 wineserver -w
    WINEPREFIX=$prefix wineserver -f -p60 &
    bash "$run" "$prefix" cmd.exe /c exit
    printf '%s' "${DISPLAY:-}" >"$prefix.display"
    wait ;;
  start)
    stop
    mkdir -p "$(dirname "$prefix")"
    # -ac: the tests' programs connect without xvfb-run's cookie.
    xvfb=(xvfb-run -a -s "-ac -screen 0 1280x1024x24")
    [ -n "${DISPLAY:-}" ] && xvfb=()
    launch "${xvfb[@]}" || { stop; launch; }
    echo "wine session in $prefix, X server: $(cat "$prefix.display" 2>/dev/null)" ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop PREFIX" >&2; exit 2 ;;
esac
