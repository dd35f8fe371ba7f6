#!/usr/bin/env bash
# Builds Meshfold in release mode, generates the benchmark spheres once, checks
# the output byte for byte and prints the table of times, floors and memory.
#
#   bash bench/run.sh            # standard, double and five-million-face sphere
#   RUNS=9 bash bench/run.sh     # more runs per size (default 5)
#   SIZES="standard crlf" bash bench/run.sh
#   MODES=mesh2 bash bench/run.sh   # one include form (default: union,mesh2)
#
# Sizes: standard  1000 x 1000 grid, 1,996,002 faces, about 155 MB
#        double    1000 x 1999 grid, 3,992,004 faces, twice the standard
#        five      1000 x 2504 grid, 5,000,994 faces
#        crlf      the standard sphere with CR LF line ends
#        scanner   1000 x 1000 grid as scanners write it: "v x y z r g b", no
#                  normals, 998,001 quads "f a b c d" (1,996,002 triangles
#                  out), tabs between fields
#        scanner1  the scanner sphere with one colour on every vertex, a file of
#                  the same size; beside the scanner's mesh2 it shows what the
#                  million colours cost (SIZES="scanner scanner1" MODES=mesh2)
#        small     200 x 200 grid, for a quick look
# Beside the mesh2 of each plain sphere runs the bare single pass
# (bench/BareMesh2.cpp), which writes the same bytes with the least work a
# single thread can do; its row shows what any such design pays here.
# The files live on tmpfs (WORK, default /dev/shm/meshfold-bench) so that disk
# writeback does not blur the figures; they are removed at the end unless
# KEEP=1. The exit code is 1 when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${RUNS:-5}
sizes=${SIZES:-standard double five}
work=${WORK:-/dev/shm/meshfold-bench}
build=${BUILD:-$root/build-bench}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMESHFOLD_TESTS=OFF >/dev/null
cmake --build "$build" --target meshfold meshfold_sphere meshfold_bare_mesh2 -- -j2 >/dev/null

mkdir -p "$work"
if [ "${KEEP:-0}" != 1 ]; then
  trap 'rm -rf "$work"' EXIT
fi

grid() {
  case "$1" in
    standard) echo "--rows 1000 --columns 1000" ;;
    double) echo "--rows 1000 --columns 1999" ;;
    five) echo "--rows 1000 --columns 2504" ;;
    crlf) echo "--rows 1000 --columns 1000 --crlf" ;;
    scanner) echo "--rows 1000 --columns 1000 --scanner" ;;
    scanner1) echo "--rows 1000 --columns 1000 --scanner --one-colour" ;;
    small) echo "--rows 200 --columns 200" ;;
    *) echo "unknown size $1" >&2; exit 2 ;;
  esac
}

arguments=()
for size in $sizes; do
  obj="$work/sphere_$size.obj"
  # shellcheck disable=SC2046
  [ -s "$obj" ] || "$build/meshfold_sphere" $(grid "$size") "$obj"
  arguments+=(--size "$size:$obj")
done

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores," \
  "$(awk '/MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo) RAM, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "build:   $(cd "$root" && git rev-parse --short HEAD 2>/dev/null || echo unknown), release, $(c++ --version | head -1)"
python3 "$root/bench/measure.py" --meshfold "$build/meshfold" --bare "$build/meshfold_bare_mesh2" \
  --work "$work" --runs "$runs" \
  --modes "${MODES:-union,mesh2}" "${arguments[@]}"
