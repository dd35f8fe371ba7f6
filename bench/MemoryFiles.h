#pragma once
// Platform file calls over memory, so that the micro-benchmarks time the
// reader and writer and not the system: every file reads the same bytes over
// and over, and writes go nowhere.

#include <string>

#include "text/OsFiles.h"

namespace meshfold::bench {

// Puts the memory calls in force while it lives; every file opened for reading
// then yields content, repeated without end.
class ScopedMemoryFiles {
 public:
  explicit ScopedMemoryFiles(std::string content);
  ~ScopedMemoryFiles();
  ScopedMemoryFiles(const ScopedMemoryFiles&) = delete;
  ScopedMemoryFiles& operator=(const ScopedMemoryFiles&) = delete;

 private:
  const OsFileCalls* previous_;
};

}  // namespace meshfold::bench
