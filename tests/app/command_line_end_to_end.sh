#!/usr/bin/env bash
# Runs the real binary with files on its command line, as a shell user or a
# build script would: summaries on standard output, failures on standard
# error, the exit code telling whether every file converted.
set -u
: "${MESHFOLD:?path of the meshfold binary}" "${TESTDATA:?path of testdata}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/check.sh
source "$(dirname "$0")/../support/check.sh"

# Runs meshfold in the work folder with a line ready on standard input, which
# it must not read: no dialog is shown for files given on the command line.
run() {  # arguments...
  (cd "$work" && printf '%s\n' "$work/stdin-was-read.obj" | "$MESHFOLD" "$@" >"$work/out" 2>"$work/err")
  echo $? >"$work/exit"
}
exit_code() { cat "$work/exit"; }
out() { cat "$work/out"; }
err() { cat "$work/err"; }

cp "$TESTDATA/meshes/tri.obj" "$TESTDATA/meshes/cube.obj" "$TESTDATA/meshes/mac.obj" "$work/"
mkdir "$work/sub"
cp "$TESTDATA/meshes/tri.obj" "$work/sub/"

# Several files, relative and absolute, each in turn.
run tri.obj "$work/cube.obj" sub/tri.obj
check "exit code when all converted" 0 "$(exit_code)"
check "one summary per file, in order" "tri.inc created 
3  vertexs
1  vertex normals
1  faces
cube.inc created 
8  vertexs
6  vertex normals
12  faces
tri.inc created 
3  vertexs
1  vertex normals
1  faces" "$(out)"
check "nothing on standard error" "" "$(err)"
for inc in tri cube; do
  check "$inc.inc bytes" "$(od -c "$TESTDATA/meshes/$inc.inc")" "$(od -c "$work/$inc.inc")"
done
check "include file beside its mesh in a sub-folder" "$(od -c "$TESTDATA/meshes/tri.inc")" \
  "$(od -c "$work/sub/tri.inc")"
check "standard input left unread" "no" "$([ -e "$work/stdin-was-read.inc" ] && echo yes || echo no)"

# A failure among conversions: the others still happen, the exit code is 1.
rm -f "$work"/*.inc
run missing.obj mac.obj
check "exit code with a failure" 1 "$(exit_code)"
check "failure on standard error with name and reason" "missing.obj
could not be opened: No such file or directory" "$(err)"
check "the other file still converted" "mac.inc created " "$(out | head -n 1)"
check "mac.inc bytes" "$(od -c "$TESTDATA/meshes/mac.inc")" "$(od -c "$work/mac.inc")"

# A file the include file would replace: nothing converts, the exit code is 1.
printf 'v 1 2 3\n' >"$work/scene.inc"
run scene.inc missing.obj
check "exit code when nothing converted" 1 "$(exit_code)"
check "nothing on standard output" "" "$(out)"
check "each failure named" "scene.inc
would replace the chosen file; nothing was written
missing.obj
could not be opened: No such file or directory" "$(err)"
check "the chosen file kept" "v 1 2 3" "$(cat "$work/scene.inc")"

# A failed write names the file given and the include file (root writes
# into a locked folder all the same, so only others can see this).
if [ "$(id -u)" -ne 0 ]; then
  mkdir "$work/locked"
  cp "$TESTDATA/meshes/tri.obj" "$work/locked/"
  chmod a-w "$work/locked"
  run locked/tri.obj
  chmod u+w "$work/locked"
  check "write failure" "locked/tri.obj
locked/tri.inc
could not be written: Permission denied" "$(err)"
fi

# A name that is not valid UTF-8 comes back byte for byte.
cp "$TESTDATA/meshes/tri.obj" "$work/$(printf 'm\xe9sh.obj')"
run "$(printf 'm\xe9sh.obj')"
check "exit code for a Latin-1 name" 0 "$(exit_code)"
check "include file under the same bytes" "yes" "$([ -e "$work/$(printf 'm\xe9sh.inc')" ] && echo yes || echo no)"
check "summary names it with the same bytes" "$(printf 'm\xe9sh.inc created ')" "$(out | head -n 1)"

# "--" lets a file name begin with a dash.
cp "$TESTDATA/meshes/tri.obj" "$work/-dash.obj"
run -- -dash.obj
check "file after --" "-dash.inc created " "$(out | head -n 1)"

# Help, version and misuse.
run --help
check "exit code of --help" 0 "$(exit_code)"
check "usage first line" "usage: meshfold [FILE.obj...]" "$(out | head -n 1)"
run tri.obj --version
check "exit code of --version" 0 "$(exit_code)"
check "version" "Meshfold 0.1" "$(out)"
run --frobnicate tri.obj
check "exit code of an unknown option" 2 "$(exit_code)"
check "unknown option said" "meshfold: unknown option --frobnicate" "$(err | head -n 1)"
check "usage after misuse" "usage: meshfold [FILE.obj...]" "$(err | sed -n 2p)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
