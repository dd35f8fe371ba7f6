#!/usr/bin/env bash
# Builds Meshfold and converts the sample mesh that ships with it, answering
# the file dialog on standard input as a user at a terminal would.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only a compiler, CMake and Ninja: the program alone, without tests or benchmarks.
bash scripts/setup-debian.sh build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMESHFOLD_TESTS=OFF -DMESHFOLD_BENCHMARKS=OFF >/dev/null
cmake --build build --target meshfold
cp testdata/sample/donut.obj build/donut.obj
# The terminal form of the dialogs, even on a desktop, so the script runs unattended.
printf '%s\n' "$PWD/build/donut.obj" | env -u DISPLAY -u WAYLAND_DISPLAY build/meshfold
echo "--- the first lines of build/donut.inc"
head -n 7 build/donut.inc
