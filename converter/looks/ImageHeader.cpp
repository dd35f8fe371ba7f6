#include "converter/looks/ImageHeader.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "text/StringOperations.h"

namespace meshfold {

namespace {

using namespace std::string_view_literals;

// Said of a header that goes on past the bytes at hand.
constexpr TextView CutShort = u"it ends within its header";

// The bytes at hand, read as the formats store their numbers.
class HeadBytes {
 public:
  HeadBytes(const uint8_t* bytes, int32_t count)
      : chars_(reinterpret_cast<const char*>(bytes), static_cast<size_t>(std::max(count, 0))) {}

  std::string_view Chars() const { return chars_; }
  bool Has(size_t at, size_t count) const { return at <= chars_.size() && count <= chars_.size() - at; }
  uint8_t operator[](size_t at) const { return static_cast<uint8_t>(chars_[at]); }

  // The count bytes from at as one number, the most significant first.
  uint32_t Big(size_t at, int count) const {
    uint32_t value = 0;
    for (int k = 0; k < count; ++k) value = value << 8 | (*this)[at + k];
    return value;
  }

  // The same, the least significant first.
  uint32_t Little(size_t at, int count) const {
    uint32_t value = 0;
    for (int k = count - 1; k >= 0; --k) value = value << 8 | (*this)[at + k];
    return value;
  }

 private:
  std::string_view chars_;
};

uint32_t Crc32(std::string_view bytes) {
  uint32_t crc = 0xFFFFFFFF;
  for (const char byte : bytes) {
    crc ^= static_cast<uint8_t>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320 : 0);
  }
  return ~crc;
}

bool PngDepthFits(uint8_t depth, uint8_t type) {
  const bool small = depth == 1 || depth == 2 || depth == 4;
  if (type == 0) return small || depth == 8 || depth == 16;
  if (type == 3) return small || depth == 8;
  return (type == 2 || type == 4 || type == 6) && (depth == 8 || depth == 16);
}

TextView PngProblem(const HeadBytes& head) {
  if (!head.Has(0, 33)) return CutShort;
  if (!head.Chars().starts_with("\x89PNG\r\n\x1a\n"sv)) return u"its signature is damaged";
  if (head.Big(8, 4) != 13 || head.Chars().substr(12, 4) != "IHDR")
    return u"it does not begin with an IHDR chunk";
  if (Crc32(head.Chars().substr(12, 17)) != head.Big(29, 4)) return u"its IHDR chunk fails its CRC";
  const uint32_t width = head.Big(16, 4), height = head.Big(20, 4);
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    return u"its width or height is out of range";
  if (!PngDepthFits(head[24], head[25])) return u"its bit depth does not fit its colour type";
  if (head[26] != 0 || head[27] != 0 || head[28] > 1)
    return u"its compression, filter or interlace is unknown";
  return {};
}

// The frame header of a JPEG file, whose length field is at at.
TextView JpegFrameProblem(const HeadBytes& head, uint8_t marker, size_t at) {
  // Baseline, extended and progressive, by Huffman or arithmetic coding.
  if (marker != 0xC0 && marker != 0xC1 && marker != 0xC2 && marker != 0xC9 && marker != 0xCA)
    return u"its coding process is one POV-Ray cannot read";
  if (!head.Has(at, 8)) return CutShort;
  const uint8_t components = head[at + 7];
  if (head.Big(at, 2) != 8u + 3u * components)
    return u"its frame header's length does not fit its components";
  if (head[at + 2] != 8) return u"its samples are not of 8 bits";
  if (head.Big(at + 3, 2) == 0 || head.Big(at + 5, 2) == 0) return u"its width or height is 0";
  if (components != 1 && components != 3 && components != 4) return u"its number of components is unknown";
  return {};
}

// The segments of a JPEG file, walked up to its frame header.
TextView JpegProblem(const HeadBytes& head) {
  for (size_t at = 2;;) {
    if (!head.Has(at, 2)) return CutShort;
    if (head[at] != 0xFF) return u"a segment does not begin with a marker";
    const uint8_t marker = head[at + 1];
    at += marker == 0xFF ? 1 : 2;  // fill bytes before a marker
    if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    if (marker == 0x00 || marker == 0xD8 || marker == 0xD9 || marker == 0xDA)
      return u"it has no frame header";
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return JpegFrameProblem(head, marker, at);
    if (!head.Has(at, 2)) return CutShort;
    if (head.Big(at, 2) < 2) return u"a segment's length is below 2";
    at += head.Big(at, 2);
  }
}

TextView GifProblem(const HeadBytes& head) {
  if (!head.Has(0, 13)) return CutShort;
  if (head.Chars().substr(3, 3) != "87a" && head.Chars().substr(3, 3) != "89a")
    return u"its version is neither 87a nor 89a";
  if (head.Little(6, 2) == 0 || head.Little(8, 2) == 0) return u"its width or height is 0";
  return {};
}

TextView TiffProblem(const HeadBytes& head) {
  if (!head.Has(0, 8)) return CutShort;
  const bool little = head[0] == 'I';
  const uint32_t directory = little ? head.Little(4, 4) : head.Big(4, 4);
  if (directory < 8) return u"its first directory's offset is out of range";
  if (!head.Has(directory, 2)) return CutShort;
  if ((little ? head.Little(directory, 2) : head.Big(directory, 2)) == 0)
    return u"its first directory is empty";
  return {};
}

bool IsWhite(char unit) {
  return unit == ' ' || unit == '\t' || unit == '\r' || unit == '\n' || unit == '\v' || unit == '\f';
}

// The width, height and largest value after the two-letter mark of a PPM or
// PGM file, each after white space or comments.
TextView NetpbmProblem(const HeadBytes& head) {
  const std::string_view chars = head.Chars();
  uint32_t values[3] = {};
  size_t at = 2;
  for (uint32_t& value : values) {
    const size_t start = at;
    while (at < chars.size() && (IsWhite(chars[at]) || chars[at] == '#'))
      at = chars[at] == '#' ? std::min(chars.find('\n', at), chars.size()) : at + 1;
    const auto [end, failure] = std::from_chars(chars.data() + at, chars.data() + chars.size(), value);
    if (end == chars.data() + chars.size()) return CutShort;
    if (at == start || failure != std::errc() || !IsWhite(*end))
      return u"its width, height or largest value is no number";
    at = static_cast<size_t>(end - chars.data());
  }
  if (values[0] == 0 || values[1] == 0) return u"its width or height is 0";
  if (values[2] == 0 || values[2] > 65535) return u"its largest value is not from 1 to 65535";
  return {};
}

// "-Y 480 +X 640" and the other orientations: both axes, each with a size.
bool IsResolution(std::string_view line) {
  const auto axis = [&](char& name) {
    if (line.size() < 3 || (line[0] != '-' && line[0] != '+') || (line[1] != 'X' && line[1] != 'Y') ||
        line[2] != ' ')
      return false;
    name = line[1];
    uint32_t size = 0;
    const auto [end, failure] = std::from_chars(line.data() + 3, line.data() + line.size(), size);
    line.remove_prefix(static_cast<size_t>(end - line.data()));
    return failure == std::errc() && size > 0;
  };
  char first = 0, second = 0;
  if (!axis(first) || !line.starts_with(' ')) return false;
  line.remove_prefix(1);
  return axis(second) && first != second && (line.empty() || line == "\r");
}

// Header lines, a blank line, then the resolution.
TextView HdrProblem(const HeadBytes& head) {
  const std::string_view chars = head.Chars();
  const size_t blank = chars.find("\n\n");
  const size_t resolutionEnd = blank == std::string_view::npos ? blank : chars.find('\n', blank + 2);
  if (resolutionEnd == std::string_view::npos) return CutShort;
  const size_t format = chars.substr(0, blank).find("\nFORMAT=");
  if (format != std::string_view::npos && chars.substr(format + 8, 16) != "32-bit_rle_rgbe\n")
    return u"its pixel format is not 32-bit_rle_rgbe";
  if (!IsResolution(chars.substr(blank + 2, resolutionEnd - blank - 2)))
    return u"its resolution line is malformed";
  return {};
}

// The attributes after the version, each a name, a type, a size and a value,
// up to an empty name; the data window must hold pixels.
TextView ExrProblem(const HeadBytes& head) {
  if (!head.Has(0, 8)) return CutShort;
  if (head[4] != 2) return u"its version is not 2";
  const std::string_view chars = head.Chars();
  bool window = false;
  for (size_t at = 8;;) {
    const size_t nameEnd = chars.find('\0', at);
    if (nameEnd == at) return window ? TextView() : TextView(u"its header has no data window");
    const size_t typeEnd = nameEnd == std::string_view::npos ? nameEnd : chars.find('\0', nameEnd + 1);
    if (typeEnd == std::string_view::npos || !head.Has(typeEnd + 1, 4)) return CutShort;
    const size_t value = typeEnd + 5, size = head.Little(typeEnd + 1, 4);
    if (chars.substr(at, nameEnd - at) == "dataWindow") {
      if (chars.substr(nameEnd + 1, typeEnd - nameEnd - 1) != "box2i" || size != 16)
        return u"its data window is malformed";
      if (!head.Has(value, 16)) return CutShort;
      const auto corner = [&](size_t k) { return static_cast<int32_t>(head.Little(value + 4 * k, 4)); };
      if (corner(2) < corner(0) || corner(3) < corner(1)) return u"its data window is empty";
      window = true;
    }
    at = value + size;
  }
}

TextView TargaProblem(const HeadBytes& head) {
  if (!head.Has(0, 18)) return CutShort;
  const bool mapped = head[2] == 1 || head[2] == 9;
  if (head[1] > 1 || (mapped && head[1] != 1)) return u"its colour map does not fit its image type";
  const uint8_t entry = head[7];
  if (mapped && (head.Little(5, 2) == 0 || (entry != 15 && entry != 16 && entry != 24 && entry != 32)))
    return u"its colour map is malformed";
  if (head.Little(12, 2) == 0 || head.Little(14, 2) == 0) return u"its width or height is 0";
  const uint8_t depth = head[16];
  if (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32)
    return u"its pixel depth is unknown";
  return {};
}

struct Format {
  std::string_view mark;
  TextView kind;
  TextView (*problem)(const HeadBytes& head);
};

constexpr Format Formats[] = {{"\x89PNG"sv, u"png", PngProblem}, {"\xFF\xD8\xFF"sv, u"jpeg", JpegProblem},
                              {"GIF8"sv, u"gif", GifProblem},    {"II*\0"sv, u"tiff", TiffProblem},
                              {"MM\0*"sv, u"tiff", TiffProblem}, {"P6"sv, u"ppm", NetpbmProblem},
                              {"P3"sv, u"ppm", NetpbmProblem},   {"P5"sv, u"pgm", NetpbmProblem},
                              {"P2"sv, u"pgm", NetpbmProblem},   {"#?RADIANCE"sv, u"hdr", HdrProblem},
                              {"#?RGBE"sv, u"hdr", HdrProblem},  {"\x76\x2F\x31\x01"sv, u"exr", ExrProblem}};

bool EndsWithNoCase(TextView text, TextView ending) {
  return text.size() >= ending.size() && SameTextNoCase(text.substr(text.size() - ending.size()), ending);
}

// The Targa image types POV-Ray reads: colour-mapped, true-colour and grey,
// plain and run-length encoded.
bool IsTargaType(uint8_t type) {
  return type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
}

}  // namespace

ImageHeader JudgeImageHeader(const uint8_t* bytes, int32_t count, bool whole, TextView name) {
  const HeadBytes head(bytes, count);
  TextView kind;
  TextView (*problem)(const HeadBytes&) = nullptr;
  for (const Format& format : Formats)
    if (kind.empty() && head.Chars().starts_with(format.mark)) kind = format.kind, problem = format.problem;
  if (kind.empty() && head.Has(2, 1) && IsTargaType(head[2]) && EndsWithNoCase(name, u".tga"))
    kind = u"tga", problem = TargaProblem;
  if (kind.empty()) return {};
  const TextView broken = problem(head);
  return {kind, broken == CutShort && !whole ? TextView() : broken};
}

}  // namespace meshfold
