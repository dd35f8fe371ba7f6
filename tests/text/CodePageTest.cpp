#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace meshfold {
namespace {

std::string RoundTrip(const std::string& bytes) {
  Text text;
  AnsiToText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text);
  std::string back;
  EXPECT_TRUE(TextToAnsi(text, back));
  return back;
}

TEST(CodePage, AsciiIsTheSameOnEveryPlatform) {
  const std::string ascii = "v 0.000000 -1.5 3e-05\tf 1//1 2//2 3//3 # ~!@$%^&*()_+{}|:<>?";
  Text text;
  AnsiToText(reinterpret_cast<const uint8_t*>(ascii.data()), ascii.size(), text);
  ASSERT_EQ(text.size(), ascii.size());
  for (size_t at = 0; at < ascii.size(); ++at) EXPECT_EQ(text[at], static_cast<char16_t>(ascii[at]));
  EXPECT_EQ(RoundTrip(ascii), ascii);
}

TEST(CodePage, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  EXPECT_EQ(RoundTrip(all), all);
  for (int byte = 1; byte < 256; ++byte) {
    const std::string single(1, static_cast<char>(byte));
    EXPECT_EQ(RoundTrip(single), single) << byte;
    const std::string mixed = "a" + single + "\xC3\xA9" + single + "z";
    EXPECT_EQ(RoundTrip(mixed), mixed) << byte;
  }
}

TEST(CodePage, EmptyInputGivesEmptyText) {
  Text text = u"old";
  AnsiToText(nullptr, 0, text);
  EXPECT_TRUE(text.empty());
  std::string bytes = "old";
  EXPECT_TRUE(TextToAnsi(u"", bytes));
  EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace meshfold
