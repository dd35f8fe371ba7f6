// Code page 0 on the real conversion calls: what the system code page holds
// survives a round trip; what it cannot hold becomes its default character.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "text/CodePage.h"

namespace meshfold {
namespace {

Text FromAnsi(const std::string& bytes) {
  Text text;
  AnsiToText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text);
  return text;
}

char DefaultCharacter() {
  CPINFO info{};
  EXPECT_TRUE(GetCPInfo(CP_ACP, &info));
  return static_cast<char>(info.DefaultChar[0]);
}

TEST(Win32CodePage, WindowsLatinBytesMeanTheirCharacters) {
  if (GetACP() != 1252) GTEST_SKIP() << "system code page is " << GetACP() << ", not 1252";
  struct Case {
    std::string bytes;
    Text text;
  } const cases[] = {
      {"\xE9", u"\u00E9"},
      {"caf\xE9.obj", u"caf\u00E9.obj"},
      {"\x80", u"\u20AC"},
      {"\xEF\xBB\xBF"
       "v",
       u"\u00EF\u00BB\u00BFv"},
      {"\xFF\xFE", u"\u00FF\u00FE"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FromAnsi(c.bytes), c.text) << c.bytes;
    std::string back;
    EXPECT_TRUE(TextToAnsi(c.text, back));
    EXPECT_EQ(back, c.bytes);
  }
}

TEST(Win32CodePage, CharactersTheCodePageCannotHoldBecomeItsDefaultCharacter) {
  if (GetACP() == CP_UTF8) GTEST_SKIP() << "UTF-8 holds every character";
  const std::string d(1, DefaultCharacter());
  struct Case {
    Text text;
    std::string bytes;
  } const cases[] = {
      {u"\u4E2D", d}, {u"a\u4E2Db", "a" + d + "b"}, {u"\u0416\u0416", d + d},
      {u"\xD800", d}, {u"x\xDC00y", "x" + d + "y"},
  };
  for (const Case& c : cases) {
    std::string bytes;
    EXPECT_TRUE(TextToAnsi(c.text, bytes));
    EXPECT_EQ(bytes, c.bytes);
  }
}

}  // namespace
}  // namespace meshfold
