#!/bin/bash
# Prints the words the installed POV-Ray refuses as names, sorted: the source
# of the reserved-word table in converter/writers/IdentifierName.cpp. The
# candidates are every name-like tail of the strings in the povray binary (the
# linker merges a keyword into the end of a longer one); each is tried with
# "#declare".
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
strings -n 1 "$(command -v povray)" | grep -oE '[A-Za-z_][A-Za-z0-9_]*' | sort -u |
  awk '{ for (i = 1; i <= length($0); i++) { s = substr($0, i); if (s ~ /^[A-Za-z_]/ && length(s) <= 40) print s } }' |
  sort -u | split -n r/64 - "$work/chunk."
try() {  # declares every word left in $1; each refused one goes to $1.refused
  local words=$1 line
  while :; do
    awk '{ print "#declare " $0 " = 1;" }' "$words" >"$words.pov"
    line=$(HOME=$work povray "+I$words.pov" -D +W1 +H1 -O- 2>&1 | sed -n "s/^File '.*' line \([0-9]*\): Parse Error: .*/\1/p")
    [ -n "$line" ] || return 0
    sed -n "${line}p" "$words" >>"$words.refused"
    sed -i "${line}d" "$words"
  done
}
export -f try
export work
# A POV-Ray run spends most of its half second waiting, not computing: many run at once.
ls "$work"/chunk.?? | xargs -P 64 -I{} bash -c 'try {}'
cat "$work"/*.refused | LC_ALL=C sort -u
