#include <benchmark/benchmark.h>

#include <string>

#include "text/CodePage.h"

namespace meshfold {
namespace {

// Bytes of the given length: ASCII, or with an accented letter every 16 bytes
// so that the conversion leaves its 8-bit fast path.
std::string SampleBytes(size_t length, bool accented) {
  std::string bytes;
  while (bytes.size() < length) bytes += accented ? "0.587785 \xC3\xA9 0.80" : "0.587785 -0.809017 ";
  bytes.resize(length);
  if (accented && (static_cast<unsigned char>(bytes.back()) & 0xC0) == 0xC0) bytes.back() = 'x';
  return bytes;
}

void BytesToText(benchmark::State& state, bool accented) {
  const std::string bytes = SampleBytes(static_cast<size_t>(state.range(0)), accented);
  Text text;
  for (auto _ : state) {
    AnsiToText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void TextToBytes(benchmark::State& state, bool accented) {
  const std::string sample = SampleBytes(static_cast<size_t>(state.range(0)), accented);
  Text text;
  AnsiToText(reinterpret_cast<const uint8_t*>(sample.data()), sample.size(), text);
  std::string bytes;
  for (auto _ : state) {
    TextToAnsi(text, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void AnsiToTextAscii(benchmark::State& state) { BytesToText(state, false); }
void AnsiToTextAccented(benchmark::State& state) { BytesToText(state, true); }
void TextToAnsiAscii(benchmark::State& state) { TextToBytes(state, false); }
void TextToAnsiAccented(benchmark::State& state) { TextToBytes(state, true); }

BENCHMARK(AnsiToTextAscii)->Arg(30)->Arg(47)->Arg(175);
BENCHMARK(AnsiToTextAccented)->Arg(47)->Arg(175);
BENCHMARK(TextToAnsiAscii)->Arg(2)->Arg(30)->Arg(175);
BENCHMARK(TextToAnsiAccented)->Arg(175);

}  // namespace
}  // namespace meshfold
