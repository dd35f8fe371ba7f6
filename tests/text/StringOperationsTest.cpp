#include "text/StringOperations.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::T;
using testing::U8;
constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();
constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();

// Positions are 1-based and clamped, never trusted.
TEST(StringOperations, CutsClampTheirPositions) {
  struct Case {
    int32_t start, length;
    const char* sub;
  } const cases[] = {{0, 2, "ab"}, {-3, 2, "ab"}, {3, 2, "cd"}, {5, 10, "ef"},     {6, 1, "f"},
                     {7, 1, ""},   {2, 0, ""},    {2, -1, ""},  {Min32, 3, "abc"}, {2, Max32, "bcdef"}};
  for (const Case& c : cases) EXPECT_EQ(U8(SubText(u"abcdef", c.start, c.length)), c.sub) << c.start;
  const std::pair<int32_t, const char*> toEnd[] = {{3, "cdef"}, {0, "abcdef"}, {-5, "abcdef"},
                                                   {7, ""},     {100, ""},     {Min32, ""}};
  for (const auto& [start, expected] : toEnd)
    EXPECT_EQ(U8(SubTextToEnd(u"abcdef", start)), expected) << start;
  const std::pair<int32_t, const char*> left[] = {{3, "abc"}, {0, ""}, {-2, ""}, {10, "abcdef"}};
  for (const auto& [count, expected] : left) EXPECT_EQ(U8(LeftText(u"abcdef", count)), expected) << count;
  EXPECT_EQ(U8(SubText(u"", -9, -9)), "");
}

TEST(StringOperations, FindText) {
  struct Case {
    const char *haystack, *needle;
    int32_t start;
    int64_t found;
  } const cases[] = {{"1.5 2.5", ".", 1, 2}, {"1.5 2.5", ".", -4, 2}, {"1.5 2.5", ".", 3, 6},
                     {"1.5 2.5", ".", 6, 6}, {"1.5 2.5", ".", 7, 0},  {"abc", "", 1, 0},
                     {"", "a", 1, 0},        {"ab", "abc", 1, 0},     {"ABC", "b", 1, 0},
                     {"abab", "ab", 2, 3},   {"abc", "c", Min32, 3},  {"abc", "c", Max32, 0}};
  for (const Case& c : cases) EXPECT_EQ(FindText(T(c.haystack), T(c.needle), c.start), c.found) << c.start;
}

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
