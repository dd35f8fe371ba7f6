#!/usr/bin/env bash
# Runs one Windows program under wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The private prefix is made on first use (a minute or so) and reused after.
# When no DISPLAY is set, the X server that wine-display.sh started for this
# prefix is used, if there is one. Every wait here has a time limit.
set -u
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${DISPLAY:-}" ] && [ -s "$prefix.display" ]; then
  DISPLAY=$(cat "$prefix.display")
  export DISPLAY
fi

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
if ! flock -w 600 9; then
  echo "wine-run: gave up waiting for $prefix.lock" >&2
  exit 1
fi
if [ ! -e "$prefix/.meshfold-ready" ]; then
  echo "wine-run: making the wine prefix $prefix (once)" >&2
  rm -rf "$prefix"  # what an interrupted first start left
  timeout -k 10 600 wineboot -i >/dev/null 2>&1
  timeout -k 10 120 wineserver -w
  touch "$prefix/.meshfold-ready"
fi
flock -u 9
exec 9>&-

# Windows programs end their lines with CR LF; the tools that read this output
# (ctest's test discovery among them) expect LF.
set -o pipefail
timeout -k 10 "${MESHFOLD_WINE_TIMEOUT:-600}" wine "$@" | tr -d '\r'
