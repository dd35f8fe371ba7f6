#!/usr/bin/env bash
# Renders what Meshfold writes with the real POV-Ray: every well-formed mesh
# must parse and render, and the mesh must sit where its numbers say.
set -u
: "${MESHFOLD:?path of the meshfold binary}" "${TESTDATA:?path of testdata}" "${ARTIFACTS:?folder for pictures}"

if ! command -v povray >/dev/null 2>&1; then
  echo "SKIPPED: povray is not installed (bash scripts/setup-debian.sh installs it)"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$ARTIFACTS" "$work/.povray/3.7"
# A home of its own spares POV-Ray's complaint about a missing user configuration.
: >"$work/.povray/3.7/povray.conf"
passed=0
failed=0

fail() {  # what, details
  failed=$((failed + 1))
  printf 'FAILED: %s\n%s\n' "$1" "$2"
}

# The scene declares the mesh as an object, aims the camera at its extent and
# prints that extent, so that a test can check where the mesh sits.
write_scene() {  # name
  cat >"$work/$1.pov" <<SCENE
#version 3.7;
global_settings { assumed_gamma 1.0 }
#include "$1.inc"
#declare Mesh = object { $1 }
#declare Low = min_extent(Mesh);
#declare High = max_extent(Mesh);
#debug concat("extent ", vstr(3, Low, " ", 0, 3), " / ", vstr(3, High, " ", 0, 3), "\n")
#declare Centre = (Low + High) / 2;
#declare Size = max(vlength(High - Low), 0.001);
camera { location Centre + <0.4, 0.6, -2> * Size look_at Centre }
light_source { Centre + <1, 2, -3> * Size color rgb 1 }
object { Mesh pigment { color rgb <0.8, 0.5, 0.3> } }
SCENE
}

# Converts name.obj in the work folder, renders it and checks the picture;
# the extent POV-Ray printed is left in $work/name.extent.
render() {  # name
  local name=$1 log="$work/$1.log"
  if ! out=$("$MESHFOLD" "$work/$name.obj" 2>&1); then
    fail "$name: conversion" "$out"
    return
  fi
  write_scene "$name"
  (cd "$work" && HOME="$work" timeout 300 povray "+I$name.pov" "+O$name.png" +W32 +H24 -D -V +FN) 2>"$log"
  local status=$?
  if [ "$status" -ne 0 ] || grep -q 'Error' "$log"; then
    fail "$name: POV-Ray exit code $status" "$(grep -B2 -A4 'Error' "$log" | head -n 20)"
  elif [ ! -s "$work/$name.png" ]; then
    fail "$name: no picture" "$(tail -n 5 "$log")"
  else
    passed=$((passed + 1))
    cp "$work/$name.png" "$ARTIFACTS/"
  fi
  sed -n 's/^extent //p' "$log" >"$work/$name.extent"
}

# POV-Ray pads bounding boxes a little, so -0.000 stands for 0.
check_extent() {  # name, expected "x y z / x y z"
  if awk -v want="$2" '{ n = split(want, w, " "); if (n != NF) exit 1
                         for (i = 1; i <= n; i++) if ($i - w[i] > 0.001 || w[i] - $i > 0.001) exit 1 }
                       END { if (NR != 1) exit 1 }' "$work/$1.extent"; then
    passed=$((passed + 1))
  else
    fail "$1: extent" "expected $2, POV-Ray says $(cat "$work/$1.extent")"
  fi
}

# The meshes of testdata/. odd.obj is left out on purpose: it gathers lines
# no exporter should write (faces naming missing records, which leave empty
# places in their triangles, and a vertex with six coordinates, which gives a
# vector with an extra field); its include file is not meant to parse.
# The mesh is declared under the file's base name as it stands, and "cube" is
# one of POV-Ray's own words, so cube.obj is rendered under another name.
for obj in "$TESTDATA"/*/*.obj; do
  name=$(basename "$obj" .obj)
  case "$name" in
    odd)
      echo "excluded: $obj (malformed on purpose; not meant to render)"
      continue
      ;;
    cube)
      echo "renamed: $obj to cube_mesh.obj (POV-Ray reserves the identifier cube)"
      name=cube_mesh
      ;;
  esac
  cp "$obj" "$work/$name.obj"
  render "$name"
done
check_extent tri "0.000 0.000 0.000 / 1.000 1.000 0.000"
check_extent cube_mesh "-1.000 -1.000 -1.000 / 1.000 1.000 1.000"
check_extent donut "-1.400 -0.400 -1.400 / 1.400 0.400 1.400"

# Faces written v/vt/vn, with texture coordinates that the output leaves out.
cat >"$work/textured.obj" <<'OBJ'
v 0 0 0
v 2 0 0
v 2 3 0
v 0 3 0
vt 0 0
vt 1 0
vt 1 1
vt 0 1
vn 0 0 -1
f 1/1/1 2/2/1 3/3/1
f 1/1/1 3/3/1 4/4/1
OBJ
render textured
check_extent textured "0.000 0.000 0.000 / 2.000 3.000 0.000"

# Faces written v//vn, each corner with a normal of its own.
cat >"$work/normals.obj" <<'OBJ'
v 0 0 0
v 1 0 0
v 0 1 0
v 0 0 1
vn -0.577 -0.577 -0.577
vn 1 0 0
vn 0 1 0
vn 0 0 1
f 1//1 2//2 3//3
f 1//1 3//3 4//4
f 1//1 4//4 2//2
f 2//2 3//3 4//4
OBJ
render normals
check_extent normals "0.000 0.000 0.000 / 1.000 1.000 1.000"

# Negative indices count back from the records read so far.
cat >"$work/relative.obj" <<'OBJ'
v 0 0 0
v 4 0 0
v 0 2 0
vn 0 0 -1
f -3//-1 -2//-1 -1//-1
v 0 0 5
vn 1 0 0
f -4//-1 -3//-1 -1//-2
OBJ
render relative
check_extent relative "0.000 0.000 0.000 / 4.000 2.000 5.000"

# Coordinates with exponents keep them; the digits behind the decimal point
# are cut after the third, so 1.234567e+01 sits at 12.34.
cat >"$work/scientific.obj" <<'OBJ'
v 1.234567e+01 -2.0E+00 5.0e-01
v -1.0e+01 4.0E+00 3.0e+00
v 2.0e+00 1.0e+01 -7.5e-01
vn 0 0 -1.0e+00
f 1//1 2//1 3//1
OBJ
render scientific
check_extent scientific "-10.000 -2.000 -0.750 / 12.340 10.000 3.000"

# More faces than the record arrays start with: a 230 x 230 grid of
# vertices, 104882 triangles.
awk 'BEGIN {
  n = 230
  for (i = 0; i < n; i++) for (j = 0; j < n; j++) printf "v %d.%06d %d.%06d 0.5\n", i, j, j, i
  print "vn 0 0 -1"
  for (i = 0; i < n - 1; i++) for (j = 0; j < n - 1; j++) {
    a = i * n + j + 1; b = a + 1; c = a + n; d = c + 1
    printf "f %d//1 %d//1 %d//1\nf %d//1 %d//1 %d//1\n", a, b, d, a, d, c
  }
}' >"$work/grid.obj"
render grid
faces=$(sed -n 's|^//   face count: ||p' "$work/grid.inc" | tr -d '\r')
[ "$faces" == 104882 ] || fail "grid: face count" "expected 104882, the include file says $faces"
check_extent grid "0.000 0.000 0.500 / 229.000 229.000 0.500"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
