#include "converter/RecordCuts.h"

#include "text/StringOperations.h"

namespace meshfold {

namespace {

bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

size_t DigitsFrom(TextView text, size_t at) {
  size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

// Length of an exponent ("e", an optional sign, at least one digit) at the
// start of text; 0 when text does not begin with one.
size_t ExponentLength(TextView text) {
  if (text.empty() || (text[0] != u'e' && text[0] != u'E')) return 0;
  size_t at = 1;
  if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) ++at;
  const size_t digits = DigitsFrom(text, at);
  return digits == 0 ? 0 : at + digits;
}

}  // namespace

CoordinateFields CutCoordinates(TextView record) {
  CoordinateFields fields;
  const int64_t firstBlank = FindUnit(record, u' ');
  fields.x = SubText(record, 0, static_cast<int32_t>(firstBlank));
  const TextView rest = SubTextToEnd(record, static_cast<int32_t>(firstBlank + 1));
  const int64_t secondBlank = FindUnit(rest, u' ');
  fields.y = SubText(rest, 0, static_cast<int32_t>(secondBlank));
  fields.z = SubTextToEnd(rest, static_cast<int32_t>(secondBlank + 1));
  return fields;
}

CutCoordinate CutDecimals(TextView field) {
  const int64_t point = FindUnit(field, u'.');
  // Integer coordinates such as "1000 " are kept whole: cutting them would
  // change their value.
  if (point == 0) return {field, {}};
  const TextView kept = LeftText(field, static_cast<int32_t>(point + 3));
  const size_t decimalsEnd = static_cast<size_t>(point) + DigitsFrom(field, static_cast<size_t>(point));
  const size_t exponentLength = ExponentLength(field.substr(decimalsEnd));
  if (exponentLength == 0) return {kept, {}};
  if (decimalsEnd - static_cast<size_t>(point) <= 3) return {field, {}};
  return {kept, field.substr(decimalsEnd, exponentLength)};
}

FaceFields CutFaceFields(TextView record) {
  static constexpr char16_t Separators[8] = {u'/', u'/', u' ', u'/', u'/', u' ', u'/', u'/'};
  FaceFields fields;
  // A cut whose separator is missing gives an empty field and leaves the rest
  // of the record as it was.
  const char16_t* rest = record.data();
  const char16_t* const end = rest + record.size();
  for (size_t k = 0; k < 8; ++k) {
    const char16_t* at = rest;
    while (at != end && *at != Separators[k]) ++at;
    if (at == end) {
      fields[k] = {};
      continue;
    }
    fields[k] = TextView(rest, static_cast<size_t>(at - rest));
    rest = at + 1;
  }
  fields[8] = TextView(rest, static_cast<size_t>(end - rest));
  return fields;
}

}  // namespace meshfold
