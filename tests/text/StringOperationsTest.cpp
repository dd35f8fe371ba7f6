#include "text/StringOperations.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::T;
using testing::U8;

struct CutCase {
  const char* text;
  int32_t start;
  int32_t length;
  const char* expected;
};

TEST(StringOperations, SubTextClampsStartAndLength) {
  const CutCase cases[] = {
      {"abcdef", 0, 2, "ab"},
      {"abcdef", 1, 2, "ab"},
      {"abcdef", -3, 2, "ab"},
      {"abcdef", 3, 2, "cd"},
      {"abcdef", 5, 10, "ef"},
      {"abcdef", 6, 1, "f"},
      {"abcdef", 7, 1, ""},
      {"abcdef", 8, 1, ""},
      {"abcdef", 2, 0, ""},
      {"abcdef", 2, -1, ""},
      {"", 1, 5, ""},
      {"", -9, -9, ""},
      {"abcdef", std::numeric_limits<int32_t>::min(), 3, "abc"},
      {"abcdef", 2, std::numeric_limits<int32_t>::max(), "bcdef"},
  };
  for (const CutCase& c : cases) {
    EXPECT_EQ(U8(SubText(T(c.text), c.start, c.length)), c.expected)
        << c.text << " " << c.start << " " << c.length;
  }
}

TEST(StringOperations, SubTextToEndAndLeftText) {
  const CutCase toEnd[] = {{"abcdef", 3, 0, "cdef"}, {"abcdef", 0, 0, "abcdef"}, {"abcdef", 1, 0, "abcdef"},
                           {"abcdef", 7, 0, ""},     {"abcdef", 100, 0, ""},     {"", 1, 0, ""}};
  for (const CutCase& c : toEnd) EXPECT_EQ(U8(SubTextToEnd(T(c.text), c.start)), c.expected) << c.start;
  const CutCase left[] = {{"abcdef", 0, 3, "abc"},    {"abcdef", 0, 0, ""},        {"abcdef", 0, -2, ""},
                          {"abcdef", 0, 6, "abcdef"}, {"abcdef", 0, 10, "abcdef"}, {"", 0, 4, ""}};
  for (const CutCase& c : left) EXPECT_EQ(U8(LeftText(T(c.text), c.length)), c.expected) << c.length;
}

TEST(StringOperations, SubTextToEndSumsItsLengthIn32Bits) {
  // The length TextLength + 1 - start wraps for the most negative start.
  EXPECT_EQ(U8(SubTextToEnd(u"abc", std::numeric_limits<int32_t>::min())), "");
  EXPECT_EQ(U8(SubTextToEnd(u"abc", -5)), "abc");
}

TEST(StringOperations, FindText) {
  struct Case {
    const char* haystack;
    const char* needle;
    int32_t start;
    int64_t expected;
  } const cases[] = {
      {"1.5 2.5", ".", 1, 2},
      {"1.5 2.5", ".", 0, 2},
      {"1.5 2.5", ".", -4, 2},
      {"1.5 2.5", ".", 3, 6},
      {"1.5 2.5", ".", 6, 6},
      {"1.5 2.5", ".", 7, 0},
      {"1.5 2.5", ".", 8, 0},
      {"abc", "", 1, 0},
      {"", "a", 1, 0},
      {"ab", "abc", 1, 0},
      {"ABC", "b", 1, 0},
      {"abab", "ab", 2, 3},
      {"abc", "c", std::numeric_limits<int32_t>::min(), 3},
      {"abc", "c", std::numeric_limits<int32_t>::max(), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindText(T(c.haystack), T(c.needle), c.start), c.expected) << c.haystack << " " << c.start;
  }
  EXPECT_EQ(FindText(u"1.5 2.5", u"."), 2);
}

TEST(StringOperations, TextEqualsIsExact) {
  EXPECT_TRUE(TextEquals(u"", Text()));
  EXPECT_FALSE(TextEquals(u"v", u"v "));
  EXPECT_FALSE(TextEquals(u"v ", u"V "));
  EXPECT_TRUE(TextEquals(u"vn ", Text(u"vn ")));
}

TEST(StringOperations, TextToInteger) {
  struct Case {
    TextView text;
    int64_t expected;
  } const cases[] = {
      {u"12", 12},
      {u"12 ", 12},
      {u"12/3", 12},
      {u"", 0},
      {u"   7", 7},
      {u"\t7", 7},
      {u"12\r", 12},
      {u"\r12", 0},
      {u"-5", -5},
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
      {u"%101", 5},
      {u"%2", 0},
      {u" \t -3", -3},
      {u"$G", 0},
      {u"%", 0},
      {u"9223372036854775807", std::numeric_limits<int64_t>::max()},
      {u"9223372036854775808", std::numeric_limits<int64_t>::min()},
      {u"18446744073709551617", 1},
      {u"-9223372036854775808", std::numeric_limits<int64_t>::min()},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToInteger(c.text), c.expected) << U8(c.text);
}

TEST(StringOperations, IntegerToText) {
  struct Case {
    int64_t value;
    const char* expected;
  } const cases[] = {
      {0, "0"},
      {42, "42"},
      {-7, "-7"},
      {std::numeric_limits<int64_t>::max(), "9223372036854775807"},
      {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(IntegerToText(c.value)), c.expected);
}

TEST(StringOperations, DirectoryAndFileParts) {
  struct Case {
    const char* path;
    const char* directory;
    const char* file;
  } const cases[] = {
      {"C:\\models\\cube.obj", "C:\\models\\", "cube.obj"},
      {"C:/models/cube.obj", "C:/models/", "cube.obj"},
      {"D:\\a/b\\c.obj", "D:\\a/b\\", "c.obj"},
      {"cube.obj", "", "cube.obj"},
      {"C:cube.obj", "", "C:cube.obj"},
      {"C:\\models\\", "C:\\models\\", ""},
      {"\"C:\\models\\cube.obj\"", "C:\\models\\", "cube.obj"},
      {"\"cube.obj\"", "", "cube.obj"},
      {"", "", ""},
      {"a|b\\c.obj", "", "c.obj"},
      {"\"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(U8(DirectoryPart(T(c.path))), c.directory) << c.path;
    EXPECT_EQ(U8(FilePart(T(c.path))), c.file) << c.path;
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
