// Code page 0 on POSIX systems is UTF-8. Bytes that are not valid UTF-8 are
// carried as the lone code units U+DC80 to U+DCFF, one per byte, and turn back
// into those bytes, so any file's lines survive a read and a write unchanged.
#include "text/CodePage.h"

#include <cstring>

#include "text/VectorPaths.h"

#if MESHFOLD_SSE2
#include <emmintrin.h>
#endif

namespace meshfold {

namespace {

constexpr char16_t EscapeBase = 0xDC00;
constexpr char DefaultCharacter = '?';

bool IsContinuation(uint8_t byte, uint8_t low = 0x80, uint8_t high = 0xBF) {
  return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at bytes, 0 when there is none
// (overlong forms, surrogates and values past U+10FFFF are not well-formed).
size_t SequenceLength(const uint8_t* bytes, size_t available) {
  const uint8_t lead = bytes[0];
  size_t length = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (lead == 0xE0) low = 0xA0;
  if (lead == 0xED) high = 0x9F;
  if (lead == 0xF0) low = 0x90;
  if (lead == 0xF4) high = 0x8F;
  if (length == 0 || length > available || !IsContinuation(bytes[1], low, high)) return 0;
  for (size_t at = 2; at < length; ++at) {
    if (!IsContinuation(bytes[at])) return 0;
  }
  return length;
}

char32_t DecodeSequence(const uint8_t* bytes, size_t length) {
  static constexpr uint8_t LeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t value = bytes[0] & LeadMask[length];
  for (size_t at = 1; at < length; ++at) value = (value << 6) | (bytes[at] & 0x3F);
  return value;
}

#if MESHFOLD_SSE2
// Widens the 16 bytes at bytes + at to out + at when all are ASCII.
bool WidenChunk(const uint8_t* bytes, size_t at, char16_t* out) {
  const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
  if (_mm_movemask_epi8(chunk) != 0) return false;
  const __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_unpacklo_epi8(chunk, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at + 8), _mm_unpackhi_epi8(chunk, zero));
  return true;
}

// Narrows the 16 code units at units + at to out + at when all are ASCII.
bool NarrowChunk(const char16_t* units, size_t at, char* out) {
  const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at));
  const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at + 8));
  const __m128i high = _mm_and_si128(_mm_or_si128(first, second), _mm_set1_epi16(static_cast<short>(0xFF80)));
  if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) != 0xFFFF) return false;
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_packus_epi16(first, second));
  return true;
}
#endif

// Copies the ASCII bytes at the start of bytes; returns how many there were.
size_t WidenAscii(const uint8_t* bytes, size_t count, char16_t* out) {
  size_t at = 0;
#if MESHFOLD_SSE2
  while (at + 16 <= count && WidenChunk(bytes, at, out)) at += 16;
  // A last, shorter rest is widened as the chunk that ends with it; that
  // chunk overlaps the one before and rewrites the same units.
  if (at < count && count >= 16 && at + 16 > count && WidenChunk(bytes, count - 16, out)) at = count;
#endif
  while (at + 8 <= count) {
    uint64_t word = 0;
    std::memcpy(&word, bytes + at, 8);
    if ((word & 0x8080808080808080ULL) != 0) break;
    for (size_t k = 0; k < 8; ++k) out[at + k] = bytes[at + k];
    at += 8;
  }
  while (at < count && bytes[at] < 0x80) {
    out[at] = bytes[at];
    ++at;
  }
  return at;
}

// Copies the ASCII code units at the start of text as bytes; returns how many
// there were.
size_t NarrowAscii(TextView text, char* out) {
  const char16_t* units = text.data();
  const size_t count = text.size();
  size_t at = 0;
#if MESHFOLD_SSE2
  while (at + 16 <= count && NarrowChunk(units, at, out)) at += 16;
  // A last, shorter rest is narrowed as the chunk that ends with it.
  if (at < count && count >= 16 && at + 16 > count && NarrowChunk(units, count - 16, out)) at = count;
#endif
  while (at + 8 <= count) {
    uint64_t low = 0;
    uint64_t high = 0;
    std::memcpy(&low, units + at, 8);
    std::memcpy(&high, units + at + 4, 8);
    if (((low | high) & 0xFF80FF80FF80FF80ULL) != 0) break;
    for (size_t k = 0; k < 8; ++k) out[at + k] = static_cast<char>(units[at + k]);
    at += 8;
  }
  while (at < count && units[at] < 0x80) {
    out[at] = static_cast<char>(units[at]);
    ++at;
  }
  return at;
}

void AppendUtf8(std::string& bytes, char32_t value) {
  if (value < 0x800) {
    bytes.push_back(static_cast<char>(0xC0 | (value >> 6)));
  } else if (value < 0x10000) {
    bytes.push_back(static_cast<char>(0xE0 | (value >> 12)));
    bytes.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
  } else {
    bytes.push_back(static_cast<char>(0xF0 | (value >> 18)));
    bytes.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
  }
  bytes.push_back(static_cast<char>(0x80 | (value & 0x3F)));
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Encodes one character that is not ASCII; returns the code units it used.
size_t EncodeCharacter(TextView text, size_t at, std::string& bytes) {
  const char16_t unit = text[at];
  if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
    AppendUtf8(bytes, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[at + 1] - 0xDC00));
    return 2;
  }
  if (unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF) {
    bytes.push_back(static_cast<char>(unit - EscapeBase));
  } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
    bytes.push_back(DefaultCharacter);
  } else {
    AppendUtf8(bytes, unit);
  }
  return 1;
}

}  // namespace

void AnsiToText(const uint8_t* bytes, size_t count, Text& text) {
  // Every byte yields at most one code unit, so the text never outgrows count.
  text.resize(count);
  char16_t* out = text.data();
  size_t written = WidenAscii(bytes, count, out);
  size_t at = written;
  while (at < count) {
    if (bytes[at] < 0x80) {
      out[written++] = bytes[at++];
      continue;
    }
    const size_t length = SequenceLength(bytes + at, count - at);
    if (length == 0) {
      out[written++] = static_cast<char16_t>(EscapeBase + bytes[at++]);
      continue;
    }
    const char32_t value = DecodeSequence(bytes + at, length);
    if (value >= 0x10000) {
      const char32_t offset = value - 0x10000;
      out[written++] = static_cast<char16_t>(0xD800 + (offset >> 10));
      out[written++] = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
    } else {
      out[written++] = static_cast<char16_t>(value);
    }
    at += length;
  }
  text.resize(written);
}

bool TextToAnsi(TextView text, std::string& bytes) {
  bytes.resize(text.size());
  size_t at = NarrowAscii(text, bytes.data());
  bytes.resize(at);
  while (at < text.size()) {
    if (text[at] < 0x80) {
      bytes.push_back(static_cast<char>(text[at++]));
    } else {
      at += EncodeCharacter(text, at, bytes);
    }
  }
  return true;
}

}  // namespace meshfold
