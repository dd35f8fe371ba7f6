// Code page 0 is UTF-8 on POSIX systems; these cases hold there only.
#include <gtest/gtest.h>

#include <string>

#include "text/CodePage.h"

namespace meshfold {
namespace {

Text Decode(const std::string& bytes) {
  Text text;
  AnsiToText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text);
  return text;
}

std::string Encode(TextView text) {
  std::string bytes;
  TextToAnsi(text, bytes);
  return bytes;
}

TEST(Utf8CodePage, DecodesWellFormedSequences) {
  EXPECT_EQ(Decode("\xC3\xA9"), u"\u00E9");
  EXPECT_EQ(Decode("\xE2\x82\xAC"), u"\u20AC");
  EXPECT_EQ(Decode("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Decode("\xEF\xBB\xBFv"), u"\uFEFFv");
}

TEST(Utf8CodePage, CarriesEachByteOfMalformedSequencesAlone) {
  struct Case {
    std::string bytes;
    Text text;
  } const cases[] = {
      {"\xFF", u"\xDCFF"},
      {"\xC0\xAF", u"\xDCC0\xDCAF"},                      // overlong '/'
      {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},  // past U+10FFFF
      {"\xE2\x82", u"\xDCE2\xDC82"},                      // cut short
      {"\xE2\x82x", u"\xDCE2\xDC82x"},
      {"\x80\xC3\xA9", u"\xDC80\u00E9"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Decode(c.bytes), c.text);
    EXPECT_EQ(Encode(c.text), c.bytes);
  }
}

TEST(Utf8CodePage, EncodesOtherLoneSurrogatesAsTheDefaultCharacter) {
  EXPECT_EQ(Encode(u"a\xD800"
                   "b"),
            "a?b");
  EXPECT_EQ(Encode(u"\xDC10"), "?");
  EXPECT_EQ(Encode(u"\xDBFF\xDFFF"), "\xF4\x8F\xBF\xBF");
}

// The 8-bit fast paths work in chunks of 16 and 8 with a last chunk that
// overlaps the one before; a character that leaves the fast path must come out
// the same at every position, in texts of every length around those sizes.
TEST(Utf8CodePage, EveryLengthAndPositionAroundTheChunkSizes) {
  for (size_t length = 0; length <= 40; ++length) {
    std::string ascii;
    Text asciiText;
    for (size_t at = 0; at < length; ++at) {
      ascii.push_back(static_cast<char>('a' + at % 26));
      asciiText.push_back(static_cast<char16_t>(u'a' + at % 26));
    }
    EXPECT_EQ(Decode(ascii), asciiText) << length;
    EXPECT_EQ(Encode(asciiText), ascii) << length;
    for (size_t at = 0; at < length; ++at) {
      std::string accented = ascii;
      accented.replace(at, 1, "\xC3\xA9");
      Text accentedText = asciiText;
      accentedText[at] = u'\u00E9';
      EXPECT_EQ(Decode(accented), accentedText) << length << " " << at;
      EXPECT_EQ(Encode(accentedText), accented) << length << " " << at;
      std::string stray = ascii;
      stray[at] = '\xFF';
      Text strayText = asciiText;
      strayText[at] = u'\xDCFF';
      EXPECT_EQ(Decode(stray), strayText) << length << " " << at;
      EXPECT_EQ(Encode(strayText), stray) << length << " " << at;
    }
  }
}

}  // namespace
}  // namespace meshfold
