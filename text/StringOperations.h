#pragma once
// The string operations of the converter. All are total: out-of-range starts,
// lengths and counts are clamped, an absent part is the empty text and an
// absent position is 0. Positions are 1-based and count UTF-16 code units.
// The cutting operations return a part of their argument and allocate nothing.

#include <array>
#include <cstdint>
#include <initializer_list>

#include "text/Text.h"

namespace meshfold {

// Number of code units of text.
inline int64_t TextLength(TextView text) { return static_cast<int64_t>(text.size()); }

// At most length code units from position start. A start of 1 or below means
// position 1; a start past the end or a length of 0 or below gives "".
inline TextView SubText(TextView text, int32_t start, int32_t length) {
  if (length <= 0 || text.empty()) return {};
  const int64_t position = start <= 1 ? 1 : start;
  if (position > TextLength(text)) return {};
  return text.substr(static_cast<size_t>(position - 1), static_cast<size_t>(length));
}

// Exact code-unit equality.
inline bool TextEquals(TextView a, TextView b) { return a == b; }

// Whether unit is a blank or a tab, what parts the fields of OBJ and MTL lines.
// The first test lets every printable unit through at once.
inline bool IsBlank(char16_t unit) { return unit <= u' ' && (unit == u' ' || unit == u'\t'); }

// Whether unit is one of the decimal digits 0 to 9.
inline bool IsDecimalDigit(char16_t unit) { return static_cast<uint32_t>(unit) - u'0' <= 9; }

namespace detail {

// The value of unit as a digit of Base (2, 10 or 16); Base or more when it is none.
template <uint32_t Base>
uint32_t DigitOf(char16_t unit) {
  const uint32_t decimal = static_cast<uint32_t>(unit) - u'0';
  if (Base != 16 || decimal <= 9) return decimal;
  const uint32_t letter = static_cast<uint32_t>(unit | 0x20) - u'a';
  return letter <= 5 ? letter + 10 : Base;
}

// The digits of Base from text[at] on, accumulated modulo 2^64; at moves past
// them. The base is a constant of each loop, so the decimal one needs no multiply.
template <uint32_t Base>
uint64_t AccumulateDigits(TextView text, size_t& at) {
  uint64_t value = 0;
  for (; at < text.size(); ++at) {
    const uint32_t digit = DigitOf<Base>(text[at]);
    if (digit >= Base) break;
    value = value * Base + digit;
  }
  return value;
}

}  // namespace detail

// The decimal digits from text[at] on, modulo 2^64, as TextToInteger reads
// them; at moves past them.
inline uint64_t ReadDecimalDigits(TextView text, size_t& at) {
  return detail::AccumulateDigits<10>(text, at);
}

// The integer written at the start of text: blanks and tabs skipped, one sign,
// "$" for base 16 and "%" for base 2, accumulated modulo 2^64. 0 when none.
// Inline, since a face record reads six of them.
inline int64_t TextToInteger(TextView text) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  const bool negative = at < text.size() && text[at] == u'-';
  if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) ++at;
  const char16_t base = at < text.size() ? text[at] : u'0';
  if (base == u'$' || base == u'%') ++at;
  const uint64_t value = base == u'$'   ? detail::AccumulateDigits<16>(text, at)
                         : base == u'%' ? detail::AccumulateDigits<2>(text, at)
                                        : ReadDecimalDigits(text, at);
  return static_cast<int64_t>(negative ? 0U - value : value);
}

// The decimal text of a 64-bit integer, held without any allocation.
class IntegerText {
 public:
  explicit IntegerText(int64_t value);
  TextView View() const { return TextView(digits_.data() + first_, digits_.size() - first_); }
  operator TextView() const { return View(); }  // NOLINT: used like a text

 private:
  std::array<char16_t, 20> digits_{};
  size_t first_ = 20;
};

// The decimal text of value: an optional minus sign and digits without fill.
IntegerText IntegerToText(int64_t value);

// Reads text, which must be one number and nothing else, as std::from_chars
// does (the C locale's form, whatever the locale), to the nearest double; a
// leading "+" is read too, as POV-Ray reads it. False, value untouched, when
// it is not.
bool TextToNumber(TextView text, double& value);
bool TextToNumber(AsciiView text, double& value);

namespace detail {

// The decimal digits from at on, added to value; returns where they end.
template <typename Unit>
const Unit* AddDigits(const Unit* at, const Unit* end, uint64_t& value) {
  for (; at != end; ++at) {
    const auto digit = static_cast<uint32_t>(*at) - '0';
    if (digit > 9) break;
    value = value * 10 + digit;
  }
  return at;
}

inline constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

}  // namespace detail

namespace detail {

template <typename Unit>
size_t ReadDecimalPrefix(const Unit* const begin, const Unit* const end, double& value) {
  const bool hasSign = begin != end && (*begin == '-' || *begin == '+');
  uint64_t digits = 0;
  const Unit* const point = AddDigits(begin + (hasSign ? 1 : 0), end, digits);
  const bool decimal = point != end && *point == '.';
  const Unit* const stop = decimal ? AddDigits(point + 1, end, digits) : point;
  const auto count = static_cast<size_t>(stop - begin) - (hasSign ? 1 : 0) - (decimal ? 1 : 0);
  const bool exponent = stop != end && (*stop == 'e' || *stop == 'E');
  if (exponent || count == 0 || count > 15) return 0;
  // The digits as an integer and the power of ten are both held exactly, so
  // their quotient is the nearest double, as from_chars would find it.
  const double magnitude = static_cast<double>(digits) / PowersOfTen[decimal ? stop - point - 1 : 0];
  value = *begin == '-' ? -magnitude : magnitude;
  return static_cast<size_t>(stop - begin);
}

}  // namespace detail

// Reads the number without an exponent, of at most 15 digits, that text begins
// with, as TextToNumber reads it. Returns the units it took, 0 (value
// untouched) when text begins with no such number or with more digits, or
// with one that goes on into an exponent. Inline: positions read three a vertex.
inline size_t ReadDecimalPrefix(TextView text, double& value) {
  return detail::ReadDecimalPrefix(text.data(), text.data() + text.size(), value);
}
inline size_t ReadDecimalPrefix(AsciiView text, double& value) {
  return detail::ReadDecimalPrefix(text.data(), text.data() + text.size(), value);
}

// Writes the decimal text of value at at, as IntegerToText gives it, and
// returns where it ends. Needs room for 20 units.
char16_t* AppendInteger(char16_t* at, int64_t value);
char* AppendInteger(char* at, int64_t value);

// Writes value at at with six decimals at most, its trailing zeros left off
// ("0.5", "-2", "96.078431"), and returns where it ends: a millionth is below
// what shading or colour shows, and a fixed format costs a fraction of the
// shortest exact one. Needs room for 28 units; values beyond 1e15 are cut.
char16_t* AppendDecimal(char16_t* at, double value);

// The text AppendDecimal writes.
Text DecimalText(double value);

// Writes "<a,b,...>" of values as AppendDecimal writes each, at at, and
// returns where it ends. Needs room for 30 units a value.
char16_t* AppendDecimalVector(char16_t* at, std::initializer_list<double> values);
char* AppendDecimalVector(char* at, std::initializer_list<double> values);

// True when a and b differ at most in the case of ASCII letters.
bool SameTextNoCase(TextView a, TextView b);

// text without the blanks and tabs at its start and end.
TextView TrimBlanks(TextView text);

// The first word of text, up to a blank or tab; text then holds the rest.
// Blanks and tabs are trimmed from both.
TextView TakeWord(TextView& text);

// True for a path that does not lead from a folder: one that begins with a
// slash or backslash, or with a drive ("C:").
bool IsAbsolutePath(TextView path);

// The part of path up to and including its last slash or backslash; the scan
// stops at the first vertical bar, and an opening quotation mark is skipped.
TextView DirectoryPart(TextView path);

// The part of path after its last slash or backslash, ending before a
// quotation mark; an opening quotation mark is skipped.
TextView FilePart(TextView path);

// Joins parts into target, reusing its storage; parts may view target itself.
void JoinTexts(Text& target, std::initializer_list<TextView> parts);

// Appends parts to target, reusing its storage; parts may view target itself.
void AppendTexts(Text& target, std::initializer_list<TextView> parts);

// A new text joined from parts.
Text JoinedText(std::initializer_list<TextView> parts);

}  // namespace meshfold
