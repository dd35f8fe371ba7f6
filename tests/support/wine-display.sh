#!/usr/bin/env bash
# Gives the Windows tests under wine an X server of their own:
#   wine-display.sh start PREFIX   starts Xvfb on a free display, unless DISPLAY is set
#   wine-display.sh stop PREFIX    ends wine in PREFIX and that Xvfb
# wine-run.sh finds the display in PREFIX.display. Without Xvfb the tests that
# need windows skip themselves; starting never fails the run.
set -u
action=$1
prefix=$2
state=$prefix.display
pidfile=$prefix.xvfb-pid

stop() {
  if [ -d "$prefix" ]; then
    WINEPREFIX=$prefix timeout -k 5 20 wineserver -k >/dev/null 2>&1
  fi
  if [ -s "$pidfile" ]; then
    kill "$(cat "$pidfile")" 2>/dev/null
  fi
  rm -f "$state" "$pidfile"
}

# One wine session for all the tests, started here with its output going
# nowhere: the helper processes wine leaves running would otherwise hold the
# output pipe of the first test, and ctest would wait for them. It ends a
# minute after its last program, should the stop step never run.
start_session() {
  local run
  run="$(dirname "$0")/wine-run.sh"
  # The first start makes the prefix; its short-lived session is let go first.
  bash "$run" "$prefix" cmd.exe /c exit </dev/null >/dev/null 2>&1
  WINEPREFIX=$prefix timeout -k 5 30 wineserver -w
  WINEPREFIX=$prefix setsid wineserver -p60 </dev/null >/dev/null 2>&1
  bash "$run" "$prefix" cmd.exe /c exit </dev/null >/dev/null 2>&1
  echo "wine session ready in $prefix"
}

start() {
  stop
  start_x
  start_session
}

start_x() {
  if [ -n "${DISPLAY:-}" ]; then
    echo "using the X server at DISPLAY=$DISPLAY"
    return 0
  fi
  if ! command -v Xvfb >/dev/null 2>&1; then
    echo "no Xvfb: the tests that need windows will skip"
    return 0
  fi
  mkdir -p "$(dirname "$prefix")"
  local numberfile
  numberfile=$(mktemp)
  # -terminate 60: should the stop step never run, the server ends a minute
  # after its last client, the wine session.
  setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 -terminate 60 \
    3>"$numberfile" </dev/null >/dev/null 2>&1 &
  echo $! >"$pidfile"
  for _ in $(seq 100); do
    [ -s "$numberfile" ] && break
    sleep 0.1
  done
  if [ -s "$numberfile" ]; then
    echo ":$(tr -d '[:space:]' <"$numberfile")" >"$state"
    echo "Xvfb started at $(cat "$state")"
  else
    echo "Xvfb did not start within 10 s: the tests that need windows will skip"
    stop
  fi
  rm -f "$numberfile"
}

case $action in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop PREFIX" >&2; exit 2 ;;
esac
