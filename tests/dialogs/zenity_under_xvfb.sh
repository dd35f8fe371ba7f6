#!/usr/bin/env bash
# Drives the real binary through real zenity dialogs on a virtual X display:
# xdotool types and presses keys as a user would. A wrapper named zenity,
# first on PATH, records every argument list and hands over to zenity itself.
set -u
: "${MESHFOLD:?path of the meshfold binary}" "${TESTDATA:?path of testdata}" "${ARTIFACTS:?folder for screenshots}"

for tool in Xvfb xdotool zenity; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (bash scripts/setup-debian.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
started=()
cleanup() {
  for pid in "${started[@]}" $(cat "$work/zenity-pids" 2>/dev/null); do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$ARTIFACTS" "$work/bin" "$work/calls" "$work/home" "$work/models"
# shellcheck source=../support/check.sh
source "$(dirname "$0")/../support/check.sh"

# Xvfb picks a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
started+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then
  echo "FAILED: Xvfb did not start"
  exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY
export HOME="$work/home" NO_AT_BRIDGE=1

cat >"$work/bin/zenity" <<WRAPPER
#!/bin/sh
echo \$\$ >>"$work/zenity-pids"
printf '%s\\0' "\$@" >"$work/calls/\$(date +%s%N)"
exec $(command -v zenity) "\$@"
WRAPPER
chmod +x "$work/bin/zenity"

# The id of the visible window titled exactly title, waiting up to 30 s.
window() {  # title
  local id
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Focuses the window titled title and sends it keys; no window manager runs,
# so the focus is set directly.
press() {  # title, keys...
  local id
  id=$(window "$1") || { echo "no window titled '$1'"; return 1; }
  shift
  timeout 10 xdotool windowfocus --sync "$id"
  sleep 0.5
  timeout 10 xdotool key --clearmodifiers "$@"
}

screenshot() {  # name
  if command -v import >/dev/null 2>&1; then
    timeout 20 import -display "$DISPLAY" -window root "$ARTIFACTS/$1.png" 2>/dev/null
  fi
}

# Starts meshfold in the models folder, with the environment entries given;
# its exit code goes to $work/exit.
start_meshfold() {  # NAME=value...
  rm -f "$work/calls/"* "$work/exit"
  (cd "$work/models" && env PATH="$work/bin:$PATH" "$@" timeout 120 "$MESHFOLD" </dev/null >"$work/stdout" \
    2>/dev/null
    echo $? >"$work/exit") &
  started+=($!)
}

finish_meshfold() {
  for _ in $(seq 600); do [ -s "$work/exit" ] && break; sleep 0.1; done
  cat "$work/exit" 2>/dev/null || echo "still running"
}

# The arguments of the n-th zenity call, one per line (texts may hold line
# breaks of their own).
call() {  # n
  local file
  file=$(ls "$work/calls" | sort | sed -n "$1p")
  [ -n "$file" ] && tr '\0' '\n' <"$work/calls/$file"
}

summary_title="Meshfold 0.1  k.dorsel 11.21.23"

# Choosing a file: type its path into the chooser, then confirm the summary.
cp "$TESTDATA/meshes/tri.obj" "$work/models/tri.obj"
start_meshfold
if window "open obj file" >/dev/null; then
  screenshot zenity-file-chooser
  press "open obj file" ctrl+l
  sleep 0.5
  timeout 20 xdotool type --delay 30 "$work/models/tri.obj"
  sleep 0.5
  press "open obj file" Return
fi
if window "$summary_title" >/dev/null; then
  screenshot zenity-summary
  press "$summary_title" Return
fi
check "exit code after choosing a file" 0 "$(finish_meshfold)"
check "include file written" "$(od -c "$TESTDATA/meshes/tri.inc")" "$(od -c "$work/models/tri.inc" 2>&1)"
check "file chooser arguments" "--file-selection
--title=open obj file
--filename=$work/models/file.obj
--file-filter=obj (*.obj) | *.obj" "$(call 1)"
check "summary arguments" "--info
--title=$summary_title
--text=tri.inc created 
3  vertexs
1  vertex normals
1  faces
--no-markup" "$(call 2)"
check "nothing on the terminal" "" "$(cat "$work/stdout")"

# Cancelling the chooser, then confirming the cancel notice.
rm -f "$work/models/tri.inc"
start_meshfold
if window "open obj file" >/dev/null; then
  press "open obj file" Escape
fi
if window "Info:" >/dev/null; then
  screenshot zenity-cancel-notice
  press "Info:" Return
fi
check "exit code after a cancel" 0 "$(finish_meshfold)"
check "cancel notice arguments" "--info
--title=Info:
--text=canceled
--no-markup" "$(call 2)"
check "no include file after a cancel" "no" "$([ -e "$work/models/tri.inc" ] && echo yes || echo no)"

# A name beyond ASCII, chosen while the locale is plain C: zenity must hand
# the path back byte for byte.
name=$(printf 'm\xc3\xa9sh')
cp "$TESTDATA/meshes/tri.obj" "$work/models/$name.obj"
start_meshfold LC_ALL=C LANG=C
if window "open obj file" >/dev/null; then
  press "open obj file" ctrl+l
  sleep 0.5
  timeout 20 xdotool type --delay 30 "$work/models/$name.obj"
  sleep 0.5
  press "open obj file" Return
fi
if window "$summary_title" >/dev/null; then
  press "$summary_title" Return
fi
check "exit code for a name beyond ASCII" 0 "$(finish_meshfold)"
check "its include file written" "yes" "$([ -e "$work/models/$name.inc" ] && echo yes || echo no)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
