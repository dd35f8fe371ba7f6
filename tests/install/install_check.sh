#!/usr/bin/env bash
# Installs Meshfold as a user (cmake --install) and as a package manager would
# (the .deb of cpack), and checks and runs what was installed.
set -u
: "${BUILD:?build folder}" "${TESTDATA:?path of testdata}" "${CMAKE:?cmake}" "${CPACK:?cpack}"
for tool in man desktop-file-validate dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }
converts() {  # binary, what it is
  rm -f "$work/donut.inc" && cp "$TESTDATA/sample/donut.obj" "$work/"
  (cd "$work" && "$1" donut.obj </dev/null >"$work/out" 2>&1) || fail "$2: exit code $?"
  grep -qx '1600  faces' "$work/out" || fail "$2 said: $(cat "$work/out")"
  [ "$(grep -c '^   smooth_triangle {' "$work/donut.inc")" = 1600 ] || fail "$2: not 1600 triangles"
}

prefix="$work/prefix"
"$CMAKE" --install "$BUILD" --prefix "$prefix" >/dev/null || fail "cmake --install"
ls "$prefix"/share/doc/meshfold/{README.md,LICENSE} >/dev/null || fail "README or LICENSE not installed"
converts "$prefix/bin/meshfold" "installed binary"

# The man page renders cleanly and names every option that --help lists.
page=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/meshfold.1" 2>"$work/warnings")
[ ! -s "$work/warnings" ] || fail "man page warnings: $(cat "$work/warnings")"
for option in $("$prefix/bin/meshfold" --help | grep -o '^  --[a-z0-9]*' | sort -u); do
  grep -qE "^ *$option( |=|$)" <<<"$page" || fail "man page lacks $option"
done

entry="$prefix/share/applications/meshfold.desktop"
report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] || fail "desktop entry: $report"
grep -qx 'MimeType=model/obj;' "$entry" || fail "desktop entry opens no OBJ files"
# Opened from the entry, the outcome goes to a message box: a fake zenity records it.
mkdir "$work/fake" && printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/box"\n' "$work" >"$work/fake/zenity"
chmod +x "$work/fake/zenity"
launch() {  # the group of the entry whose command runs, what the message box must hold
  read -r -a words <<<"$(sed -n "/^\[$1\]/,/^\[/s/^Exec=//p" "$entry")"
  (cd "$work" && DISPLAY=:0 PATH="$work/fake:$prefix/bin:$PATH" "${words[@]/\%F/donut.obj}" &>"$work/out") ||
    fail "exit code $? from the command of $1"
  [[ $(cat "$work/box") == --info*"$2"* && ! -s "$work/out" ]] || fail "$1: no message box: $(cat "$work/out")"
}
launch "Desktop Entry" "1600  faces"
[ ! -e "$work/donut.pov" ] || fail "the entry's own command wrote a scene"
launch "Desktop Action scene" "1600  faces"$'\n'"donut.pov created"
grep -q 'donut\.inc' "$work/donut.pov" && grep -q "^mesh2 {" "$work/donut.inc" ||
  fail "the scene action wrote no mesh2 and scene"

"$CPACK" -G DEB --config "$BUILD/CPackConfig.cmake" -B "$work/deb" >/dev/null || fail "cpack -G DEB"
deb=$(ls "$work"/deb/meshfold_*_"$(dpkg --print-architecture)".deb)
for file in usr/bin/meshfold usr/share/man/man1/meshfold.1 usr/share/applications/meshfold.desktop; do
  dpkg-deb -c "$deb" | grep -q " \./$file\$" || fail "not in the package: $file"
done
dpkg-deb -x "$deb" "$work/root" && converts "$work/root/usr/bin/meshfold" "packaged binary"
exit "$failed"
