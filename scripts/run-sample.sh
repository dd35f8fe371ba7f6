#!/usr/bin/env bash
# Builds Meshfold and converts the sample mesh that ships with it, answering
# the file dialog on standard input as a user at a terminal would.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target meshfold
cp testdata/meshes/cube.obj build/sample.obj
printf '%s\n' "$PWD/build/sample.obj" | build/meshfold
echo "--- build/sample.inc"
head -n 8 build/sample.inc
