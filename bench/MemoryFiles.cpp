#include "bench/MemoryFiles.h"

#include <algorithm>
#include <cstring>

namespace meshfold::bench {

namespace {

std::string content;
size_t position = 0;

OsHandle Open(TextView /*path*/, OsOpenMode /*mode*/, OsError& error) {
  error = 0;
  position = 0;
  return 1;
}

int32_t Read(OsHandle /*file*/, uint8_t* destination, int32_t count, OsError& error) {
  error = 0;
  int32_t delivered = 0;
  while (delivered < count && !content.empty()) {
    const size_t piece = std::min(static_cast<size_t>(count - delivered), content.size() - position);
    std::memcpy(destination + delivered, content.data() + position, piece);
    delivered += static_cast<int32_t>(piece);
    position = (position + piece) % content.size();
  }
  return delivered;
}

bool Write(OsHandle /*file*/, const uint8_t* /*source*/, size_t /*count*/, OsError& error) {
  error = 0;
  return true;
}

bool Move(OsHandle /*file*/, int64_t /*distance*/, OsError& error) {
  error = 0;
  return true;
}

bool Close(OsHandle /*file*/, OsError& error) {
  error = 0;
  return true;
}

bool SameFile(TextView a, TextView b) { return a == b; }

// The benchmarks name no image, so no folder is ever listed.
bool ListFolder(TextView /*folder*/, std::vector<Text>& /*names*/, OsError& error) {
  error = UnknownError;
  return false;
}

constexpr OsFileCalls MemoryCalls = {Open, Read, Write, Move, Close, SameFile, NewFileBuffer, ListFolder};

}  // namespace

ScopedMemoryFiles::ScopedMemoryFiles(std::string bytes) {
  content = std::move(bytes);
  position = 0;
  previous_ = InstallOsFileCalls(&MemoryCalls);
}

ScopedMemoryFiles::~ScopedMemoryFiles() { InstallOsFileCalls(previous_); }

}  // namespace meshfold::bench
