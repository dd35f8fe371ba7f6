#pragma once
// The entry point every fuzz target defines. libFuzzer calls it with each
// input it tries; the replay main calls it with each file of a corpus.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Runs one input; aborts (by a failed check or a sanitizer) when the code under
// test misbehaves. Returns 0, as libFuzzer expects.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Stops the process with message when condition is false, so that libFuzzer
// and the replay alike report the input as a failure.
inline void FuzzCheck(bool condition, const char* message) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", message);
  std::abort();
}
