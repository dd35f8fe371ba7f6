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

// The part of rest up to and including its first blank, which rest then
// drops; "" with rest unchanged when it holds no blank.
TextView TakeThroughBlank(TextView& rest) {
  const int64_t blank = FindUnit(rest, u' ');
  if (blank == 0) return {};
  const TextView field = rest.substr(0, static_cast<size_t>(blank));
  rest.remove_prefix(static_cast<size_t>(blank));
  return field;
}

}  // namespace

CoordinateFields CutCoordinates(TextView record) {
  CoordinateFields fields;
  fields.x = TakeThroughBlank(record);
  fields.y = TakeThroughBlank(record);
  fields.z = record;
  return fields;
}

CutCoordinate CutDecimals(TextView field) {
  const int64_t point = FindUnit(field, u'.');
  // Integer coordinates such as "1000 " are kept whole: cutting them would
  // change their value.
  if (point == 0) return {field, {}};
  const TextView kept = LeftText(field, static_cast<int32_t>(point + 3));
  const size_t decimalsEnd = static_cast<size_t>(point) + DigitsFrom(field, static_cast<size_t>(point));
  const TextView afterDecimals(field.data() + decimalsEnd, field.size() - decimalsEnd);
  const size_t exponentLength = ExponentLength(afterDecimals);
  if (exponentLength == 0) return {kept, {}};
  if (decimalsEnd - static_cast<size_t>(point) <= 3) return {field, {}};
  return {kept, afterDecimals.substr(0, exponentLength)};
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
