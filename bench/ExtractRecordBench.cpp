#include <benchmark/benchmark.h>

#include "converter/obj/ExtractRecord.h"

namespace meshfold {
namespace {

// Stores the same line over and over; the store is made anew when it has
// grown large, outside the timed part.
void ExtractLines(benchmark::State& state, TextView line) {
  RecordStore store;
  CreateRecordStore(store);
  int64_t stored = 0;
  for (auto _ : state) {
    ExtractRecord(line, store);
    if (++stored == 4'000'000) {
      state.PauseTiming();
      CreateRecordStore(store);
      stored = 0;
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations());
}

void ExtractVertex(benchmark::State& state) { ExtractLines(state, u"v 0.587785 -0.809017 0.000000"); }
void ExtractNormal(benchmark::State& state) { ExtractLines(state, u"vn 0.587785 -0.809017 0.000000"); }
void ExtractFace(benchmark::State& state) {
  ExtractLines(state, u"f 512345//512345 513345//513345 512346//512346");
}
void ExtractOtherLine(benchmark::State& state) { ExtractLines(state, u"vt 0.500000 0.250000"); }

BENCHMARK(ExtractVertex);
BENCHMARK(ExtractNormal);
BENCHMARK(ExtractFace);
BENCHMARK(ExtractOtherLine);

}  // namespace
}  // namespace meshfold
