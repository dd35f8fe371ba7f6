// Face indices are read with these rules: leading blanks, a sign, $hex and
// %binary, digits up to the first other character, wrapping in 64 bits.
#include "text/StringOperations.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <limits>
#include <random>

namespace meshfold {
namespace {

TEST(StringOperations, TextToIntegerAndBack) {
  constexpr int64_t Min = std::numeric_limits<int64_t>::min();
  // clang-format off
  const std::pair<const char16_t*, int64_t> cases[] = {
      {u"12/3", 12}, {u"", 0}, {u" \t -3", -3}, {u"\r12", 0}, {u"+5", 5}, {u"- 5", 0}, {u"--5", 0}, {u"1e3", 1},
      {u"$1F", 31}, {u"$1fg", 31}, {u"-$10", -16}, {u"$", 0}, {u"%101", 5}, {u"%2", 0}, {u"x1", 0},
      {u"9223372036854775808", Min}, {u"18446744073709551617", 1}, {u"12345678901234567890", -6101065172474983726}};
  // clang-format on
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToInteger(text), value) << value;
  // Digits go two at a time: every length, odd and even, each end, and each
  // side of 32 bits and of a power of ten; as texts and as bytes.
  Text joined;
  std::string bytes;
  for (int64_t value :
       {int64_t{0}, int64_t{7}, int64_t{10}, int64_t{99}, int64_t{100}, int64_t{1009}, int64_t{-7},
        int64_t{-10}, int64_t{12345}, int64_t{4294967295}, int64_t{4294967296}, int64_t{999999999999999999},
        int64_t{1000000000000000000}, Min, std::numeric_limits<int64_t>::max()}) {
    AppendTexts(joined, {IntegerToText(value), u" "});
    EXPECT_EQ(TextToInteger(TextView(IntegerToText(value))), value);
    char units[24];
    bytes.append(units, AppendInteger(units, value)).append(" ");
  }
  const std::string expected =
      "0 7 10 99 100 1009 -7 -10 12345 4294967295 4294967296 999999999999999999 1000000000000000000 "
      "-9223372036854775808 9223372036854775807 ";
  EXPECT_EQ(joined, Text(expected.begin(), expected.end()));
  EXPECT_EQ(bytes, expected);
}

TEST(StringOperations, PartsOfPathsAndJoinsIntoTheirOwnTarget) {
  const TextView cases[][3] = {{u"C:\\m\\cube.obj", u"C:\\m\\", u"cube.obj"},
                               {u"D:\\a/b\\c", u"D:\\a/b\\", u"c"},
                               {u"C:cube.obj", u"", u"C:cube.obj"},
                               {u"\"C:\\m\\c.obj\"", u"C:\\m\\", u"c.obj"},
                               {u"a|b\\c.obj", u"", u"c.obj"},
                               {u"\"", u"", u""}};
  for (const auto& c : cases) {
    EXPECT_EQ(DirectoryPart(c[0]), c[1]);
    EXPECT_EQ(FilePart(c[0]), c[2]);
  }
  Text line = u"v 1 2 3";
  JoinTexts(line, {SubText(line, 3, 5), u"|", SubText(line, -4, 1)});
  AppendTexts(line, {line});
  EXPECT_EQ(line, u"1 2 3|v1 2 3|v");
}

// Short decimals are read in one look of their own, the rest by from_chars: the
// value must be the nearest double either way, the same bits from_chars finds.
TEST(StringOperations, NumbersReadToTheNearestDouble) {
  std::mt19937 random(20261207);
  const char* const pieces[] = {"0", "7", "9", "5", ".", "-", "e", "1", "3", "+"};
  for (int k = 0; k < 50000; ++k) {
    std::string text;
    for (size_t length = random() % 20; text.size() < length;) text += pieces[random() % 10];
    double expected = 0, got = -1;
    const char* const from = text.data() + (text.starts_with("+") && !text.starts_with("+-") ? 1 : 0);
    const auto [stop, error] = std::from_chars(from, text.data() + text.size(), expected);
    const bool readable = !text.empty() && error == std::errc() && stop == text.data() + text.size();
    double fromBytes = -1;
    ASSERT_EQ(TextToNumber(Text(text.begin(), text.end()), got), readable) << text;
    ASSERT_EQ(TextToNumber(AsciiView(text), fromBytes), readable) << text;
    if (!readable) continue;
    ASSERT_EQ(std::bit_cast<uint64_t>(got), std::bit_cast<uint64_t>(expected)) << text;
    ASSERT_EQ(std::bit_cast<uint64_t>(fromBytes), std::bit_cast<uint64_t>(expected)) << text;
  }
  const std::tuple<TextView, size_t, double> prefixes[] = {{u"1.25, 3", 4, 1.25},
                                                           {u"-.5>", 3, -0.5},
                                                           {u"+7.", 3, 7},
                                                           {u"1e5", 0, 0},
                                                           {u"1234567890.123456", 0, 0}};
  for (const auto& [text, taken, value] : prefixes) {
    double read = 0;
    EXPECT_EQ(ReadDecimalPrefix(text, read), taken);
    EXPECT_EQ(read, value);
  }
}

}  // namespace
}  // namespace meshfold
