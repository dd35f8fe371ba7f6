#include "text/TextFileReader.h"

#include <array>

#include "text/CodePage.h"

namespace meshfold {

namespace {

constexpr uint8_t CR = 13;
constexpr uint8_t LF = 10;

// One read of a whole buffer. False at the end of the data or on an error.
bool Refill(FileRecord& record) {
  OsError error = 0;
  const int32_t delivered = OsFiles().read(record.osHandle, record.buffer.get(), record.bufferSize, error);
  if (delivered <= 0 && error != 0) RememberError(record, error);
  record.filled = delivered > 0 ? delivered : 0;
  record.count = record.filled;
  return record.count > 0;
}

bool ReadByte(FileRecord& record, uint8_t& byte) {
  if (record.buffer == nullptr) {
    OsError error = 0;
    const int32_t delivered = OsFiles().read(record.osHandle, &byte, 1, error);
    if (delivered <= 0 && error != 0) RememberError(record, error);
    return delivered == 1;
  }
  if (record.count == 0 && !Refill(record)) return false;
  byte = record.buffer[static_cast<size_t>(record.filled - record.count)];
  --record.count;
  return true;
}

void GiveBack(FileRecord& record) {
  if (record.buffer != nullptr) {
    ++record.count;
    return;
  }
  OsError error = 0;
  if (!OsFiles().move(record.osHandle, -1, error)) RememberError(record, error);
}

constexpr std::array<bool, 256> MakeTerminators() {
  std::array<bool, 256> terminators{};
  terminators[0] = terminators[LF] = terminators[CR] = true;
  return terminators;
}

constexpr std::array<bool, 256> IsTerminator = MakeTerminators();

// Consumes the bytes of the line up to its terminator and returns that
// terminator, or 0 when the data ended first (a NUL ends a line the same way).
uint8_t TakeLineBytes(FileRecord& record) {
  if (record.buffer == nullptr) {
    uint8_t byte = 0;
    while (ReadByte(record, byte)) {
      if (IsTerminator[byte]) return byte;
      record.lineBytes.push_back(static_cast<char>(byte));
    }
    return 0;
  }
  while (record.count > 0 || Refill(record)) {
    const uint8_t* begin = record.buffer.get() + (record.filled - record.count);
    const uint8_t* end = record.buffer.get() + record.filled;
    const uint8_t* stop = begin;
    while (stop != end && !IsTerminator[*stop]) ++stop;
    record.lineBytes.append(begin, stop);
    record.count -= static_cast<int32_t>(stop - begin);
    if (stop != end) {
      --record.count;
      return *stop;
    }
  }
  return 0;
}

}  // namespace

FileHandle OpenTextFile(FileHandle request, TextView path) {
  if (request != AnyHandle) return 0;
  OsError error = 0;
  const OsHandle osHandle = OsFiles().open(path, OsOpenMode::ReadExisting, error);
  return AddOpenFile(osHandle, error, 1);
}

bool AtEnd(FileHandle handle) {
  FileRecord* record = FindOpenFile(handle);
  if (record == nullptr) return true;
  uint8_t byte = 0;
  if (!ReadByte(*record, byte)) return true;
  GiveBack(*record);
  return false;
}

TextView ReadLine(FileHandle handle, TextEncoding /*encoding*/) {
  FileRecord* record = FindOpenFile(handle);
  if (record == nullptr) return {};
  record->lineBytes.clear();
  if (TakeLineBytes(*record) == CR) {
    uint8_t next = 0;
    if (ReadByte(*record, next) && next != LF) GiveBack(*record);
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(record->lineBytes.data());
  AnsiToText(bytes, record->lineBytes.size(), record->line);
  return record->line;
}

}  // namespace meshfold
