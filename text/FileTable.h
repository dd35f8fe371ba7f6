#pragma once
// The file model shared by the text file reader and writer: the handle that
// names an open file, the record behind it and the table of open records.

#include <cstdint>
#include <memory>
#include <string>

#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

// Names an open text file; 0 names none and is the failure result of opening.
using FileHandle = int64_t;

// The handle request that asks for a new file record.
inline constexpr FileHandle AnyHandle = -1;

// Bytes of every file's buffer; all reading and writing goes through it.
inline constexpr int32_t FileBufferSize = 4096;

// The encoding of a file's bytes; the system uses the ANSI code page only.
enum TextEncoding : int32_t { EncodingAnsi = 24 };

enum FileMode : int32_t { WritingMode = 0, ReadingMode = 1 };

struct FileRecord {
  OsHandle osHandle = 0;
  std::unique_ptr<uint8_t[]> buffer;  // absent when it could not be obtained
  int32_t bufferSize = 0;
  int32_t count = 0;   // reading: bytes not yet consumed; writing: bytes free
  int32_t filled = 0;  // reading: bytes the last refill delivered
  FileMode mode = WritingMode;
  int32_t readOnly = 0;
  OsError firstError = 0;    // the first failed read, write or move
  bool markChecked = false;  // reading: the byte-order mark has been looked for
  int32_t utf16 = 0;         // reading: 0 code page bytes, 1 UTF-16 LE, 2 UTF-16 BE
  int32_t heldUnit = -1;     // reading UTF-16: a unit read ahead and not yet consumed
  FileRecord* newer = nullptr;
  FileRecord* older = nullptr;
  std::string lineBytes;  // the bytes of the line being read or written
  std::string endBytes;   // the bytes of a line end; apart, so that lineBytes
                          // keeps its size from one line to the next
  Text joinedPieces;      // short pieces of a line, joined to be converted at once
  Text line;              // the last line read
};

// A new zeroed record at the head of the table.
FileRecord* NewFileRecord();

// Unlinks record from the table and frees it.
void FreeFileRecord(FileRecord* record);

// The record handle names, or nullptr when it names no open file.
FileRecord* FindOpenFile(FileHandle handle);

// The handle that names record.
FileHandle HandleOf(const FileRecord* record);

// Remembers error as the record's first error unless it already has one.
void RememberError(FileRecord& record, OsError error);

// Gives the record a buffer of FileBufferSize bytes when one can be obtained.
void ObtainBuffer(FileRecord& record);

// A new record at the head of the table for a file the platform opened, in
// ReadingMode with nothing read ahead; readOnly 1 keeps every write out.
// Yields 0 when osHandle names no file.
FileHandle AddOpenFile(OsHandle osHandle, int32_t readOnly);

// Writes the pending bytes of a record in WritingMode with one platform write.
void Flush(FileRecord& record);

// Writes bytes straight to the record's file; a failure is remembered.
void WriteToFile(FileRecord& record, const uint8_t* bytes, size_t count);

// Writes pending output, closes the file and frees its record. Returns the
// first error the file met (read, write, move or close), 0 when none; a
// handle that names no open file is ignored and gives 0.
OsError CloseTextFile(FileHandle handle);

// Closes every open file, newest first, as CloseTextFile does.
void CloseAllTextFiles();

}  // namespace meshfold
