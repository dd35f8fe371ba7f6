#include "text/StringOperations.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::T;
using testing::U8;

// Face indices are read with these rules: leading blanks, a sign, $hex and
// %binary, digits up to the first other character, wrapping in 64 bits.
TEST(StringOperations, TextToInteger) {
  const std::pair<const char16_t*, int64_t> cases[] = {
      {u"12", 12},
      {u"12/3", 12},
      {u"", 0},
      {u" \t -3", -3},
      {u"12\r", 12},
      {u"\r12", 0},
      {u"+5", 5},
      {u"- 5", 0},
      {u"--5", 0},
      {u"abc", 0},
      {u"1e3", 1},
      {u"0x10", 0},
      {u"$1F", 31},
      {u"$1f", 31},
      {u"-$10", -16},
      {u"$", 0},
      {u"$G", 0},
      {u"%101", 5},
      {u"%2", 0},
      {u"%", 0},
      {u"9223372036854775807", std::numeric_limits<int64_t>::max()},
      {u"9223372036854775808", std::numeric_limits<int64_t>::min()},
      {u"18446744073709551617", 1},
      {u"-9223372036854775808", std::numeric_limits<int64_t>::min()},
      {u"12345678901234567890", -6101065172474983726}};
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToInteger(text), value) << U8(text);
  for (int64_t value : {int64_t{0}, int64_t{-7}, std::numeric_limits<int64_t>::min()})
    EXPECT_EQ(TextToInteger(TextView(IntegerToText(value))), value);
}

TEST(StringOperations, DirectoryAndFileParts) {
  const char* const cases[][3] = {{"C:\\models\\cube.obj", "C:\\models\\", "cube.obj"},
                                  {"D:\\a/b\\c.obj", "D:\\a/b\\", "c.obj"},
                                  {"cube.obj", "", "cube.obj"},
                                  {"C:cube.obj", "", "C:cube.obj"},
                                  {"C:\\models\\", "C:\\models\\", ""},
                                  {"\"C:\\m\\cube.obj\"", "C:\\m\\", "cube.obj"},
                                  {"\"cube.obj\"", "", "cube.obj"},
                                  {"a|b\\c.obj", "", "c.obj"},
                                  {"\"", "", ""},
                                  {"", "", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(U8(DirectoryPart(T(c[0]))), c[1]) << c[0];
    EXPECT_EQ(U8(FilePart(T(c[0]))), c[2]) << c[0];
  }
}

TEST(StringOperations, JoiningMayReuseItsOwnTarget) {
  Text line = u"v 1 2 3";
  JoinTexts(line, {SubTextToEnd(line, 3), u"|", LeftText(line, 1)});
  EXPECT_EQ(U8(line), "1 2 3|v");
  AppendTexts(line, {line});
  EXPECT_EQ(U8(line), "1 2 3|v1 2 3|v");
  EXPECT_EQ(U8(JoinedText({u"a", Text(), u"", u"b"})), "ab");
}

}  // namespace
}  // namespace meshfold
