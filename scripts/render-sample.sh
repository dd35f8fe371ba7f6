#!/usr/bin/env bash
# Converts the sample mesh (testdata/sample/donut.obj) with Meshfold, once
# as a union of smooth triangles and once with --mesh2, and renders each
# include file with POV-Ray in the same scene: docs/donut-union.png and
# docs/donut-mesh2.png, side by side in the README. The union's picture is
# also docs/sample-render.png, the README's first picture. The iced sample
# (testdata/sample/iced.obj, three materials, two groups) is converted with
# --mesh2 --scene and its scene rendered as Meshfold wrote it: docs/iced-scene.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target meshfold --parallel 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp testdata/sample/donut.obj "$work/"

cat >"$work/sample.pov" <<'SCENE'
#version 3.7;
global_settings { assumed_gamma 1.0 }
#include "donut.inc"
camera { location <0, 2.7, -3.9> look_at <0, -0.2, 0> angle 42 }
light_source { <-4, 7, -5> color rgb 1.2 area_light <1, 0, 0>, <0, 0, 1>, 4, 4 adaptive 1 jitter }
light_source { <5, 3, -2> color rgb 0.3 shadowless }
background { color rgb <0.93, 0.95, 0.98> }
plane {
  y, -0.4
  pigment { checker color rgb <0.9, 0.91, 0.93> color rgb <0.72, 0.76, 0.82> scale 0.5 }
}
object {
  donut
  pigment { color rgb <0.85, 0.42, 0.18> }
  finish { diffuse 0.75 ambient 0.06 phong 0.6 phong_size 40 }
}
SCENE

# A home of its own spares POV-Ray's complaint about a missing user configuration.
mkdir -p "$work/.povray/3.7" && : >"$work/.povray/3.7/povray.conf" docs
for form in union mesh2; do
  build/meshfold $([ "$form" = mesh2 ] && echo --mesh2) "$work/donut.obj" >/dev/null
  if ! (cd "$work" && HOME="$work" timeout 300 povray +Isample.pov +Osample.png +W320 +H240 +A0.1 +AM2 -D -V +FN \
    2>povray.log); then
    tail -n 20 "$work/povray.log" >&2
    exit 1
  fi
  cp "$work/sample.png" "docs/donut-$form.png"
  echo "docs/donut-$form.png: $(stat -c %s "docs/donut-$form.png") bytes"
done
cp docs/donut-union.png docs/sample-render.png

cp testdata/sample/iced.obj testdata/sample/iced.mtl "$work/"
build/meshfold --mesh2 --scene "$work/iced.obj" >/dev/null
(cd "$work" && HOME="$work" timeout 300 povray iced.pov +W480 +H360 +A0.1 -D -V 2>povray.log) ||
  { tail -n 20 "$work/povray.log" >&2; exit 1; }
cp "$work/iced.png" docs/iced-scene.png
echo "docs/iced-scene.png: $(stat -c %s docs/iced-scene.png) bytes"
