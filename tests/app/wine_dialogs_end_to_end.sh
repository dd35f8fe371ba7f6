#!/usr/bin/env bash
# Drives the real meshfold.exe under wine as a user would: finds the file-open
# dialog on the X display, types the path of a mesh, confirms, closes the
# summary box, and checks the include file and the exit code; then cancels.
# Keeps a screenshot of each dialog in ARTIFACTS. Every wait has a bound.
# Exit code 77 (skipped) where no X server is available.
set -u
: "${MESHFOLD:?meshfold.exe}" "${TESTDATA:?testdata}" "${WINE_RUN:?wine-run.sh}" "${WINEPREFIX:?wine prefix}"
: "${ARTIFACTS:?folder for screenshots}"

if [ -z "${DISPLAY:-}" ] && [ -s "$WINEPREFIX.display" ]; then
  DISPLAY=$(cat "$WINEPREFIX.display")
fi
export DISPLAY=${DISPLAY:-}
if [ -z "$DISPLAY" ] || ! command -v xdotool >/dev/null 2>&1 || ! timeout 10 xdotool getmouselocation >/dev/null 2>&1; then
  echo "SKIPPED: no X server (Xvfb) or no xdotool, so the dialogs cannot be driven"
  exit 77
fi

work=$(mktemp -d)
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$ARTIFACTS"
# shellcheck source=../support/check.sh
source "$(dirname "$0")/../support/check.sh"

# The window whose title is exactly title, waiting up to seconds for it.
find_window() {  # title, seconds
  local pattern deadline window
  pattern="^$(sed 's/[].[^$*\\]/\\&/g' <<<"$1")\$"
  deadline=$((SECONDS + $2))
  while [ "$SECONDS" -lt "$deadline" ]; do
    window=$(timeout 5 xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1)
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.5
  done
  return 1
}

screenshot() {  # name
  local file="$ARTIFACTS/$1"
  if command -v import >/dev/null 2>&1; then
    timeout 30 import -window root "$file.png" 2>/dev/null && return
  fi
  timeout 30 xwd -root -silent >"$file.xwd" 2>/dev/null
}

# Waits up to seconds for the message box titled title, keeps a screenshot
# named shot (none when shot is empty) and confirms the box with Return.
confirm_box() {  # title, seconds, shot, what the box is for
  local box
  if box=$(find_window "$1" "$2"); then
    passed=$((passed + 1))
    sleep 1
    [ -n "$3" ] && screenshot "$3"
    timeout 10 xdotool windowfocus --sync "$box" 2>/dev/null
    timeout 10 xdotool key Return
  else
    check "$4 appears" "shown" "not shown"
  fi
}

start_program() {  # arguments for meshfold.exe
  MESHFOLD_WINE_TIMEOUT=180 bash "$WINE_RUN" "$WINEPREFIX" "$MESHFOLD" "$@" >"$work/output" 2>&1 &
  program=$!
}

# Sets exit_code to the program's, waiting up to 60 s for it to end.
wait_program() {
  local waited=0
  while kill -0 "$program" 2>/dev/null && [ "$waited" -lt 120 ]; do
    sleep 0.5
    waited=$((waited + 1))
  done
  if kill -0 "$program" 2>/dev/null; then
    exit_code="still running after 60 s"
    kill "$program" 2>/dev/null
  else
    wait "$program"
    exit_code=$?
  fi
  program=
}

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

summary_title="Meshfold 0.1  k.dorsel 11.21.23"

# Runs meshfold.exe, types path into its file-open dialog and confirms, then
# confirms the summary box; screenshots are named after shot when it is given.
choose_file() {  # path, shot
  start_program
  # The first start of a program in a fresh wine session takes a while.
  if dialog=$(find_window "open obj file" 120); then
    passed=$((passed + 1))
    sleep 1
    [ -n "$2" ] && screenshot "$2-open-obj-file"
    timeout 10 xdotool windowfocus --sync "$dialog" 2>/dev/null
    timeout 10 xdotool key --clearmodifiers End shift+Home
    timeout 30 xdotool type --delay 20 "$(windows_path "$1")"
    timeout 10 xdotool key Return
    confirm_box "$summary_title" 60 "${2:+$2-summary}" "the summary box for $1"
  else
    check "the file-open dialog appears" "shown" "not shown"
  fi
  wait_program
}

# A conversion: the include file appears beside the mesh.
cp "$TESTDATA/meshes/tri.obj" "$work/tri.obj"
choose_file "$work/tri.obj" conversion
check "exit code of a conversion" 0 "$exit_code"
check "include file beside the mesh, byte for byte" "$(od -c "$TESTDATA/meshes/tri.inc")" "$(od -c "$work/tri.inc" 2>&1)"

# A file that does not exist, in a folder that does: the dialog takes it, the
# run reports it, and nothing is written.
choose_file "$work/missing.obj" missing
check "exit code after a missing file" 0 "$exit_code"
check "no include file for a missing mesh" "no" "$([ -e "$work/missing.inc" ] && echo yes || echo no)"

# The chosen file is never replaced by its own include file.
printf 'v 9 9 9\r\n' >"$work/self.inc"
choose_file "$work/self.inc" ""
check "exit code after choosing an include file" 0 "$exit_code"
check "the chosen include file is untouched" "$(printf 'v 9 9 9\r\n' | od -c)" "$(od -c "$work/self.inc")"

# A cancel: Escape in the dialog, then the notice.
start_program
if dialog=$(find_window "open obj file" 60); then
  timeout 10 xdotool windowfocus --sync "$dialog" 2>/dev/null
  timeout 10 xdotool key Escape
  confirm_box "Info:" 60 cancel-info "the cancel notice"
else
  check "the file-open dialog appears again" "shown" "not shown"
fi
wait_program
check "exit code of a cancel" 0 "$exit_code"

# Files dropped onto the icon arrive as arguments: no file-open dialog, one box
# that lists each file's outcome.
mkdir -p "$work/dropped"
cp "$TESTDATA/meshes/tri.obj" "$work/dropped/tri.obj"
start_program "$(windows_path "$work/dropped/tri.obj")" "$(windows_path "$work/dropped/missing.obj")"
confirm_box "$summary_title" 120 dropped-files "one box for the dropped files"
wait_program
check "exit code when a dropped file could not be converted" 1 "$exit_code"
check "dropped file converted byte for byte" "$(od -c "$TESTDATA/meshes/tri.inc")" \
  "$(od -c "$work/dropped/tri.inc" 2>&1)"

# Files held open by another program: share mode 0 refuses every second
# holder, so the include file cannot be written and the OBJ file cannot be
# read; both are reported, and the held files keep their bytes.
hold() {  # file: holds it until the marker goes, waiting up to 60 s for the hold
  rm -f "$work/held/marker"
  MESHFOLD_WINE_TIMEOUT=120 bash "$WINE_RUN" "$WINEPREFIX" "${HOLD_FILE:?HoldFile.exe}" \
    "$(windows_path "$1")" "$(windows_path "$work/held/marker")" >/dev/null 2>&1 &
  holder=$!
  local waited=0
  while [ ! -e "$work/held/marker" ] && [ "$waited" -lt 120 ]; do
    sleep 0.5
    waited=$((waited + 1))
  done
}
release() {
  rm -f "$work/held/marker"
  timeout 70 tail --pid="$holder" -f /dev/null
}
mkdir -p "$work/held"
for held in tri.inc tri.obj; do
  cp "$TESTDATA/meshes/tri.obj" "$work/held/tri.obj"
  printf 'keep\r\n' >"$work/held/tri.inc"
  before=$(od -c "$work/held/$held")
  hold "$work/held/$held"
  check "$held is held by another program" "yes" "$([ -e "$work/held/marker" ] && echo yes || echo no)"
  start_program "$(windows_path "$work/held/tri.obj")"
  confirm_box "$summary_title" 120 "held-${held/./-}" "a box reporting the held $held"
  wait_program
  release
  check "exit code when $held is held" 1 "$exit_code"
  check "the held $held keeps its bytes" "$before" "$(od -c "$work/held/$held")"
done

echo "screenshots in $ARTIFACTS: $(cd "$ARTIFACTS" && ls | tr '\n' ' ')"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
