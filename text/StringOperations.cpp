#include "text/StringOperations.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <string>

#include "text/CopyUnits.h"

namespace meshfold {

namespace {

bool IsSeparator(char16_t unit) { return unit == u'/' || unit == u'\\'; }

// Position 1 when the path does not open with a quotation mark, else 2.
size_t PartBegin(TextView path) { return path.front() == u'"' ? 1 : 0; }

bool Overlaps(const Text& target, TextView part) {
  const char16_t* begin = target.data();
  const char16_t* end = begin + target.capacity();
  return !part.empty() && part.data() >= begin && part.data() < end;
}

// "00" to "99": two digits a division, as the mesh2's millions of indices and
// the include file's counts are written.
constexpr std::array<char, 200> MakeDigitPairs() {
  std::array<char, 200> pairs{};
  for (size_t value = 0; value < 100; ++value) {
    pairs[2 * value] = static_cast<char>('0' + value / 10);
    pairs[2 * value + 1] = static_cast<char>('0' + value % 10);
  }
  return pairs;
}

constexpr std::array<char, 200> DigitPairs = MakeDigitPairs();

// Writes the digits of magnitude to end backwards; returns where they begin.
// Instantiated for 32 bits too, whose division is the cheaper one.
template <typename Unit, typename Unsigned>
Unit* WriteDigits(Unsigned magnitude, Unit* end) {
  Unit* at = end;
  for (; magnitude >= 10; magnitude /= 100) {
    const size_t pair = 2 * static_cast<size_t>(magnitude % 100);
    at -= 2;
    at[0] = static_cast<Unit>(DigitPairs[pair]);
    at[1] = static_cast<Unit>(DigitPairs[pair + 1]);
  }
  if (at == end || magnitude != 0) *--at = static_cast<Unit>('0' + magnitude);
  return at;
}

constexpr std::array<uint64_t, 20> MakePowersOfTen() {
  std::array<uint64_t, 20> powers{1};
  for (size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 10;
  return powers;
}

constexpr std::array<uint64_t, 20> PowersOfTen = MakePowersOfTen();

// How many digits magnitude has, without a division: 1233 / 4096 is just
// above log10(2), so the bit length gives the count or one less.
int DigitCount(uint64_t magnitude) {
  const int guess = ((64 - std::countl_zero(magnitude | 1)) * 1233) >> 12;
  return std::max(1, guess + (magnitude >= PowersOfTen[static_cast<size_t>(guess)] ? 1 : 0));
}

template <typename Unit>
Unit* AppendIntegerAt(Unit* at, int64_t value) {
  const uint64_t magnitude = value < 0 ? 0U - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  if (value < 0) *at++ = '-';
  Unit* const end = at + DigitCount(magnitude);
  if (magnitude <= UINT32_MAX) {
    WriteDigits(static_cast<uint32_t>(magnitude), end);
  } else {
    WriteDigits(magnitude, end);
  }
  return end;
}

template <typename Unit>
Unit* AppendDecimalAt(Unit* at, double value) {
  const double millionths = std::round(std::fmin(std::fabs(value), 1e15) * 1e6);
  const auto whole = static_cast<int64_t>(millionths / 1e6);
  int64_t decimals = static_cast<int64_t>(millionths - static_cast<double>(whole) * 1e6);
  if (value < 0 && millionths != 0) *at++ = '-';
  at = AppendIntegerAt(at, whole);
  if (decimals == 0) return at;
  int places = 6;
  for (; decimals % 10 == 0; decimals /= 10) --places;
  *at++ = '.';
  for (int place = places - 1; place >= 0; --place, decimals /= 10)
    at[place] = static_cast<Unit>('0' + decimals % 10);
  return at + places;
}

template <typename Unit>
Unit* AppendDecimalVectorAt(Unit* at, std::initializer_list<double> values) {
  for (const double& value : values) {
    *at++ = &value == values.begin() ? '<' : ',';
    at = AppendDecimalAt(at, value);
  }
  *at++ = '>';
  return at;
}

}  // namespace

IntegerText::IntegerText(int64_t value) {
  const bool negative = value < 0;
  const uint64_t magnitude = negative ? 0U - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  char16_t* const end = digits_.data() + digits_.size();
  char16_t* const at = magnitude <= UINT32_MAX ? WriteDigits(static_cast<uint32_t>(magnitude), end)
                                               : WriteDigits(magnitude, end);
  first_ = static_cast<size_t>(at - digits_.data());
  if (negative) digits_[--first_] = u'-';
}

IntegerText IntegerToText(int64_t value) { return IntegerText(value); }

bool SameTextNoCase(TextView a, TextView b) {
  const auto lower = [](char16_t unit) { return unit >= u'A' && unit <= u'Z' ? char16_t(unit + 32) : unit; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

TextView TrimBlanks(TextView text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

TextView TakeWord(TextView& text) {
  text = TrimBlanks(text);
  size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const TextView word = text.substr(0, end);
  text = TrimBlanks(text.substr(end));
  return word;
}

bool IsAbsolutePath(TextView path) {
  return path.starts_with(u'/') || path.starts_with(u'\\') || (path.size() > 1 && path[1] == u':');
}

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

// Reads any number from_chars reads, with a "+" before it or not.
bool ReadAnyNumber(AsciiView bytes, double& value) {
  if (bytes.starts_with('+') && !bytes.starts_with("+-")) bytes.remove_prefix(1);
  const char* const end = bytes.data() + bytes.size();
  double read = 0;
  const auto [stop, error] = std::from_chars(bytes.data(), end, read);
  if (bytes.empty() || error != std::errc() || stop != end) return false;
  value = read;
  return true;
}

// ReadAnyNumber of a text's bytes. Out of line, so that the common short decimal needs
// no room for the narrowed bytes.
[[gnu::noinline]] bool ReadAnyNumber(TextView text, double& value) {
  // A number is ASCII, and a short one is narrowed on the stack.
  char shortBytes[64] = {};
  std::string longBytes;
  char* const bytes =
      text.size() <= sizeof shortBytes ? shortBytes : (longBytes.resize(text.size()), longBytes.data());
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] > 0x7F) return false;
    bytes[at] = static_cast<char>(text[at]);
  }
  return ReadAnyNumber(AsciiView(bytes, text.size()), value);
}

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

char16_t* AppendInteger(char16_t* at, int64_t value) { return AppendIntegerAt(at, value); }
char* AppendInteger(char* at, int64_t value) { return AppendIntegerAt(at, value); }
char16_t* AppendDecimal(char16_t* at, double value) { return AppendDecimalAt(at, value); }
char16_t* AppendDecimalVector(char16_t* at, std::initializer_list<double> values) {
  return AppendDecimalVectorAt(at, values);
}
char* AppendDecimalVector(char* at, std::initializer_list<double> values) {
  return AppendDecimalVectorAt(at, values);
}

Text DecimalText(double value) {
  char16_t units[32];
  return Text(units, AppendDecimal(units, value));
}

namespace {

template <typename View>
bool ReadNumber(View text, double& value) {
  double read = 0;
  const size_t taken = ReadDecimalPrefix(text, read);
  if (taken == 0 || taken != text.size()) return ReadAnyNumber(text, value);
  value = read;
  return true;
}

}  // namespace

bool TextToNumber(TextView text, double& value) { return ReadNumber(text, value); }
bool TextToNumber(AsciiView text, double& value) { return ReadNumber(text, value); }

}  // namespace meshfold
