#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh test

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMESHFOLD_WARNINGS_AS_ERRORS=ON -DMESHFOLD_TESTS=ON \
  -DMESHFOLD_BENCHMARKS=ON
cmake --build build
ctest --test-dir build --output-on-failure

# POV-Ray and desktop-dialog tests skip when their tools are missing; say why.
grep -h '^SKIPPED:' build/Testing/Temporary/LastTest.log || true

# --- Hardening: the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer (stopping at the first report), built with the
# portable paths instead of the SSE2 ones so that those run the suite too; then
# a short libFuzzer run of each fuzz target; the normal builds replay their corpora.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMESHFOLD_SANITIZE=ON -DMESHFOLD_PORTABLE=ON \
  -DMESHFOLD_WARNINGS_AS_ERRORS=ON
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure
if command -v clang++ >/dev/null 2>&1; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DMESHFOLD_FUZZ=ON -DMESHFOLD_WARNINGS_AS_ERRORS=ON
  cmake --build build-fuzz
  ctest --test-dir build-fuzz --output-on-failure
fi

# --- Windows x86-64: cross-built with mingw-w64, tested under wine and Xvfb ---
# The first run makes a wine prefix in build-windows (a minute or so).
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DMESHFOLD_WARNINGS_AS_ERRORS=ON
cmake --build build-windows -j 2
ctest --test-dir build-windows --output-on-failure
