// Code page 0 is UTF-8 on POSIX systems: well-formed sequences become their
// characters, and each byte of a malformed one a code unit of its own that
// turns back into the same byte.
#include <gtest/gtest.h>

#include <string>

#include "text/CodePage.h"

namespace meshfold {
namespace {

Text Decode(const std::string& bytes) {
  Text text = u"stale";
  AnsiToText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text);
  return text;
}

std::string Encode(TextView text) {
  std::string bytes = "stale";
  EXPECT_TRUE(TextToAnsi(text, bytes));
  return bytes;
}

TEST(Utf8CodePage, SequencesBothWays) {
  const std::pair<std::string, Text> cases[] = {
      {"", u""},
      {"\xC3\xA9", u"\u00E9"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xE0\xA4\x85", u"\u0905"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xEF\xBB\xBFv", u"\uFEFFv"},
      {"\xFF", u"\xDCFF"},
      {"\xC0\xAF", u"\xDCC0\xDCAF"},                      // overlong '/'
      {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},  // past U+10FFFF
      {"\xE2\x82x", u"\xDCE2\xDC82x"},
      {"\x80\xC3\xA9", u"\xDC80\u00E9"}};  // cut short, a stray continuation
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(Decode(bytes), text) << bytes;
    EXPECT_EQ(Encode(text), bytes) << bytes;
  }
  // Lone surrogates that no byte stands for become the default character.
  EXPECT_EQ(Encode(u"a\xD800z\xDC10"), "a?z?");
}

// The fast paths work in chunks of 16 and 8 with a last chunk that overlaps
// the one before: a character that leaves them must come out the same at
// every position of texts of every length around those sizes.
TEST(Utf8CodePage, EveryLengthAndPositionAroundTheChunkSizes) {
  for (size_t length = 0; length <= 40; ++length) {
    std::string ascii;
    for (size_t at = 0; at < length; ++at) ascii.push_back(static_cast<char>('a' + at % 26));
    const Text asciiText(ascii.begin(), ascii.end());
    EXPECT_EQ(Decode(ascii), asciiText) << length;
    EXPECT_EQ(Encode(asciiText), ascii) << length;
    for (size_t at = 0; at < length; ++at) {
      for (const auto& [bytes, unit] :
           {std::pair<std::string, char16_t>{"\xC3\xA9", u'\u00E9'}, {"\xFF", u'\xDCFF'}}) {
        std::string changed = ascii;
        changed.replace(at, 1, bytes);
        Text changedText = asciiText;
        changedText[at] = unit;
        EXPECT_EQ(Decode(changed), changedText) << length << " " << at;
        EXPECT_EQ(Encode(changedText), changed) << length << " " << at;
      }
    }
  }
}

}  // namespace
}  // namespace meshfold
