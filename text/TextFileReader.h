#pragma once
// Reading text files line by line through the file's 4096-byte buffer. A line
// ends at LF, CR, CR LF or a NUL; the terminator is not part of it. A UTF-8
// byte-order mark at the start is skipped; a UTF-16 one (LE or BE) makes the
// file UTF-16, whose units are read as they are. Other bytes go through the
// system code page.

#include "text/FileTable.h"
#include "text/Text.h"

namespace meshfold {

// Opens an existing file for reading, shared with no other holder. request
// must be AnyHandle. Yields the new handle, or 0 with error set.
FileHandle OpenTextFile(FileHandle request, TextView path, OsError& error);

// True when no byte remains to be read, after a read error, and for a handle
// that names no open file.
bool AtEnd(FileHandle handle);

// The next line without its terminator, "" at the end of the data and for a
// handle that names no open file. The view stays valid until the next
// ReadLine on the same handle or until the file is closed.
TextView ReadLine(FileHandle handle, TextEncoding encoding);

}  // namespace meshfold
