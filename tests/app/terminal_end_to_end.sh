#!/usr/bin/env bash
# Drives the real binary through its terminal dialogs, as a script or a user
# at a terminal would: a path on standard input, the message on standard output.
set -u
: "${MESHFOLD:?path of the meshfold binary}" "${TESTDATA:?path of testdata}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/check.sh
source "$(dirname "$0")/../support/check.sh"

summary_title="Meshfold 0.1  k.dorsel 11.21.23"

# A mesh chosen by its full path.
cp "$TESTDATA/meshes/tri.obj" "$work/tri.obj"
out=$(printf '%s\n' "$work/tri.obj" | "$MESHFOLD" 2>"$work/prompt")
check "exit code of a conversion" 0 $?
check "summary message" "$summary_title
tri.inc created 
3  vertexs
1  vertex normals
1  faces" "$out"
check "include file bytes" "$(od -c "$TESTDATA/meshes/tri.inc")" "$(od -c "$work/tri.inc")"
check "prompt shows the title" "open obj file" "$(head -n 1 "$work/prompt")"
check "input file untouched" "$(od -c "$TESTDATA/meshes/tri.obj")" "$(od -c "$work/tri.obj")"

# A relative path, taken from the current directory.
cp "$TESTDATA/meshes/cube.obj" "$work/cube.obj"
out=$(cd "$work" && printf 'cube.obj\n' | "$MESHFOLD" 2>/dev/null)
check "relative path" "$(od -c "$TESTDATA/meshes/cube.inc")" "$(od -c "$work/cube.inc")"

# An empty line chooses the preset name in the current directory.
printf 'v 1 2 3\n' > "$work/file.obj"
out=$(cd "$work" && printf '\n' | "$MESHFOLD" 2>/dev/null)
check "empty line takes the preset" "$summary_title
file.inc created 
1  vertexs
0  vertex normals
0  faces" "$out"

# A path in a folder that does not exist is refused and asked for again.
out=$(printf '%s\n%s\n' "$work/no-such-folder/x.obj" "$work/tri.obj" | "$MESHFOLD" 2>"$work/prompt")
check "refused folder, then a good path" "tri.inc created " "$(sed -n 2p <<<"$out")"
check "refusal is said" "1" "$(grep -c 'the folder does not exist' "$work/prompt")"

# A display without a dialog program on the search path keeps the terminal.
out=$(printf '%s\n' "$work/tri.obj" | DISPLAY=:0 WAYLAND_DISPLAY=wayland-0 PATH="$work/no-such-folder" \
  "$MESHFOLD" 2>/dev/null)
check "display without dialog program" "tri.inc created " "$(sed -n 2p <<<"$out")"

# End of input cancels.
out=$("$MESHFOLD" </dev/null 2>/dev/null)
check "exit code of a cancel" 0 $?
check "cancel message" "Info:
canceled" "$out"

# A missing file in an existing folder is accepted by the dialog, then reported.
out=$(printf '%s\n' "$work/missing.obj" | "$MESHFOLD" 2>/dev/null)
check "exit code of a failure" 0 $?
check "missing file message" "$summary_title
$work/missing.obj
could not be opened: No such file or directory" "$out"
check "no include file for a missing mesh" "no" "$([ -e "$work/missing.inc" ] && echo yes || echo no)"

# The chosen file is never replaced by its own include file.
printf 'v 9 9 9\n' > "$work/x.inc"
out=$(printf '%s\n' "$work/x.inc" | "$MESHFOLD" 2>/dev/null)
check "same file message" "$summary_title
$work/x.inc
would replace the chosen file; nothing was written" "$out"
check "same file untouched" "v 9 9 9" "$(cat "$work/x.inc")"

# A write that fails part-way, under a file-size limit.
python3 - "$work/big.obj" <<'PY'
import sys
with open(sys.argv[1], "w") as f:
    for i in range(3000):
        f.write("v %d.123456 1.0 2.0\nvn 0 0 1\n" % i)
    for i in range(1, 3000):
        f.write("f %d//1 %d//1 %d//1\n" % (i, i, i))
PY
out=$(printf '%s\n' "$work/big.obj" | (ulimit -f 100; "$MESHFOLD") 2>/dev/null)
check "exit code under a size limit" 0 $?
check "size limit reported" "$work/big.inc
could not be written: File too large" "$(sed -n 2,3p <<<"$out")"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
