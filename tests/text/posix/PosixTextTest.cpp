// The platform calls on POSIX systems. Files meet every call as all earlier writes left them. Code page 0
// is UTF-8: well-formed sequences become their characters, and each byte of a malformed one a code unit
// of its own that turns back into the same byte.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "tests/support/TestFiles.h"
#include "text/CodePage.h"
#include "text/OsFiles.h"

namespace meshfold {
namespace {

using testing::TemporaryDirectory;

const OsFileCalls& os = PlatformOsFileCalls();

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

// Pieces of odd sizes around the 4096-byte buffers and the batch, moves back and forth and a read: each
// call meets the file as the calls before it left it (a model of it), and so does the close.
TEST(PosixFiles, WritesMovesAndAReadMeetTheFileAsWritten) {
  const std::pair<char, int> steps[] = {{'w', 1},  {'w', 4095}, {'w', 1234567}, {'w', 3 << 20}, {'m', -7000},
                                        {'w', 13}, {'r', 9},    {'w', 4096},    {'m', 2000},    {'w', 2}};
  TemporaryDirectory directory;
  OsError error = 0;
  const OsHandle file = os.open(directory.TextPath("f.inc"), OsOpenMode::CreateAlways, error);
  std::string model, bytes;  // model: the bytes the file must hold
  for (size_t at = 0, serial = 0; const auto& [call, count] : steps) {
    bytes.resize(static_cast<size_t>(std::abs(count)));
    for (char& byte : bytes) byte = static_cast<char>(++serial % 251);  // a period that no size shares
    auto* data = reinterpret_cast<uint8_t*>(bytes.data());
    const bool done = call == 'w'   ? os.write(file, data, bytes.size(), error)
                      : call == 'm' ? os.move(file, count, error)
                                    : os.read(file, data, count, error) == count;
    EXPECT_TRUE(done && (call != 'r' || bytes == model.substr(at, bytes.size()))) << call << count;
    if (call == 'w') model.replace(at, bytes.size(), bytes);
    at += static_cast<size_t>(count);
  }
  EXPECT_TRUE(os.close(file, error) && error == 0);
  EXPECT_TRUE(testing::ReadBytes(directory.Path() / "f.inc") == model) << "the file differs from its model";
}

// A write that the disk refuses (the descriptor turned into /dev/full) is reported at the latest by the
// next move, read or close, and the close lets the descriptor go all the same.
TEST(PosixFiles, AWriteTheDiskRefusesIsReportedAtTheLatestByTheNextMoveReadOrClose) {
  for (const char last : {'m', 'r', 'c'}) {
    TemporaryDirectory directory;
    OsError error = 0;
    const OsHandle file = os.open(directory.TextPath("f.inc"), OsOpenMode::CreateAlways, error);
    const int fd = static_cast<int>(file - 1), full = ::open("/dev/full", O_RDWR | O_CLOEXEC);
    ASSERT_TRUE(full >= 0 && dup2(full, fd) == fd && ::close(full) == 0);  // handles are descriptors + 1
    uint8_t byte = 0;
    bool refused = !os.write(file, &byte, 1, error);
    if (last == 'm') refused |= !os.move(file, 0, error);
    if (last == 'r') refused |= os.read(file, &byte, 1, error) == 0;
    if (last == 'c') refused |= !os.close(file, error);
    EXPECT_TRUE(refused && error == ENOSPC) << last << ": " << error;
    if (last != 'c') os.close(file, error);
    EXPECT_EQ(fcntl(fd, F_GETFD), -1) << "the descriptor is left open";
  }
}

}  // namespace
}  // namespace meshfold
