#pragma once
// Writing text files line by line: each line is the bytes of its text in the
// system code page followed by CR LF, collected in the file's 4096-byte buffer.

#include <span>

#include "text/FileTable.h"
#include "text/Text.h"

namespace meshfold {

// Creates the file at path, or empties the file that is there, shared with no
// other holder. request must be AnyHandle. Yields the new handle, or 0 (with
// LastOpenError set) when neither creation attempt succeeds.
FileHandle CreateTextFile(FileHandle request, TextView path);

// Writes text and CR LF. Does nothing for a handle that names no open file or
// a file opened for reading. A failed write is remembered, not reported here:
// CloseTextFile returns it.
void WriteLine(FileHandle handle, TextView text, TextEncoding encoding);

// Writes the join of pieces and CR LF, as WriteLine does, without building the
// joined text: a line built of long pieces costs no memory of its own.
void WriteLinePieces(FileHandle handle, std::span<const TextView> pieces, TextEncoding encoding);

// Writes the pending bytes of a record in WritingMode with one platform write.
void Flush(FileRecord& record);

}  // namespace meshfold
