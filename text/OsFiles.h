#pragma once
// The platform's file calls, gathered in one table so that tests can count
// them and make any of them fail. Only the text file reader and writer (and
// the file table they share) and the look at images reach the platform,
// through OsFiles().

#include <cstdint>
#include <memory>
#include <vector>

#include "text/Text.h"

namespace meshfold {

// A platform file handle; 0 and InvalidOsHandle name no file.
using OsHandle = int64_t;
inline constexpr OsHandle InvalidOsHandle = -1;

// True when handle names an open file.
inline bool NamesFile(OsHandle handle) { return handle != InvalidOsHandle && handle != 0; }

// What stopped a file call: a platform error code (errno, GetLastError), or
// one of the failures below that the platform has no code of its own for.
// 0 means no error.
using OsError = int64_t;
inline constexpr OsError NotRegularFileError = -2;  // a folder, pipe or device where a file was meant
inline constexpr OsError FileInUseError = -3;       // held by another program (POSIX: locked)
inline constexpr OsError UnknownError = -1;         // the platform failed without saying why

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
  // A file buffer of count bytes, or nullptr when no memory can be had for it.
  std::unique_ptr<uint8_t[]> (*newBuffer)(size_t count);
  // The names in folder (a path ending in a separator, or "" for the current
  // folder), without "." and "..", into names; false with error set when the
  // folder cannot be listed.
  bool (*listFolder)(TextView folder, std::vector<Text>& names, OsError& error);
};

// The calls in force: the platform's own unless a test installed others.
const OsFileCalls& OsFiles();

// Puts calls in force (nullptr: the platform's own); returns the previous ones.
const OsFileCalls* InstallOsFileCalls(const OsFileCalls* calls);

// The platform's own calls, from the backend chosen at build time.
const OsFileCalls& PlatformOsFileCalls();

// The words for error: the platform's description, in the system's language,
// or ours for the failures it has no code for.
Text OsErrorText(OsError error);

// The platform's description of a platform error code; "" when it has none.
Text PlatformErrorText(OsError error);

// Reads up to count of the first bytes of the file at path into bytes, through
// the calls in force, as a look at what kind of file it is. Returns 0, or the
// platform error that kept the file from being opened or read; read holds the
// bytes delivered.
OsError ReadLeadingBytes(TextView path, uint8_t* bytes, int32_t count, int32_t& read);

// A file buffer from the C++ heap, as every platform gets it.
std::unique_ptr<uint8_t[]> NewFileBuffer(size_t count);

}  // namespace meshfold
