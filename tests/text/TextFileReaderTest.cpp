#include "text/TextFileReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FakeOsFiles.h"
#include "tests/support/TestFiles.h"
#include "text/CodePage.h"

namespace meshfold {
namespace {

using testing::FakeCall;
using testing::FakeOsFiles;
using testing::ScopedFakeOsFiles;
using testing::U8;

class TextFileReaderTest : public ::testing::Test {
 protected:
  // Every line of a file holding bytes, as UTF-8, read as the converter does.
  std::vector<std::string> ReadAll(const std::string& bytes) {
    fake_.files[u"in.obj"].bytes = bytes;
    const FileHandle file = OpenTextFile(AnyHandle, u"in.obj");
    EXPECT_NE(file, 0);
    std::vector<std::string> lines;
    while (!AtEnd(file)) lines.push_back(U8(ReadLine(file, EncodingAnsi)));
    EXPECT_EQ(U8(ReadLine(file, EncodingAnsi)), "");
    EXPECT_TRUE(AtEnd(file));
    CloseTextFile(file);
    return lines;
  }

  void TearDown() override { FailBufferAllocationForTesting(false); }

  FakeOsFiles fake_;
  ScopedFakeOsFiles scope_{fake_};
};

using Lines = std::vector<std::string>;

// What the system code page makes of bytes, which no reader may change.
std::string InCodePage(const std::string& bytes) {
  Text text;
  AnsiToText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text);
  return U8(text);
}

TEST_F(TextFileReaderTest, LineEndsAndNulBytes) {
  struct Case {
    std::string bytes;
    Lines lines;
  } const cases[] = {
      {"", {}},
      {"a\nb", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\n\n", {"a", ""}},
      {"a\r\nb\rc\n\rd", {"a", "b", "c", "", "d"}},
      {"a\r", {"a"}},
      {std::string("ab\0cd", 5), {"ab", "cd"}},
      {"\n", {""}},
      {"\r\r\n\n", {"", "", ""}},
      {"\xEF\xBB\xBFv 1 2 3", {InCodePage("\xEF\xBB\xBF") + "v 1 2 3"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadAll(c.bytes), c.lines) << "buffered: " << c.bytes;
    FailBufferAllocationForTesting(true);
    EXPECT_EQ(ReadAll(c.bytes), c.lines) << "unbuffered: " << c.bytes;
    FailBufferAllocationForTesting(false);
  }
}

TEST_F(TextFileReaderTest, CrAndLfAcrossABufferBoundaryMakeOneLineEnd) {
  const std::string first(FileBufferSize - 1, 'x');
  EXPECT_EQ(ReadAll(first + "\r\nnext"), (Lines{first, "next"}));
  EXPECT_EQ(ReadAll(first + "\r" + "next"), (Lines{first, "next"}));
}

TEST_F(TextFileReaderTest, LongLinesComeOutWhole) {
  const std::string longLine(10000, 'q');
  EXPECT_EQ(ReadAll(longLine + "\nshort\n" + longLine), (Lines{longLine, "short", longLine}));
}

TEST_F(TextFileReaderTest, OneReadPerBufferHoweverShortTheLines) {
  std::string bytes;
  while (bytes.size() < 5 * FileBufferSize) bytes += "v\n";
  fake_.files[u"in.obj"].bytes = bytes;
  const FileHandle file = OpenTextFile(AnyHandle, u"in.obj");
  size_t lines = 0;
  for (; !AtEnd(file); ++lines) EXPECT_EQ(ReadLine(file, EncodingAnsi), u"v");
  CloseTextFile(file);
  EXPECT_EQ(lines, bytes.size() / 2);
  // Five full buffers, then the read that finds the end.
  EXPECT_EQ(fake_.Count(FakeCall::Read), 6);
  for (int32_t size : fake_.readSizes) EXPECT_EQ(size, FileBufferSize);
  EXPECT_EQ(fake_.Count(FakeCall::Move), 0);
}

TEST_F(TextFileReaderTest, WithoutABufferEveryByteIsItsOwnRead) {
  FailBufferAllocationForTesting(true);
  EXPECT_EQ(ReadAll("ab\r\ncd\re"), (Lines{"ab", "cd", "e"}));
  for (int32_t size : fake_.readSizes) EXPECT_EQ(size, 1);
  // AtEnd gives back each first byte, and the byte after a lone CR.
  EXPECT_EQ(fake_.moves, (std::vector<int64_t>{-1, -1, -1, -1}));
}

TEST_F(TextFileReaderTest, AReadErrorEndsTheDataAndIsRemembered) {
  fake_.files[u"in.obj"].bytes = std::string(3 * FileBufferSize, 'v');
  fake_.FailCall(FakeCall::Read, 1, 23, true);
  const FileHandle file = OpenTextFile(AnyHandle, u"in.obj");
  EXPECT_EQ(ReadLine(file, EncodingAnsi).size(), static_cast<size_t>(FileBufferSize));
  EXPECT_TRUE(AtEnd(file));
  EXPECT_EQ(CloseTextFile(file), 23);
}

TEST_F(TextFileReaderTest, HandlesThatNameNoOpenFile) {
  EXPECT_EQ(OpenTextFile(AnyHandle, u"missing.obj"), 0);
  EXPECT_EQ(LastOpenError(), 2);
  EXPECT_EQ(OpenTextFile(7, u"in.obj"), 0);
  for (FileHandle handle : {FileHandle{0}, FileHandle{-1}, FileHandle{12345}}) {
    EXPECT_TRUE(AtEnd(handle));
    EXPECT_EQ(ReadLine(handle, EncodingAnsi), u"");
    EXPECT_EQ(CloseTextFile(handle), 0);
  }
  fake_.files[u"in.obj"].bytes = "x\n";
  const FileHandle file = OpenTextFile(AnyHandle, u"in.obj");
  CloseTextFile(file);
  EXPECT_TRUE(AtEnd(file));
  EXPECT_EQ(fake_.Count(FakeCall::Read), 0);
}

TEST_F(TextFileReaderTest, CloseAllClosesNewestFirst) {
  fake_.files[u"a"].bytes = "1";
  fake_.files[u"b"].bytes = "2";
  const FileHandle a = OpenTextFile(AnyHandle, u"a");
  const FileHandle b = OpenTextFile(AnyHandle, u"b");
  EXPECT_EQ(OpenTextFile(AnyHandle, u"a"), 0) << "a file open here is not shared";
  CloseAllTextFiles();
  EXPECT_EQ(fake_.Count(FakeCall::Close), 2);
  EXPECT_TRUE(AtEnd(a));
  EXPECT_TRUE(AtEnd(b));
  EXPECT_NE(OpenTextFile(AnyHandle, u"a"), 0);
  CloseAllTextFiles();
}

// The terminator search looks at 16 and 8 bytes at a time; a terminator must
// end its line at every offset, with bytes just above and below it around.
TEST_F(TextFileReaderTest, EveryTerminatorAtEveryOffsetOfAChunk) {
  const std::string terminators[] = {"\n", "\r", "\r\n", std::string(1, '\0')};
  for (const std::string& terminator : terminators) {
    for (size_t length = 0; length <= 40; ++length) {
      std::string line;
      for (size_t at = 0; at < length; ++at)
        line.push_back(at % 3 == 0 ? '\x0E' : at % 3 == 1 ? '\x09' : 'v');
      const std::string bytes = line + terminator + line + terminator + "end";
      const Lines expected = {line, line, "end"};
      EXPECT_EQ(ReadAll(bytes), expected) << length << " " << static_cast<int>(terminator[0]);
    }
  }
}

// Lines that straddle the 4096-byte buffer are read whole, however they fall.
TEST_F(TextFileReaderTest, LinesAcrossTheBufferEdgeAtEveryOffset) {
  for (size_t lead = 4060; lead <= 4100; ++lead) {
    const std::string first(lead, 'a');
    const std::string second = "v 0.587785 -0.809017 0.000000";
    const Lines expected = {first, second, second};
    EXPECT_EQ(ReadAll(first + "\r\n" + second + "\r\n" + second), expected) << lead;
  }
}

}  // namespace
}  // namespace meshfold
