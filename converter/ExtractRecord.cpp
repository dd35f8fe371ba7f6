#include "converter/ExtractRecord.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "converter/RecordCuts.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

constexpr TextView VertexPrefix = u"v ";
constexpr TextView NormalPrefix = u"vn ";
constexpr TextView FacePrefix = u"f ";

// TextEquals of the line's first prefix.size() characters and prefix.
bool BeginsWith(TextView line, TextView prefix) {
  if (line.size() < prefix.size()) return false;
  for (size_t at = 0; at < prefix.size(); ++at) {
    if (line[at] != prefix[at]) return false;
  }
  return true;
}

// The next record number of a kind, with room made for it. The arrays grow
// one element at a time; their storage grows geometrically underneath.
int64_t NextNumber(int64_t& count, TextArray& texts) {
  ++count;
  texts.GrowTo(count);
  return count;
}

bool IsDigit(char16_t unit) { return static_cast<uint32_t>(unit) - u'0' <= 9; }

// The end of the run of digits at `at`. Four code units are tested at a time
// while they are ASCII: adding 0x50 sets bit 7 of a unit from '0' on, adding
// 0x46 sets it from ':' on, and no sum carries into the next unit.
const char16_t* SkipDigits(const char16_t* at, const char16_t* end) {
  constexpr uint64_t Bit7 = 0x0080008000800080ULL;
  while (end - at >= 4) {
    uint64_t units = 0;
    std::memcpy(&units, at, sizeof units);
    if ((units & 0xFF80FF80FF80FF80ULL) != 0) break;
    const uint64_t digits = (units + 0x0050005000500050ULL) & ~(units + 0x0046004600460046ULL) & Bit7;
    if (digits != Bit7) return at + std::countr_zero(~digits & Bit7) / 16;
    at += 4;
  }
  while (at != end && IsDigit(*at)) ++at;
  return at;
}

// Skips a coordinate of the plain form [-]digits.digits at `at` and sets point
// to its '.'; returns the position after it, or nullptr for any other form.
const char16_t* SkipPlainCoordinate(const char16_t* at, const char16_t* end, const char16_t*& point) {
  // Half of all coordinates are negative, so the sign is skipped without a
  // branch to guess.
  at += at != end && *at == u'-';
  const char16_t* const digits = at;
  at = SkipDigits(at, end);
  if (at == digits || at == end || *at != u'.') return nullptr;
  point = at++;
  return SkipDigits(at, end);
}

// The three coordinates after the decimal cut for a record of the plain form
// "x y z", each [-]digits.digits, in one pass. For that form the general cuts
// give the same texts: each field runs through its blank, keeps at most three
// characters after its '.', and has no exponent. False for any other form.
bool CutPlainCoordinates(TextView record, TextView (&kept)[3]) {
  const char16_t* at = record.data();
  const char16_t* const end = at + record.size();
  for (size_t field = 0; field < 3; ++field) {
    const char16_t* const begin = at;
    const char16_t* point = nullptr;
    at = SkipPlainCoordinate(at, end, point);
    if (at == nullptr) return false;
    if (field < 2) {
      if (at == end || *at != u' ') return false;
      ++at;
    } else if (at != end) {
      return false;
    }
    kept[field] = TextView(begin, static_cast<size_t>(std::min(point + 4, at) - begin));
  }
  return true;
}

void StoreVector(TextView record, int64_t& count, TextArray& texts) {
  const int64_t number = NextNumber(count, texts);
  TextView kept[3];
  if (CutPlainCoordinates(record, kept)) {
    texts.AssignJoined(number, {u"<", kept[0], u", ", kept[1], u", ", kept[2], u"> "});
    return;
  }
  const CoordinateFields fields = CutCoordinates(record);
  const CutCoordinate x = CutDecimals(fields.x);
  const CutCoordinate y = CutDecimals(fields.y);
  const CutCoordinate z = CutDecimals(fields.z);
  texts.AssignJoined(number,
                     {u"<", x.kept, x.exponent, u", ", y.kept, y.exponent, u", ", z.kept, z.exponent, u"> "});
}

// The record number an index names: a negative index counts back from the
// last record read so far. 0 when it names no record that can exist.
uint32_t ResolveIndex(int64_t number, int64_t countSoFar) {
  if (number < 0) number += countSoFar + 1;
  const bool storable = number >= 1 && number <= std::numeric_limits<uint32_t>::max();
  return storable ? static_cast<uint32_t>(number) : 0;
}

// Reads the digits at `at`, adding them to value modulo 2^64 as TextToInteger
// does; returns the position after them.
const char16_t* ReadDigits(const char16_t* at, const char16_t* end, uint64_t& value) {
  const char16_t* const stop = SkipDigits(at, end);
  for (; at != stop; ++at) value = value * 10 + static_cast<uint32_t>(*at - u'0');
  return stop;
}

// The indices of a face record of the plain form "v/vt/vn v/vt/vn v/vt/vn"
// (vt may be empty, anything may follow the last vn), read in one pass. Every
// field the general cuts would give is then a run of digits, so the numbers
// are the ones TextToInteger gives. False for any other form.
bool ReadPlainCorners(TextView record, int64_t (&vertex)[3], int64_t (&normal)[3]) {
  const char16_t* at = record.data();
  const char16_t* const end = at + record.size();
  for (size_t corner = 0; corner < 3; ++corner) {
    if (corner > 0 && (at == end || *at++ != u' ')) return false;
    uint64_t number = 0;
    const char16_t* digits = at;
    at = ReadDigits(at, end, number);
    if (at == digits || at == end || *at++ != u'/') return false;
    vertex[corner] = static_cast<int64_t>(number);
    uint64_t texture = 0;
    at = ReadDigits(at, end, texture);
    if (at == end || *at++ != u'/') return false;
    number = 0;
    digits = at;
    at = ReadDigits(at, end, number);
    if (at == digits) return false;
    normal[corner] = static_cast<int64_t>(number);
  }
  return true;
}

// The indices of any face record, through the general cuts.
void ReadCorners(TextView record, int64_t (&vertex)[3], int64_t (&normal)[3]) {
  const FaceFields fields = CutFaceFields(record);
  for (size_t corner = 0; corner < 3; ++corner) {
    vertex[corner] = TextToInteger(fields[3 * corner]);
    normal[corner] = TextToInteger(fields[3 * corner + 2]);
  }
}

void StoreFace(TextView record, RecordStore& store) {
  int64_t vertex[3];
  int64_t normal[3];
  if (!ReadPlainCorners(record, vertex, normal)) ReadCorners(record, vertex, normal);
  FaceCorners corners;
  for (size_t corner = 0; corner < 3; ++corner) {
    corners.vertex[corner] = ResolveIndex(vertex[corner], store.VertexCount);
    corners.normal[corner] = ResolveIndex(normal[corner], store.NormalCount);
  }
  store.FaceTexts.Put(static_cast<size_t>(++store.FaceCount), corners);
}

}  // namespace

void ExtractRecord(TextView line, RecordStore& store) {
  if (BeginsWith(line, VertexPrefix)) {
    line = SubTextToEnd(line, 3);
    StoreVector(line, store.VertexCount, store.VertexTexts);
  }
  if (BeginsWith(line, NormalPrefix)) {
    line = SubTextToEnd(line, 4);
    StoreVector(line, store.NormalCount, store.NormalTexts);
  }
  if (BeginsWith(line, FacePrefix)) {
    line = SubTextToEnd(line, 3);
    StoreFace(line, store);
  }
}

}  // namespace meshfold
