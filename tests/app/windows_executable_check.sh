#!/usr/bin/env bash
# Checks that meshfold.exe is one self-contained Windows GUI program for
# x86-64 that carries its manifest: what lets a user copy the single file to a
# bare Windows and double-click it without a console window.
set -u
: "${MESHFOLD:?meshfold.exe}" "${OBJDUMP:?objdump for PE files}"
headers=$("$OBJDUMP" -p "$MESHFOLD") || { echo "FAILED: $OBJDUMP cannot read $MESHFOLD"; exit 1; }
passed=0
failed=0

expect() {  # name, extended regular expression the headers must match
  if grep -Eq "$2" <<<"$headers"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $1 (no line matches '$2')"
  fi
}

expect "x86-64 PE32+ image" "file format pei-x86-64"
expect "GUI subsystem, no console" "^Subsystem[[:space:]]+00000002"
expect "a manifest resource (type 24)" "Entry: ID: 0x000018"
expect "resource id 1" "^[0-9a-f]+ +Entry: ID: 0x000001,"
expect "resource language 1033" "Entry: ID: 0x000409"

# Only DLLs every Windows has: the C++ runtime and threads are linked in.
dlls=$(grep -E "DLL Name:" <<<"$headers" | awk '{print tolower($3)}' | sort -u | tr '\n' ' ')
unexpected=$(tr ' ' '\n' <<<"$dlls" | grep -Ev '^(kernel32|user32|comdlg32|comctl32|ole32|msvcrt|advapi32|shell32|gdi32)\.dll$' | grep -v '^$')
if [ -z "$unexpected" ]; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  echo "FAILED: needs DLLs a bare Windows lacks: $unexpected (all: $dlls)"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
