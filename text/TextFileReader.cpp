#include "text/TextFileReader.h"

#include <array>
#include <bit>
#include <cstring>

#include "text/VectorPaths.h"

#if MESHFOLD_SSE2
#include <emmintrin.h>
#endif

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

// The first terminator in begin .. end, or end. Sixteen or eight bytes at a
// time; the word test flags every byte below 14, so it misses no terminator.
const uint8_t* FindTerminator(const uint8_t* begin, const uint8_t* end) {
  const uint8_t* at = begin;
#if MESHFOLD_SSE2
  const __m128i nul = _mm_setzero_si128();
  const __m128i lineFeed = _mm_set1_epi8(static_cast<char>(LF));
  const __m128i carriageReturn = _mm_set1_epi8(static_cast<char>(CR));
  while (end - at >= 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i hits =
        _mm_or_si128(_mm_cmpeq_epi8(chunk, nul),
                     _mm_or_si128(_mm_cmpeq_epi8(chunk, lineFeed), _mm_cmpeq_epi8(chunk, carriageReturn)));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return at + std::countr_zero(static_cast<unsigned>(mask));
    at += 16;
  }
#endif
  constexpr uint64_t Ones = 0x0101010101010101ULL;
  constexpr uint64_t Highs = 0x8080808080808080ULL;
  while (end - at >= 8) {
    uint64_t word = 0;
    std::memcpy(&word, at, 8);
    if (((word - Ones * 14) & ~word & Highs) != 0) break;
    at += 8;
  }
  while (at != end && !IsTerminator[*at]) ++at;
  return at;
}

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
    const uint8_t* stop = FindTerminator(begin, end);
    record.lineBytes.append(reinterpret_cast<const char*>(begin), static_cast<size_t>(stop - begin));
    record.count -= static_cast<int32_t>(stop - begin);
    if (stop != end) {
      --record.count;
      return *stop;
    }
  }
  return 0;
}

// A CR may be followed by the LF of a CR LF pair, which belongs to it.
void SkipPairedLineFeed(FileRecord& record) {
  uint8_t next = 0;
  if (ReadByte(record, next) && next != LF) GiveBack(record);
}

// The line when it lies whole in the buffer: converted from there, without
// collecting its bytes first. False, with nothing consumed, otherwise.
bool ReadLineInBuffer(FileRecord& record) {
  if (record.buffer == nullptr || record.count == 0) return false;
  const uint8_t* begin = record.buffer.get() + (record.filled - record.count);
  const uint8_t* end = record.buffer.get() + record.filled;
  const uint8_t* stop = FindTerminator(begin, end);
  if (stop == end) return false;
  record.count -= static_cast<int32_t>(stop - begin) + 1;
  // Converted before the pair test, which may refill the buffer under the line.
  AnsiToText(begin, static_cast<size_t>(stop - begin), record.line);
  if (*stop == CR) SkipPairedLineFeed(record);
  return true;
}

// Looks at the file's first bytes, in its first buffer, for a byte-order mark.
void TakeByteOrderMark(FileRecord& record) {
  record.markChecked = true;
  if (record.buffer == nullptr || (record.count == 0 && !Refill(record))) return;
  const uint8_t* at = record.buffer.get() + (record.filled - record.count);
  if (record.count >= 3 && at[0] == 0xEF && at[1] == 0xBB && at[2] == 0xBF) {
    record.count -= 3;
  } else if (record.count >= 2 && ((at[0] == 0xFF && at[1] == 0xFE) || (at[0] == 0xFE && at[1] == 0xFF))) {
    record.utf16 = at[0] == 0xFF ? 1 : 2;
    record.count -= 2;
  }
}

// The next UTF-16 unit, the one held back first. False at the end of the data;
// a last odd byte is no unit.
bool ReadUnit(FileRecord& record, char16_t& unit) {
  if (record.heldUnit >= 0) {
    unit = static_cast<char16_t>(record.heldUnit);
    record.heldUnit = -1;
    return true;
  }
  uint8_t first = 0;
  uint8_t second = 0;
  if (!ReadByte(record, first) || !ReadByte(record, second)) return false;
  unit = static_cast<char16_t>(record.utf16 == 1 ? second << 8 | first : first << 8 | second);
  return true;
}

// A UTF-16 line, whose CR may be followed by the LF of its pair.
void ReadUtf16Line(FileRecord& record) {
  record.line.clear();
  char16_t unit = 0;
  while (ReadUnit(record, unit) && unit != LineFeed && unit != CarriageReturn && unit != 0) {
    record.line.push_back(unit);
  }
  if (unit != CarriageReturn || !ReadUnit(record, unit) || unit == LineFeed) return;
  record.heldUnit = unit;
}

}  // namespace

FileHandle OpenTextFile(FileHandle request, TextView path, OsError& error) {
  error = request == AnyHandle ? 0 : UnknownError;
  if (request != AnyHandle) return 0;
  const FileHandle file = AddOpenFile(OsFiles().open(path, OsOpenMode::ReadExisting, error), 1);
  if (file == 0 && error == 0) error = UnknownError;
  return file;
}

bool AtEnd(FileHandle handle) {
  FileRecord* record = FindOpenFile(handle);
  if (record == nullptr) return true;
  if (record->heldUnit >= 0) return false;
  uint8_t byte = 0;
  if (!ReadByte(*record, byte)) return true;
  GiveBack(*record);
  return false;
}

TextView ReadLine(FileHandle handle, TextEncoding /*encoding*/) {
  FileRecord* record = FindOpenFile(handle);
  if (record == nullptr) return {};
  if (!record->markChecked) TakeByteOrderMark(*record);
  if (record->utf16 != 0) {
    ReadUtf16Line(*record);
    return record->line;
  }
  if (ReadLineInBuffer(*record)) return record->line;
  record->lineBytes.clear();
  if (TakeLineBytes(*record) == CR) SkipPairedLineFeed(*record);
  const auto* bytes = reinterpret_cast<const uint8_t*>(record->lineBytes.data());
  AnsiToText(bytes, record->lineBytes.size(), record->line);
  return record->line;
}

}  // namespace meshfold
