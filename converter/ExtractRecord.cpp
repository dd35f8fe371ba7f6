#include "converter/ExtractRecord.h"

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

void StoreVector(TextView record, int64_t& count, TextArray& texts) {
  const int64_t number = NextNumber(count, texts);
  const CoordinateFields fields = CutCoordinates(record);
  const CutCoordinate x = CutDecimals(fields.x);
  const CutCoordinate y = CutDecimals(fields.y);
  const CutCoordinate z = CutDecimals(fields.z);
  texts.AssignJoined(number,
                     {u"<", x.kept, x.exponent, u", ", y.kept, y.exponent, u", ", z.kept, z.exponent, u"> "});
}

// TextToInteger of an index field, with the plain digits of nearly every
// field read here without the general parse.
int64_t ReadIndex(TextView field) {
  if (field.empty() || field[0] < u'0' || field[0] > u'9') return TextToInteger(field);
  uint64_t value = 0;
  for (const char16_t unit : field) {
    const uint32_t digit = static_cast<uint32_t>(unit) - u'0';
    if (digit > 9) break;
    value = value * 10 + digit;
  }
  return static_cast<int64_t>(value);
}

// The record number an index field names: a negative index counts back from
// the last record read so far. 0 when it names no record that can exist.
uint32_t ResolveIndex(TextView field, int64_t countSoFar) {
  int64_t number = ReadIndex(field);
  if (number < 0) number += countSoFar + 1;
  const bool storable = number >= 1 && number <= std::numeric_limits<uint32_t>::max();
  return storable ? static_cast<uint32_t>(number) : 0;
}

void StoreFace(TextView record, RecordStore& store) {
  const FaceFields fields = CutFaceFields(record);
  FaceCorners corners;
  for (size_t corner = 0; corner < 3; ++corner) {
    corners.vertex[corner] = ResolveIndex(fields[3 * corner], store.VertexCount);
    corners.normal[corner] = ResolveIndex(fields[3 * corner + 2], store.NormalCount);
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
