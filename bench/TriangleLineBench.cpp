#include <benchmark/benchmark.h>

#include "converter/obj/ExtractRecord.h"
#include "converter/writers/WriteUnionFile.h"

namespace meshfold {
namespace {

// The triangle line of a face whose corners all name stored records, as in a
// sound mesh; the line's text is reused as the writer reuses it.
void BuildTriangle(benchmark::State& state) {
  RecordStore store;
  CreateRecordStore(store);
  ExtractRecord(u"v 0.587785 -0.809017 0.000000", store);
  ExtractRecord(u"v -0.951057 0.309017 -0.123457", store);
  ExtractRecord(u"v 0.000000 1.000000 0.000000", store);
  ExtractRecord(u"vn 0.587785 -0.809017 0.000000", store);
  ExtractRecord(u"vn -0.951057 0.309017 -0.123457", store);
  ExtractRecord(u"vn 0.000000 1.000000 0.000000", store);
  ExtractRecord(u"f 1//1 2//2 3//3", store);
  const std::vector<bool> directed = DirectedNormals(store);
  std::string line;
  for (auto _ : state) {
    BuildTriangleLine(store, directed, CornerAt(store, 1), CornerAt(store, 2), CornerAt(store, 3), line);
    benchmark::DoNotOptimize(line.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(line.size()));
}

BENCHMARK(BuildTriangle);

}  // namespace
}  // namespace meshfold
