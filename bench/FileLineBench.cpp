#include <benchmark/benchmark.h>

#include <string>

#include "bench/MemoryFiles.h"
#include "text/TextFileReader.h"
#include "text/TextFileWriter.h"

namespace meshfold {
namespace {

// Lines of the lengths a mesh has, read through the 4096-byte buffer.
void ReadLines(benchmark::State& state, const char* lineEnd) {
  std::string lines;
  for (const char* line : {"v 0.587785 -0.809017 0.000000", "vn 0.587785 -0.809017 0.000000",
                           "f 512345//512345 513345//513345 512346//512346"}) {
    lines += line;
    lines += lineEnd;
  }
  bench::ScopedMemoryFiles files(lines);
  OsError error = 0;
  const FileHandle file = OpenTextFile(AnyHandle, u"mesh.obj", error);
  int64_t bytes = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(AtEnd(file));
    bytes += static_cast<int64_t>(ReadLine(file, EncodingAnsi).size()) + 1;
  }
  CloseTextFile(file);
  state.SetBytesProcessed(bytes);
}

void ReadLineLf(benchmark::State& state) { ReadLines(state, "\n"); }
void ReadLineCrLf(benchmark::State& state) { ReadLines(state, "\r\n"); }

// A triangle line of the usual length into the 4096-byte buffer.
void WriteTriangleLine(benchmark::State& state) {
  bench::ScopedMemoryFiles files("");
  const Text line =
      u"   smooth_triangle { <0.587, -0.809, 0.000> , <0.587, -0.809, 0.000> , "
      u"<-0.951, 0.309, -0.123> , <-0.951, 0.309, -0.123> , <0.000, 1.000, 0.000> , "
      u"<0.000, 1.000, 0.000>  }";
  OsError error = 0;
  const FileHandle file = CreateTextFile(AnyHandle, u"mesh.inc", error);
  for (auto _ : state) WriteLine(file, line, EncodingAnsi);
  CloseTextFile(file);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(line.size() + 2));
}

BENCHMARK(ReadLineLf);
BENCHMARK(ReadLineCrLf);
BENCHMARK(WriteTriangleLine);

}  // namespace
}  // namespace meshfold
