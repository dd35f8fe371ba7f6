#!/usr/bin/env bash
# Real file-system faults met by the real binary: files that cannot be opened,
# read or written, a write that fails part-way, and second names of the chosen
# file. Each run must say what happened, claim nothing it did not write, and
# leave the OBJ file's bytes as they were.
set -u
: "${MESHFOLD:?path of the meshfold binary}" "${TESTDATA:?path of testdata}"

work=$(mktemp -d)
trap 'chmod -R u+rwX "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
# shellcheck source=../support/check.sh
source "$(dirname "$0")/../support/check.sh"
skipped=0

skip() {  # name, reason
  skipped=$((skipped + 1))
  printf 'SKIPPED: %s: %s\n' "$1" "$2"
}

# The binary where an unprivileged user may run it too.
mkdir -m 755 "$work/bin"
cp "$MESHFOLD" "$work/bin/meshfold"
chmod 755 "$work/bin/meshfold"
meshfold="$work/bin/meshfold"

# Permission faults only show for a user without root's override: as root,
# run those cases as the unprivileged user nobody.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  if id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null 2>&1; then
    as_user=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
  else
    as_user=(unavailable)
  fi
fi

# Converts the file at path; prints the message without its title line.
convert() {  # path [command prefix...]
  local path=$1
  shift
  printf '%s\n' "$path" | timeout 20 "$@" "$meshfold" 2>/dev/null | tail -n +2
}

digest() { sha256sum "$1" | cut -d' ' -f1; }

exists() { [ -e "$1" ] || [ -L "$1" ] && echo yes || echo no; }

mesh() {  # path: a small mesh of one triangle
  cp "$TESTDATA/meshes/tri.obj" "$1"
}

# --- The OBJ file cannot be opened.
check "missing OBJ file" "$work/missing.obj
could not be opened: No such file or directory" "$(convert "$work/missing.obj")"
check "no include file for a missing OBJ file" no "$(exists "$work/missing.inc")"

mkdir "$work/folder.obj"
mesh "$work/tri.obj"
out=$(printf '%s\n%s\n' "$work/folder.obj" "$work/tri.obj" | timeout 20 "$meshfold" 2>"$work/prompt" | sed -n 2p)
check "a folder is refused by the dialog" 1 "$(grep -c 'this is a folder, not a file' "$work/prompt")"
check "the next answer is converted" "tri.inc created " "$out"
check "no include file for a folder" no "$(exists "$work/folder.inc")"

mkfifo "$work/pipe.obj"
check "a pipe is no OBJ file, and nothing waits for it" "$work/pipe.obj
could not be opened: Not a regular file" "$(convert "$work/pipe.obj")"

mesh "$work/locked.obj"
before=$(digest "$work/locked.obj")
out=$(flock --exclusive "$work/locked.obj" bash -c "printf '%s\n' '$work/locked.obj' | timeout 20 '$meshfold'" \
  2>/dev/null | tail -n +2)
check "OBJ file held by another program" "$work/locked.obj
could not be opened: The file is in use by another program" "$out"
check "held OBJ file untouched" "$before" "$(digest "$work/locked.obj")"
check "no include file for a held OBJ file" no "$(exists "$work/locked.inc")"

if [ "${as_user[*]-}" == unavailable ]; then
  skip "unreadable OBJ file" "running as root without the user nobody or setpriv"
else
  mesh "$work/secret.obj"
  chmod 000 "$work/secret.obj"
  before=$(digest "$work/secret.obj")
  check "unreadable OBJ file" "$work/secret.obj
could not be opened: Permission denied" "$(convert "$work/secret.obj" "${as_user[@]}")"
  check "unreadable OBJ file untouched" "$before" "$(digest "$work/secret.obj")"
  check "no include file for an unreadable OBJ file" no "$(exists "$work/secret.inc")"
fi

# --- The OBJ file cannot be read. The memory of a process reads as a file
# whose first bytes (address 0) are not there: a real read error.
check "read error" "/proc/self/mem
could not be read; nothing was written: Input/output error" "$(convert /proc/self/mem)"

# --- The include file cannot be written.
mesh "$work/boxed.obj"
mkdir "$work/boxed.inc"
before=$(digest "$work/boxed.obj")
check "include path is a folder" "$work/boxed.inc
could not be written: Is a directory" "$(convert "$work/boxed.obj")"
check "OBJ file untouched when the include path is a folder" "$before" "$(digest "$work/boxed.obj")"

mesh "$work/full.obj"
ln -s /dev/full "$work/full.inc"
check "include path names a device" "$work/full.inc
could not be written: Not a regular file" "$(convert "$work/full.obj")"

mesh "$work/busy.obj"
printf 'kept\n' >"$work/busy.inc"
out=$(flock --exclusive "$work/busy.inc" bash -c "printf '%s\n' '$work/busy.obj' | timeout 20 '$meshfold'" \
  2>/dev/null | tail -n +2)
check "include file held by another program" "$work/busy.inc
could not be written: The file is in use by another program" "$out"
check "held include file keeps its bytes" "kept" "$(cat "$work/busy.inc")"

if [ "${as_user[*]-}" == unavailable ]; then
  skip "include file in a folder that cannot be written" "running as root without the user nobody or setpriv"
else
  mkdir -m 755 "$work/shut"
  mesh "$work/shut/tri.obj"
  chmod 555 "$work/shut"
  before=$(digest "$work/shut/tri.obj")
  check "include file in a folder that cannot be written" "$work/shut/tri.inc
could not be written: Permission denied" "$(convert "$work/shut/tri.obj" "${as_user[@]}")"
  check "no include file in a shut folder" no "$(exists "$work/shut/tri.inc")"
  check "OBJ file in a shut folder untouched" "$before" "$(digest "$work/shut/tri.obj")"

  mesh "$work/sealed.obj"
  printf 'sealed\n' >"$work/sealed.inc"
  chmod 444 "$work/sealed.inc"
  check "include file that cannot be written" "$work/sealed.inc
could not be written: Permission denied" "$(convert "$work/sealed.obj" "${as_user[@]}")"
  check "include file that cannot be written keeps its bytes" "sealed" "$(cat "$work/sealed.inc")"
fi

# --- A write that fails part-way.
python3 - "$work/big.obj" <<'PY'
import sys
with open(sys.argv[1], "w") as f:
    f.write("v 1.000000 2.000000 3.000000\nvn 0 0 1\n")
    f.write("f 1//1 1//1 1//1\n" * 5000)
PY
before=$(digest "$work/big.obj")
out=$(printf '%s\n' "$work/big.obj" | (ulimit -f 200 && timeout 20 "$meshfold") 2>/dev/null | tail -n +2)
check "write stopped by a file-size limit" "$work/big.inc
could not be written: File too large" "$out"
check "OBJ file untouched by a failed write" "$before" "$(digest "$work/big.obj")"

# A full disk, on a small file system of its own in a private mount namespace.
if [ "$(id -u)" -eq 0 ] && unshare --mount true 2>/dev/null; then
  mkdir -m 755 "$work/disk"
  out=$(unshare --mount bash -c "mount -t tmpfs -o size=256k meshfold-test '$work/disk' || exit 3
    cp '$work/big.obj' '$work/disk/big.obj'
    printf '%s\n' '$work/disk/big.obj' | timeout 20 '$meshfold' 2>/dev/null | tail -n +2
    sha256sum '$work/disk/big.obj' | cut -d' ' -f1")
  if [ $? -eq 3 ]; then
    skip "full disk" "tmpfs cannot be mounted here"
  else
    check "write stopped by a full disk" "$work/disk/big.inc
could not be written: No space left on device
$before" "$out"
  fi
else
  skip "full disk" "needs root and a private mount namespace to mount a small file system"
fi

# --- Second names of the chosen file are never written over.
printf 'v 9 9 9\n' >"$work/x.inc"
before=$(digest "$work/x.inc")
check "chosen file named .inc" "$work/x.inc
would replace the chosen file; nothing was written" "$(convert "$work/x.inc")"
check "chosen .inc file untouched" "$before" "$(digest "$work/x.inc")"

printf 'v 1 1 1\n' >"$work/hard.inc"
ln "$work/hard.inc" "$work/hard.obj"
before=$(digest "$work/hard.obj")
check "hard link to the include file" "$work/hard.inc
would replace the chosen file; nothing was written" "$(convert "$work/hard.obj")"
check "hard-linked file untouched" "$before" "$(digest "$work/hard.obj")"

printf 'v 2 2 2\n' >"$work/soft.inc"
ln -s soft.inc "$work/soft.obj"
before=$(digest "$work/soft.obj")
check "symbolic link to the include file" "$work/soft.inc
would replace the chosen file; nothing was written" "$(convert "$work/soft.obj")"
check "file behind the symbolic link untouched" "$before" "$(digest "$work/soft.inc")"

mesh "$work/real.obj"
ln -s real.obj "$work/real.inc"
before=$(digest "$work/real.obj")
check "include path a symbolic link to the chosen file" "$work/real.inc
would replace the chosen file; nothing was written" "$(convert "$work/real.obj")"
check "chosen file behind the include path untouched" "$before" "$(digest "$work/real.obj")"

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
