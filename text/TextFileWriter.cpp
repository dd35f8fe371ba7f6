#include "text/TextFileWriter.h"

#include <cstring>

#include "text/CodePage.h"

namespace meshfold {

namespace {

constexpr TextView LineEnd = u"\r\n";

void WriteToFile(FileRecord& record, const uint8_t* bytes, size_t count) {
  OsError error = 0;
  if (!OsFiles().write(record.osHandle, bytes, count, error)) RememberError(record, error);
}

// Moves the file position back over bytes read ahead and not consumed, so that
// writing starts where reading stopped.
void SwitchToWriting(FileRecord& record) {
  OsError error = 0;
  if (!OsFiles().move(record.osHandle, -static_cast<int64_t>(record.count), error)) {
    RememberError(record, error);
  }
  record.mode = WritingMode;
  record.count = record.bufferSize;
}

// Keeps a piece in the buffer only while it fits with a byte to spare; a piece
// of a whole buffer or more goes to the file at once, after the pending bytes.
void BufferedWrite(FileRecord& record, const uint8_t* bytes, size_t count) {
  if (record.readOnly != 0) return;
  if (record.mode == ReadingMode) SwitchToWriting(record);
  if (count >= static_cast<size_t>(record.count)) {
    Flush(record);
    if (count >= static_cast<size_t>(record.bufferSize)) {
      WriteToFile(record, bytes, count);
      return;
    }
  }
  std::memcpy(record.buffer.get() + (record.bufferSize - record.count), bytes, count);
  record.count -= static_cast<int32_t>(count);
}

void WriteText(FileRecord& record, TextView text, std::string& store) {
  if (text.empty()) return;
  if (!TextToAnsi(text, store)) return;
  const auto* bytes = reinterpret_cast<const uint8_t*>(store.data());
  if (record.buffer == nullptr) {
    if (record.readOnly == 0) WriteToFile(record, bytes, store.size());
  } else {
    BufferedWrite(record, bytes, store.size());
  }
}

OsHandle CreateFile(TextView path, OsError& error) {
  const OsHandle first = OsFiles().open(path, OsOpenMode::CreateAlways, error);
  if (first != InvalidOsHandle) return first;
  return OsFiles().open(path, OsOpenMode::TruncateExisting, error);
}

}  // namespace

FileHandle CreateTextFile(FileHandle request, TextView path) {
  if (request != AnyHandle) return 0;
  FileRecord* record = NewFileRecord();
  OsError error = 0;
  const OsHandle osHandle = CreateFile(path, error);
  if (osHandle == InvalidOsHandle || osHandle == 0) {
    SetLastOpenError(error);
    FreeFileRecord(record);
    return 0;
  }
  record->osHandle = osHandle;
  ObtainBuffer(*record);
  record->count = 0;
  record->mode = ReadingMode;
  record->readOnly = 0;
  return HandleOf(record);
}

void WriteLine(FileHandle handle, TextView text, TextEncoding /*encoding*/) {
  FileRecord* record = FindOpenFile(handle);
  if (record == nullptr) return;
  WriteText(*record, text, record->lineBytes);
  WriteText(*record, LineEnd, record->endBytes);
}

void Flush(FileRecord& record) {
  if (record.mode != WritingMode) return;
  const int32_t pending = record.bufferSize - record.count;
  if (pending > 0) WriteToFile(record, record.buffer.get(), static_cast<size_t>(pending));
  record.count = record.bufferSize;
}

}  // namespace meshfold
