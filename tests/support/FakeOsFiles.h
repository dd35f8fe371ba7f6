#pragma once
// An in-memory file system behind the OsFiles seam: records every platform
// call, and makes the call of a chosen kind and number fail.

#include <map>
#include <string>
#include <vector>

#include "text/OsFiles.h"

namespace meshfold::testing {

enum class FakeCall { Open, Read, Write, Move, Close };

struct FakeFile {
  std::string bytes;
  bool locked = false;  // held open, which share mode 0 refuses to any other holder
};

struct FakeOsFiles {
  std::map<Text, FakeFile> files;
  std::vector<OsOpenMode> opens;    // the mode of every open call
  std::vector<int32_t> readSizes;   // the count asked of every read call
  std::vector<std::string> writes;  // the bytes of every write call
  std::vector<int64_t> moves;       // the distance of every move call
  int calls[5] = {};
  FakeCall failKind = FakeCall::Open;
  int failAt = -1;  // the 0-based number of the failKind call that fails; -1: none
  OsError failError = 5;
  bool failFromThenOn = false;  // every later call of failKind fails too
  bool noBuffers = false;       // no memory for file buffers, so files go unbuffered

  int Count(FakeCall kind) const { return calls[static_cast<int>(kind)]; }
  void FailCall(FakeCall kind, int index, OsError error = 5, bool fromThenOn = false) {
    failKind = kind, failAt = index, failError = error, failFromThenOn = fromThenOn;
  }
};

// Puts fake in force for the lifetime of the scope, and the previous calls back after.
class ScopedFakeOsFiles {
 public:
  explicit ScopedFakeOsFiles(FakeOsFiles& fake);
  ~ScopedFakeOsFiles();
  ScopedFakeOsFiles(const ScopedFakeOsFiles&) = delete;
  ScopedFakeOsFiles& operator=(const ScopedFakeOsFiles&) = delete;

 private:
  const OsFileCalls* previous_;
  FakeOsFiles* previousFake_;
};

}  // namespace meshfold::testing
