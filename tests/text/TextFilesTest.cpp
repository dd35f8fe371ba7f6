// Reading and writing through the 4096-byte file buffer, as the platform sees
// it through the fake file calls: how many calls of what size, and what a
// failing call leaves behind. Which lines a byte stream holds is the reader
// fuzz target's model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FakeOsFiles.h"
#include "text/CodePage.h"
#include "text/TextFileReader.h"
#include "text/TextFileWriter.h"

namespace meshfold {
namespace {

using testing::FakeCall;
using Strings = std::vector<std::string>;

class TextFilesTest : public ::testing::Test {
 protected:
  std::vector<Text> ReadAll(const std::string& bytes) {
    fake_.files[u"f"].bytes = bytes;
    const FileHandle file = OpenTextFile(AnyHandle, u"f", error_);
    std::vector<Text> lines;
    while (!AtEnd(file)) lines.emplace_back(ReadLine(file, EncodingAnsi));
    CloseTextFile(file);
    return lines;
  }
  OsError error_ = 0;
  testing::FakeOsFiles fake_;
  testing::ScopedFakeOsFiles scope_{fake_};
};

TEST_F(TextFilesTest, ReadingAsksForWholeBuffersOrSingleBytesWithoutOne) {
  EXPECT_EQ(ReadAll(std::string(5 * FileBufferSize - 2, 'v') + "\r\n")[0].size(), 5u * FileBufferSize - 2);
  EXPECT_EQ(fake_.readSizes, std::vector<int32_t>(6, FileBufferSize)) << "five buffers, then the end";
  EXPECT_TRUE(fake_.moves.empty());
  fake_.noBuffers = true;
  EXPECT_EQ(ReadAll("ab\r\ncd\re"), (std::vector<Text>{u"ab", u"cd", u"e"}));
  EXPECT_EQ(fake_.readSizes.back(), 1);
  // AtEnd gives back each first byte it peeked at, and the byte after a lone CR.
  EXPECT_EQ(fake_.moves, (std::vector<int64_t>{-1, -1, -1, -1}));
}

// A UTF-8 mark is no part of the first line, also when nothing follows it.
TEST_F(TextFilesTest, AUtf8MarkIsSkipped) {
  EXPECT_EQ(ReadAll("\xEF\xBB\xBFv 1\n"), std::vector<Text>{u"v 1"});
  EXPECT_EQ(ReadAll("\xEF\xBB\xBF"), std::vector<Text>{u""});
}

TEST_F(TextFilesTest, FilesOpenOnceAndCloseAllWritesPendingOutputButNeverAFileBeingRead) {
  EXPECT_EQ(OpenTextFile(AnyHandle, u"missing", error_), 0);
  EXPECT_EQ(error_, 2);
  fake_.files[u"a"].bytes = "1";
  EXPECT_EQ(OpenTextFile(7, u"a", error_), 0) << "only AnyHandle asks for a new file";
  const FileHandle reading = OpenTextFile(AnyHandle, u"a", error_);
  EXPECT_EQ(OpenTextFile(AnyHandle, u"a", error_), 0) << "an open file is shared with no other holder";
  WriteLine(reading, u"never", EncodingAnsi);
  WriteLine(CreateTextFile(AnyHandle, u"b", error_), u"pending", EncodingAnsi);
  CloseAllTextFiles();
  EXPECT_EQ(fake_.Count(FakeCall::Close), 2);
  EXPECT_EQ(fake_.files[u"a"].bytes, "1");
  EXPECT_EQ(fake_.files[u"b"].bytes, "pending\r\n");
  EXPECT_TRUE(AtEnd(reading) && ReadLine(reading, EncodingAnsi).empty() && CloseTextFile(reading) == 0);
}

// Pieces around the free space: one that fills the buffer exactly goes out
// with a flush, one of a whole buffer or more goes straight through; every
// byte arrives in order, in the system code page, each line ended by CR LF.
TEST_F(TextFilesTest, LinesOfPiecesOfEveryLengthArriveWhole) {
  fake_.files[u"f"].bytes = std::string(10000, 'o');
  const FileHandle file = CreateTextFile(AnyHandle, u"f", error_);
  EXPECT_EQ(fake_.files[u"f"].bytes, "") << "creating empties the file";
  std::vector<std::vector<Text>> lines = {{},
                                          {u"", u""},
                                          {Text(9000, u'e'), u"f"},
                                          {Text(2048, u'\u00e9')},
                                          {Text(4000, u'g'), Text(95, u'h'), u"i", Text(5000, u'j')},
                                          {Text(4094, u'x'), u"\u00e9", u"yz"}};
  for (size_t length = 4093; length <= 4096; ++length) lines.push_back({Text(length, u'a')});
  std::string expected;
  for (const std::vector<Text>& pieces : lines) {
    const std::vector<TextView> views(pieces.begin(), pieces.end());
    views.size() == 1 ? WriteLine(file, views[0], EncodingAnsi) : WriteLinePieces(file, views, EncodingAnsi);
    for (const Text& piece : pieces) expected += AnsiBytes(piece);
    expected += "\r\n";
  }
  EXPECT_EQ(CloseTextFile(file), 0);
  EXPECT_EQ(fake_.files[u"f"].bytes, expected);
  EXPECT_EQ(fake_.moves, (std::vector<int64_t>{0})) << "the switch to writing moves by nothing";
}

TEST_F(TextFilesTest, WritingMakesOneCallPerBufferOrOnePerPieceWithoutOne) {
  FileHandle file = CreateTextFile(AnyHandle, u"f", error_);
  // 4 bytes a line in two pieces: the buffer goes out when a piece would fill it.
  for (int line = 0; line < 4096; ++line) WriteLine(file, u"xy", EncodingAnsi);
  EXPECT_EQ(fake_.writes.size(), 4u);
  for (const std::string& write : fake_.writes) EXPECT_EQ(write.size(), 4094u);
  CloseTextFile(file);
  fake_.writes.clear();
  fake_.noBuffers = true;
  file = CreateTextFile(AnyHandle, u"f", error_);
  WriteLine(file, u"abc", EncodingAnsi);
  WriteLine(file, u"", EncodingAnsi);
  CloseTextFile(file);
  EXPECT_EQ(fake_.writes, (Strings{"abc", "\r\n", "\r\n"}));
}

TEST_F(TextFilesTest, CreationTriesTruncationSecondAndKeepsTheFirstReason) {
  fake_.files[u"f"].bytes = "old";
  fake_.FailCall(FakeCall::Open, 0, 13);
  WriteLine(CreateTextFile(AnyHandle, u"f", error_), u"new", EncodingAnsi);
  EXPECT_EQ(fake_.opens, (std::vector<OsOpenMode>{OsOpenMode::CreateAlways, OsOpenMode::TruncateExisting}));
  CloseAllTextFiles();
  EXPECT_EQ(fake_.files[u"f"].bytes, "new\r\n");
  fake_.FailCall(FakeCall::Open, 2, 13);  // the second attempt finds no file
  EXPECT_EQ(CreateTextFile(AnyHandle, u"absent", error_), 0);
  EXPECT_EQ(error_, 13) << "not the 'not found' of the second attempt";
}

// A failed write is remembered while writing goes on; the close reports it.
TEST_F(TextFilesTest, TheFirstFailedWriteIsReportedAtClose) {
  fake_.FailCall(FakeCall::Write, 1, 28);
  const FileHandle file = CreateTextFile(AnyHandle, u"f", error_);
  for (int line = 0; line < 3000; ++line) WriteLine(file, u"line", EncodingAnsi);
  EXPECT_EQ(CloseTextFile(file), 28);
  EXPECT_GT(fake_.Count(FakeCall::Write), 2);
}

}  // namespace
}  // namespace meshfold
