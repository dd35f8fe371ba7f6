#include "tests/fuzz/StringOperationsModel.h"

namespace meshfold::fuzz {

namespace {

int64_t Length(const std::u16string& text) { return static_cast<int64_t>(text.size()); }

// The code unit at 1-based position.
char16_t At(const std::u16string& text, int64_t position) { return text[static_cast<size_t>(position - 1)]; }

bool IsSeparator(char16_t unit) { return unit == u'/' || unit == u'\\'; }

// The code units from position first to position last, both 1-based and inclusive.
std::u16string Positions(const std::u16string& text, int64_t first, int64_t last) {
  std::u16string result;
  for (int64_t position = first; position <= last; ++position) result.push_back(At(text, position));
  return result;
}

// The value of unit as a digit of base, or -1 when it is none.
int DigitOf(char16_t unit, int base) {
  int value = -1;
  if (unit >= u'0' && unit <= u'9') value = unit - u'0';
  if (base == 16 && unit >= u'a' && unit <= u'f') value = 10 + (unit - u'a');
  if (base == 16 && unit >= u'A' && unit <= u'F') value = 10 + (unit - u'A');
  return value >= 0 && value < base ? value : -1;
}

}  // namespace

std::u16string ModelSubText(const std::u16string& text, int32_t start, int32_t length) {
  int64_t wanted = length;
  if (wanted < 0) wanted = 0;
  if (text.empty()) return {};
  int64_t position = start;
  if (position <= 1) position = 1;
  if (position > Length(text)) return {};
  std::u16string result;
  while (Length(result) < wanted && position <= Length(text)) result.push_back(At(text, position++));
  return result;
}

std::u16string ModelSubTextToEnd(const std::u16string& text, int32_t start) {
  if (text.empty()) return {};
  // The rules take this sum in 32 bits: it wraps around like a 32-bit register.
  const uint32_t sum = static_cast<uint32_t>(Length(text)) + 1U - static_cast<uint32_t>(start);
  const int32_t length = static_cast<int32_t>(sum);
  return ModelSubText(text, start, length);
}

std::u16string ModelLeftText(const std::u16string& text, int32_t count) {
  int64_t kept = count;
  if (kept < 0) kept = 0;
  if (kept > Length(text)) kept = Length(text);
  return Positions(text, 1, kept);
}

int64_t ModelFindText(const std::u16string& haystack, const std::u16string& needle, int32_t start) {
  if (haystack.empty() || needle.empty()) return 0;
  int64_t skip = int64_t{start} - 1;
  if (skip < 0) skip = 0;
  if (skip > Length(haystack)) skip = Length(haystack);
  for (int64_t position = skip + 1; position + Length(needle) - 1 <= Length(haystack); ++position) {
    bool matches = true;
    for (int64_t k = 1; k <= Length(needle); ++k) {
      if (At(haystack, position + k - 1) != At(needle, k)) matches = false;
    }
    if (matches) return position;
  }
  return 0;
}

bool ModelTextEquals(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    if (a[k] != b[k]) return false;
  }
  return true;
}

int64_t ModelTextToInteger(const std::u16string& text) {
  if (text.empty()) return 0;
  int64_t position = 1;
  while (position <= Length(text) && (At(text, position) == u' ' || At(text, position) == u'\t')) ++position;
  bool negative = false;
  if (position <= Length(text) && At(text, position) == u'-') {
    negative = true;
    ++position;
  } else if (position <= Length(text) && At(text, position) == u'+') {
    ++position;
  }
  int base = 10;
  if (position <= Length(text) && At(text, position) == u'$') {
    base = 16;
    ++position;
  } else if (position <= Length(text) && At(text, position) == u'%') {
    base = 2;
    ++position;
  }
  uint64_t value = 0;  // unsigned arithmetic is the modulo 2^64 of the rules
  while (position <= Length(text) && DigitOf(At(text, position), base) >= 0) {
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitOf(At(text, position), base));
    ++position;
  }
  if (negative) value = ~value + 1U;
  return static_cast<int64_t>(value);
}

std::u16string ModelIntegerToText(int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string ModelDirectoryPart(const std::u16string& path) {
  if (path.empty()) return {};
  const int64_t begin = At(path, 1) == u'"' ? 2 : 1;
  int64_t lastSeparator = 0;
  for (int64_t position = 1; position <= Length(path) && At(path, position) != u'|'; ++position) {
    if (IsSeparator(At(path, position))) lastSeparator = position;
  }
  if (lastSeparator == 0) return {};
  return Positions(path, begin, lastSeparator);
}

std::u16string ModelFilePart(const std::u16string& path) {
  if (path.empty()) return {};
  int64_t begin = At(path, 1) == u'"' ? 2 : 1;
  for (int64_t position = 1; position <= Length(path); ++position) {
    if (IsSeparator(At(path, position))) begin = position + 1;
  }
  int64_t end = Length(path);
  for (int64_t position = Length(path); position >= begin; --position) {
    if (At(path, position) == u'"') end = position - 1;
  }
  return Positions(path, begin, end);
}

}  // namespace meshfold::fuzz
