#include "converter/ExtractRecord.h"

#include <limits>

#include "text/StringOperations.h"

namespace meshfold {

namespace {

// TextEquals of the line's first prefix.size() characters and prefix.
bool BeginsWith(TextView line, TextView prefix) {
  if (line.size() < prefix.size()) return false;
  for (size_t at = 0; at < prefix.size(); ++at) {
    if (line[at] != prefix[at]) return false;
  }
  return true;
}

bool IsDigit(char16_t unit) { return static_cast<uint32_t>(unit) - u'0' <= 9; }

const char16_t* SkipDigits(const char16_t* at, const char16_t* end) {
  while (at != end && IsDigit(*at)) ++at;
  return at;
}

// Length of an exponent ("e", an optional sign, at least one digit) at `at`;
// 0 when none begins there.
size_t ExponentLength(const char16_t* at, const char16_t* end) {
  const char16_t* const begin = at;
  if (at == end || (*at != u'e' && *at != u'E')) return 0;
  ++at;
  if (at != end && (*at == u'-' || *at == u'+')) ++at;
  const char16_t* const digits = at;
  at = SkipDigits(at, end);
  return at == digits ? 0 : static_cast<size_t>(at - begin);
}

// Where a field's first '.' stands and where the digits after it end.
struct Point {
  const char16_t* at = nullptr;  // nullptr when the field has none
  const char16_t* decimalsEnd = nullptr;
};

// Looks for the first '.' from `at` on, a run of digits at a time, and for a
// blank when the field ends at one. Returns where the field ends: its blank,
// or end when there is none or the field is the last.
const char16_t* ScanField(const char16_t* at, const char16_t* end, bool endsAtBlank, Point& point) {
  for (;;) {
    at = SkipDigits(at, end);
    if (at == end || (*at == u' ' && endsAtBlank)) return at;
    if (*at == u'.' && point.at == nullptr) {
      point.at = at;
      at = point.decimalsEnd = SkipDigits(at + 1, end);
      if (!endsAtBlank) return end;
      continue;
    }
    ++at;
  }
}

// A coordinate field after the decimal cut: the kept text, then the exponent
// that follows it in the output ("" when there is none or it is kept anyway).
struct CutField {
  TextView kept;
  TextView exponent;
};

// Cuts the field begin .. end after the third character behind its point. A
// field without a point stays whole, since cutting an integer would change its
// value; an exponent survives the cut, and a field with three decimals or
// fewer before its exponent stays whole.
CutField CutDecimals(const char16_t* begin, const Point& point, const char16_t* end) {
  const TextView whole(begin, static_cast<size_t>(end - begin));
  if (point.at == nullptr) return {whole, {}};
  const TextView kept = whole.substr(0, static_cast<size_t>(point.at + 4 - begin));
  const size_t exponent = ExponentLength(point.decimalsEnd, end);
  if (exponent == 0) return {kept, {}};
  if (point.decimalsEnd - point.at <= 4) return {whole, {}};
  return {kept, TextView(point.decimalsEnd, exponent)};
}

// The record's x and y run through their blank; a field without one is empty
// and leaves the record to the next. z is the rest, further fields included.
void StoreVector(TextView record, int64_t& count, TextArray& texts) {
  const char16_t* at = record.data();
  const char16_t* const end = at + record.size();
  CutField cut[3];
  for (size_t field = 0; field < 2; ++field) {
    Point point;
    const char16_t* const blank = ScanField(at, end, true, point);
    if (blank == end) continue;
    cut[field] = CutDecimals(at, point, blank + 1);
    at = blank + 1;
  }
  Point point;
  ScanField(at, end, false, point);
  cut[2] = CutDecimals(at, point, end);
  texts.GrowTo(++count);
  texts.AssignJoined(count, {u"<", cut[0].kept, cut[0].exponent, u", ", cut[1].kept, cut[1].exponent, u", ",
                             cut[2].kept, cut[2].exponent, u"> "});
}

// Cuts rest at its first separator and reads the integer of the part before
// it as TextToInteger does; rest goes on after the separator. Without one the
// part is empty (0) and rest stays as it was. A part that begins with digits
// is read in the same look that finds the separator.
int64_t CutIndex(TextView& rest, char16_t separator) {
  size_t at = 0;
  const uint64_t leading = ReadDecimalDigits(rest, at);
  const size_t digits = at;
  while (at != rest.size() && rest[at] != separator) ++at;
  if (at == rest.size()) return 0;
  const TextView part = rest.substr(0, at);
  rest.remove_prefix(at + 1);
  return digits > 0 ? static_cast<int64_t>(leading) : TextToInteger(part);
}

// The record number an index names: a negative index counts back from the
// last record read so far. 0 when it names no record that can exist.
uint32_t ResolveIndex(int64_t number, int64_t countSoFar) {
  if (number < 0) number += countSoFar + 1;
  const bool storable = number >= 1 && number <= std::numeric_limits<uint32_t>::max();
  return storable ? static_cast<uint32_t>(number) : 0;
}

// A face record is cut at "/", "/", " " for each of its first two corners and
// at "/", "/" for the third, whose normal index is the rest of the line.
void StoreFace(TextView record, RecordStore& store) {
  FaceCorners corners;
  for (size_t corner = 0; corner < 3; ++corner) {
    const int64_t vertex = CutIndex(record, u'/');
    CutIndex(record, u'/');  // the texture index, which the output has no place for
    const int64_t normal = corner < 2 ? CutIndex(record, u' ') : TextToInteger(record);
    corners.vertex[corner] = ResolveIndex(vertex, store.VertexCount);
    corners.normal[corner] = ResolveIndex(normal, store.NormalCount);
  }
  const auto number = static_cast<size_t>(++store.FaceCount);
  store.FaceTexts.GrowTo(number);
  store.FaceTexts[number] = corners;
}

}  // namespace

void ExtractRecord(TextView line, RecordStore& store) {
  if (BeginsWith(line, u"v ")) {
    line = SubTextToEnd(line, 3);
    StoreVector(line, store.VertexCount, store.VertexTexts);
  }
  if (BeginsWith(line, u"vn ")) {
    line = SubTextToEnd(line, 4);
    StoreVector(line, store.NormalCount, store.NormalTexts);
  }
  if (BeginsWith(line, u"f ")) {
    line = SubTextToEnd(line, 3);
    StoreFace(line, store);
  }
}

}  // namespace meshfold
