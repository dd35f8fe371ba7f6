#pragma once
// Writing text files line by line: each line is the bytes of its text in the
// system code page followed by CR LF, collected in the file's 4096-byte buffer.

#include <span>

#include "text/FileTable.h"
#include "text/Text.h"

namespace meshfold {

// Creates the file at path, or empties the file that is there, shared with no
// other holder. request must be AnyHandle. Yields the new handle, or 0 with
// error set when neither creation attempt succeeds (the first one's reason).
FileHandle CreateTextFile(FileHandle request, TextView path, OsError& error);

// True when creating path would replace the file at other: one file by two
// names (links included), or the same spelling.
bool WouldReplace(TextView path, TextView other);

// Writes text and CR LF. Does nothing for a handle that names no open file or
// a file opened for reading. A failed write is remembered, not reported here:
// CloseTextFile returns it.
void WriteLine(FileHandle handle, TextView text, TextEncoding encoding);

// Writes the join of pieces and CR LF, as WriteLine does, without building the
// joined text: a line built of long pieces costs no memory of its own.
void WriteLinePieces(FileHandle handle, std::span<const TextView> pieces, TextEncoding encoding);

// Writes the bytes of pieces as they are, without a line end: ASCII texts,
// which every code page writes alike, need no conversion.
void WriteAscii(FileHandle handle, std::span<const AsciiView> pieces);

// Creates or replaces the file at path, lets write(handle) fill it, and closes
// it. Returns 0 when every byte reached the file, else the platform error that
// stopped the creation or the first write that failed.
template <typename Write>
OsError WriteTextFile(TextView path, Write write) {
  OsError error = 0;
  const FileHandle file = CreateTextFile(AnyHandle, path, error);
  if (file == 0) return error;
  write(file);
  return CloseTextFile(file);
}

}  // namespace meshfold
