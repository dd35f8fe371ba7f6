#include "text/FileTable.h"

namespace meshfold {

namespace {

// The newest record. A process opens a handful of files at most, so looking
// a handle up walks a very short list and never trusts the handle's value.
FileRecord* newestRecord = nullptr;

}  // namespace

FileRecord* NewFileRecord() {
  auto* record = new FileRecord();
  record->older = newestRecord;
  if (newestRecord != nullptr) newestRecord->newer = record;
  newestRecord = record;
  return record;
}

void FreeFileRecord(FileRecord* record) {
  if (record->newer != nullptr) record->newer->older = record->older;
  if (record->older != nullptr) record->older->newer = record->newer;
  if (newestRecord == record) newestRecord = record->older;
  delete record;
}

FileRecord* FindOpenFile(FileHandle handle) {
  for (FileRecord* record = newestRecord; record != nullptr; record = record->older) {
    if (HandleOf(record) == handle) return record->osHandle != 0 ? record : nullptr;
  }
  return nullptr;
}

FileHandle HandleOf(const FileRecord* record) { return reinterpret_cast<FileHandle>(record); }

void RememberError(FileRecord& record, OsError error) {
  if (record.firstError == 0) record.firstError = error;
}

void ObtainBuffer(FileRecord& record) {
  record.buffer = OsFiles().newBuffer(FileBufferSize);
  record.bufferSize = FileBufferSize;
}

FileHandle AddOpenFile(OsHandle osHandle, int32_t readOnly) {
  if (!NamesFile(osHandle)) return 0;
  FileRecord* record = NewFileRecord();
  record->osHandle = osHandle;
  ObtainBuffer(*record);
  record->count = 0;
  record->mode = ReadingMode;
  record->readOnly = readOnly;
  return HandleOf(record);
}

void WriteToFile(FileRecord& record, const uint8_t* bytes, size_t count) {
  OsError error = 0;
  if (!OsFiles().write(record.osHandle, bytes, count, error)) RememberError(record, error);
}

void Flush(FileRecord& record) {
  if (record.mode != WritingMode) return;
  const int32_t pending = record.bufferSize - record.count;
  if (pending > 0) WriteToFile(record, record.buffer.get(), static_cast<size_t>(pending));
  record.count = record.bufferSize;
}

OsError CloseTextFile(FileHandle handle) {
  FileRecord* record = FindOpenFile(handle);
  if (record == nullptr) return 0;
  if (record->buffer != nullptr && record->mode == WritingMode) Flush(*record);
  record->buffer.reset();
  OsError error = 0;
  if (!OsFiles().close(record->osHandle, error)) RememberError(*record, error);
  const OsError firstError = record->firstError;
  FreeFileRecord(record);
  return firstError;
}

void CloseAllTextFiles() {
  while (newestRecord != nullptr) {
    if (newestRecord->osHandle == 0) {
      FreeFileRecord(newestRecord);
    } else {
      CloseTextFile(HandleOf(newestRecord));
    }
  }
}

}  // namespace meshfold
