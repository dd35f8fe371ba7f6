// Micro-benchmarks of the operations a conversion repeats once per line.
// Build with -DCMAKE_BUILD_TYPE=Release and run build/meshfold_microbench.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
