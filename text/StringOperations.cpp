#include "text/StringOperations.h"

#include <algorithm>

#include "text/CopyUnits.h"

namespace meshfold {

namespace {

bool IsSeparator(char16_t unit) { return unit == u'/' || unit == u'\\'; }

// Position 1 when the path does not open with a quotation mark, else 2.
size_t PartBegin(TextView path) { return path.front() == u'"' ? 1 : 0; }

int DigitValue(char16_t unit, int base) {
  int value = 99;
  if (unit >= u'0' && unit <= u'9') value = unit - u'0';
  if (base == 16 && unit >= u'A' && unit <= u'F') value = unit - u'A' + 10;
  if (base == 16 && unit >= u'a' && unit <= u'f') value = unit - u'a' + 10;
  return value < base ? value : -1;
}

bool Overlaps(const Text& target, TextView part) {
  const char16_t* begin = target.data();
  const char16_t* end = begin + target.capacity();
  return !part.empty() && part.data() >= begin && part.data() < end;
}

// The common case of an index field: plain decimal digits, then anything.
bool ReadPlainDecimal(TextView text, int64_t& value) {
  if (text.empty() || text[0] < u'0' || text[0] > u'9') return false;
  uint64_t sum = 0;
  for (const char16_t unit : text) {
    const uint32_t digit = static_cast<uint32_t>(unit) - u'0';
    if (digit > 9) break;
    sum = sum * 10 + digit;
  }
  value = static_cast<int64_t>(sum);
  return true;
}

}  // namespace

int64_t FindText(TextView haystack, TextView needle, int32_t start) {
  if (haystack.empty() || needle.empty()) return 0;
  if (needle.size() == 1 && start <= 1) return FindUnit(haystack, needle[0]);
  const int64_t skip = std::clamp<int64_t>(int64_t{start} - 1, 0, TextLength(haystack));
  const size_t found = haystack.find(needle, static_cast<size_t>(skip));
  return found == TextView::npos ? 0 : static_cast<int64_t>(found) + 1;
}

int64_t TextToInteger(TextView text) {
  int64_t plain = 0;
  if (ReadPlainDecimal(text, plain)) return plain;
  size_t at = 0;
  while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
    negative = text[at] == u'-';
    ++at;
  }
  int base = 10;
  if (at < text.size() && text[at] == u'$') base = 16;
  if (at < text.size() && text[at] == u'%') base = 2;
  if (base != 10) ++at;
  uint64_t value = 0;
  for (; at < text.size(); ++at) {
    const int digit = DigitValue(text[at], base);
    if (digit < 0) break;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
  }
  if (negative) value = 0U - value;
  return static_cast<int64_t>(value);
}

IntegerText::IntegerText(int64_t value) {
  const bool negative = value < 0;
  uint64_t magnitude = negative ? 0U - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    digits_[--first_] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) digits_[--first_] = u'-';
}

IntegerText IntegerToText(int64_t value) { return IntegerText(value); }

TextView DirectoryPart(TextView path) {
  if (path.empty()) return {};
  size_t afterSeparator = 0;
  for (size_t at = 0; at < path.size() && path[at] != u'|'; ++at) {
    if (IsSeparator(path[at])) afterSeparator = at + 1;
  }
  const size_t begin = PartBegin(path);
  if (afterSeparator <= begin) return {};
  return path.substr(begin, afterSeparator - begin);
}

TextView FilePart(TextView path) {
  if (path.empty()) return {};
  size_t begin = PartBegin(path);
  for (size_t at = 0; at < path.size(); ++at) {
    if (IsSeparator(path[at])) begin = at + 1;
  }
  const TextView part = path.substr(std::min(begin, path.size()));
  return part.substr(0, part.find(u'"'));
}

namespace {

// Writes parts into target from position at on, sizing target to fit them.
// Growing a reused text only fills what its last value did not cover, and the
// copies overwrite that.
void PlaceParts(Text& target, size_t at, std::initializer_list<TextView> parts) {
  size_t total = at;
  for (TextView part : parts) total += part.size();
  target.resize(total);
  char16_t* out = target.data() + at;
  for (TextView part : parts) out = CopyUnits(out, part);
}

bool AnyOverlaps(const Text& target, std::initializer_list<TextView> parts) {
  for (TextView part : parts) {
    if (Overlaps(target, part)) return true;
  }
  return false;
}

}  // namespace

void AppendTexts(Text& target, std::initializer_list<TextView> parts) {
  if (AnyOverlaps(target, parts)) {
    Text joined = target;
    PlaceParts(joined, joined.size(), parts);
    target = joined;
    return;
  }
  PlaceParts(target, target.size(), parts);
}

void JoinTexts(Text& target, std::initializer_list<TextView> parts) {
  if (AnyOverlaps(target, parts)) {
    target = JoinedText(parts);
    return;
  }
  PlaceParts(target, 0, parts);
}

Text JoinedText(std::initializer_list<TextView> parts) {
  Text joined;
  AppendTexts(joined, parts);
  return joined;
}

}  // namespace meshfold
