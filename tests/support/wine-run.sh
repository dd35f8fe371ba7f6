#!/usr/bin/env bash
# Runs one Windows program under wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The private prefix is made on first use (a minute or so) and reused after. When no DISPLAY
# is set, the one wine-display.sh left in PREFIX.display is used. Every wait has a time limit.
set -u
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -z "${DISPLAY:-}" ] && [ -s "$prefix.display" ] && DISPLAY=$(cat "$prefix.display") && export DISPLAY
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock -w 600 9 || { echo "wine-run: gave up waiting for $prefix.lock" >&2; exit 1; }
if [ ! -e "$prefix/.meshfold-ready" ]; then
  echo "wine-run: making the wine prefix $prefix (once)" >&2
  rm -rf "$prefix"  # what an interrupted first start left
  timeout -k 10 600 wineboot -i >/dev/null 2>&1
  timeout -k 10 120 wineserver -w
  touch "$prefix/.meshfold-ready"
fi
# Unlocked by hand, as the wine processes started here keep the descriptor.
flock -u 9
exec 9>&-
# Windows programs end their lines with CR LF; the tools that read this output
# (ctest's test discovery among them) expect LF.
set -o pipefail
timeout -k 10 "${MESHFOLD_WINE_TIMEOUT:-600}" wine "$@" | tr -d '\r'
