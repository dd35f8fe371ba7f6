// Runs a fuzz target over the files of its corpus folders, without libFuzzer,
// so that every build replays the corpus as an ordinary test.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "tests/fuzz/FuzzTarget.h"

int main(int argc, char** argv) {
  size_t replayed = 0;
  for (int at = 1; at < argc; ++at) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[at])) {
      std::ifstream file(entry.path(), std::ios::binary);
      const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                       std::istreambuf_iterator<char>()};
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++replayed;
    }
  }
  std::cout << "replayed " << replayed << " inputs\n";
  return replayed > 0 ? 0 : 1;  // an empty corpus would pass without testing anything
}
