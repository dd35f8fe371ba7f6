#pragma once
// An in-memory file system behind the OsFiles seam: counts every platform
// call, and makes the call of a chosen kind and number fail.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "text/OsFiles.h"

namespace meshfold::testing {

enum class FakeCall { Open, Read, Write, Move, Close };

struct FakeFile {
  std::string bytes;
  bool exists = true;
  bool locked = false;  // held open by someone, as share mode 0 forbids
};

struct FakeOsFiles {
  std::map<Text, FakeFile> files;
  std::vector<std::string> writes;  // the bytes of every write call, in order
  std::vector<int32_t> readSizes;   // the count asked of every read call
  std::vector<OsOpenMode> opens;    // the mode of every open call
  std::vector<int64_t> moves;       // the distance of every move call
  int calls[5] = {};                // per FakeCall
  FakeCall failKind = FakeCall::Open;
  int failAt = -1;              // 0-based call number of failKind that fails
  OsError failError = 5;        // the error the failing call reports
  bool failFromThenOn = false;  // every later call of failKind fails too

  int Count(FakeCall kind) const { return calls[static_cast<int>(kind)]; }
  void FailCall(FakeCall kind, int index, OsError error = 5, bool fromThenOn = false) {
    failKind = kind;
    failAt = index;
    failError = error;
    failFromThenOn = fromThenOn;
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
