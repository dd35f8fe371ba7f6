#include "text/FileTable.h"

#include <new>

#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

// The newest record. A process opens a handful of files at most, so looking
// a handle up walks a very short list and never trusts the handle's value.
FileRecord* newestRecord = nullptr;
OsError lastOpenError = 0;
bool failBufferAllocation = false;

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
  if (!failBufferAllocation) {
    record.buffer.reset(new (std::nothrow) uint8_t[FileBufferSize]);
  }
  record.bufferSize = FileBufferSize;
}

void FailBufferAllocationForTesting(bool fail) { failBufferAllocation = fail; }

FileHandle AddOpenFile(OsHandle osHandle, OsError error, int32_t readOnly) {
  if (osHandle == InvalidOsHandle || osHandle == 0) {
    lastOpenError = error;
    return 0;
  }
  FileRecord* record = NewFileRecord();
  record->osHandle = osHandle;
  ObtainBuffer(*record);
  record->count = 0;
  record->mode = ReadingMode;
  record->readOnly = readOnly;
  return HandleOf(record);
}

OsError LastOpenError() { return lastOpenError; }

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
