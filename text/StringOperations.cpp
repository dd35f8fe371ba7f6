#include "text/StringOperations.h"

#include <algorithm>

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

}  // namespace

int64_t TextLength(TextView text) { return static_cast<int64_t>(text.size()); }

TextView SubText(TextView text, int32_t start, int32_t length) {
  if (length <= 0 || text.empty()) return {};
  const int64_t position = start <= 1 ? 1 : start;
  if (position > TextLength(text)) return {};
  return text.substr(static_cast<size_t>(position - 1), static_cast<size_t>(length));
}

TextView SubTextToEnd(TextView text, int32_t start) {
  if (text.empty()) return {};
  // The length wraps in 32 bits like the callers' own arithmetic does.
  const uint32_t wrapped = static_cast<uint32_t>(text.size()) + 1U - static_cast<uint32_t>(start);
  return SubText(text, start, static_cast<int32_t>(wrapped));
}

TextView LeftText(TextView text, int32_t count) {
  if (count <= 0) return {};
  return text.substr(0, static_cast<size_t>(count));
}

int64_t FindText(TextView haystack, TextView needle, int32_t start) {
  if (haystack.empty() || needle.empty()) return 0;
  const int64_t skip = std::clamp<int64_t>(int64_t{start} - 1, 0, TextLength(haystack));
  const size_t found = haystack.find(needle, static_cast<size_t>(skip));
  return found == TextView::npos ? 0 : static_cast<int64_t>(found) + 1;
}

bool TextEquals(TextView a, TextView b) { return a == b; }

int64_t TextToInteger(TextView text) {
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

void AppendTexts(Text& target, std::initializer_list<TextView> parts) {
  size_t total = target.size();
  bool aliased = false;
  for (TextView part : parts) {
    total += part.size();
    aliased = aliased || Overlaps(target, part);
  }
  if (aliased) {
    Text joined = target;
    AppendTexts(joined, parts);
    target = joined;
    return;
  }
  target.reserve(total);
  for (TextView part : parts) target.append(part);
}

void JoinTexts(Text& target, std::initializer_list<TextView> parts) {
  for (TextView part : parts) {
    if (Overlaps(target, part)) {
      target = JoinedText(parts);
      return;
    }
  }
  target.clear();
  AppendTexts(target, parts);
}

Text JoinedText(std::initializer_list<TextView> parts) {
  Text joined;
  AppendTexts(joined, parts);
  return joined;
}

}  // namespace meshfold
