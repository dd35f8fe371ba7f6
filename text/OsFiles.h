#pragma once
// The platform's file calls, gathered in one table so that tests can count
// them and make any of them fail. The text file reader and writer reach the
// platform only through OsFiles().

#include <cstdint>

#include "text/Text.h"

namespace meshfold {

// A platform file handle; 0 and InvalidOsHandle name no file.
using OsHandle = int64_t;
inline constexpr OsHandle InvalidOsHandle = -1;

// A platform error code (errno, GetLastError); 0 means no error.
using OsError = int64_t;

// How a file is opened. Every mode shares the file with no other holder.
enum class OsOpenMode {
  ReadExisting,      // read access, the file must exist
  CreateAlways,      // read and write access, created or emptied
  TruncateExisting,  // write access only, the existing file emptied
};

struct OsFileCalls {
  // The open file, or InvalidOsHandle (or 0) with error set.
  OsHandle (*open)(TextView path, OsOpenMode mode, OsError& error);
  // Up to count bytes into destination; the number delivered, 0 at the end
  // of the file and on an error (then error is set).
  int32_t (*read)(OsHandle file, uint8_t* destination, int32_t count, OsError& error);
  // All count bytes; false with error set when any of them was not written.
  bool (*write)(OsHandle file, const uint8_t* source, size_t count, OsError& error);
  // Moves the file position by distance bytes from the current position.
  bool (*move)(OsHandle file, int64_t distance, OsError& error);
  // Closes file; false with error set when the platform reports a late error.
  bool (*close)(OsHandle file, OsError& error);
  // True when a and b name one existing file (by identity, not spelling), or
  // are spelt the same.
  bool (*sameFile)(TextView a, TextView b);
};

// The calls in force: the platform's own unless a test installed others.
const OsFileCalls& OsFiles();

// Puts calls in force (nullptr: the platform's own); returns the previous ones.
const OsFileCalls* InstallOsFileCalls(const OsFileCalls* calls);

// The platform's own calls, from the backend chosen at build time.
const OsFileCalls& PlatformOsFileCalls();

// The platform's description of error, in the system's language.
Text OsErrorText(OsError error);

}  // namespace meshfold
