#include "text/TextFileWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/FakeOsFiles.h"
#include "tests/support/TestFiles.h"
#include "text/CodePage.h"
#include "text/TextFileReader.h"

namespace meshfold {
namespace {

using testing::FakeCall;
using testing::FakeOsFiles;
using testing::ScopedFakeOsFiles;

class TextFileWriterTest : public ::testing::Test {
 protected:
  const std::string& Bytes() { return fake_.files[u"out.inc"].bytes; }
  void TearDown() override { FailBufferAllocationForTesting(false); }

  FakeOsFiles fake_;
  ScopedFakeOsFiles scope_{fake_};
};

Text Repeated(size_t count, char16_t unit) { return Text(count, unit); }

TEST_F(TextFileWriterTest, LinesEndInCrLfWithNothingAdded) {
  const FileHandle file = CreateTextFile(AnyHandle, u"out.inc");
  WriteLine(file, u"abc", EncodingAnsi);
  WriteLine(file, u"", EncodingAnsi);
  EXPECT_EQ(Bytes(), "") << "output waits in the buffer";
  EXPECT_EQ(CloseTextFile(file), 0);
  EXPECT_EQ(Bytes(), "abc\r\n\r\n");
  EXPECT_EQ(fake_.Count(FakeCall::Write), 1);
  EXPECT_EQ(fake_.moves, (std::vector<int64_t>{0})) << "the switch to writing moves by nothing";
}

TEST_F(TextFileWriterTest, CreatingEmptiesAnExistingFile) {
  fake_.files[u"out.inc"].bytes = std::string(10000, 'o');
  CloseTextFile(CreateTextFile(AnyHandle, u"out.inc"));
  EXPECT_EQ(Bytes(), "");
  fake_.files[u"out.inc"].bytes = std::string(10000, 'o');
  const FileHandle file = CreateTextFile(AnyHandle, u"out.inc");
  WriteLine(file, u"short", EncodingAnsi);
  CloseTextFile(file);
  EXPECT_EQ(Bytes(), "short\r\n");
}

TEST_F(TextFileWriterTest, PiecesOfEveryLengthArriveCompleteAndInOrder) {
  // Lengths around the free space: a piece that fills the buffer exactly goes
  // out with a flush, pieces of a whole buffer or more go straight through.
  const size_t lengths[] = {1, 4093, 4094, 4095, 4096, 4097, 9000, 2, 4092, 0, 8192, 3};
  const FileHandle file = CreateTextFile(AnyHandle, u"out.inc");
  std::string expected;
  char16_t unit = u'a';
  for (size_t length : lengths) {
    WriteLine(file, Repeated(length, unit), EncodingAnsi);
    expected += std::string(length, static_cast<char>(unit)) + "\r\n";
    ++unit;
  }
  CloseTextFile(file);
  EXPECT_EQ(Bytes(), expected);
  for (size_t write = 0; write < fake_.writes.size(); ++write) {
    const size_t size = fake_.writes[write].size();
    EXPECT_TRUE(size < 4096 || size == 4097 || size == 9000 || size == 8192 || size == 4096) << size;
  }
}

TEST_F(TextFileWriterTest, ThePlatformSeesOneWritePerBufferfulOfShortLines) {
  const FileHandle file = CreateTextFile(AnyHandle, u"out.inc");
  // 4 bytes a line in two pieces of 2: the buffer goes out when a piece
  // would fill it, with 4094 bytes.
  for (int line = 0; line < 4096; ++line) WriteLine(file, u"xy", EncodingAnsi);
  EXPECT_EQ(fake_.Count(FakeCall::Write), 4);
  for (const std::string& write : fake_.writes) EXPECT_EQ(write.size(), 4094u);
  CloseTextFile(file);
  EXPECT_EQ(fake_.Count(FakeCall::Write), 5);
  EXPECT_EQ(Bytes().size(), 4096u * 4);
}

TEST_F(TextFileWriterTest, WithoutABufferEveryPieceIsItsOwnWrite) {
  FailBufferAllocationForTesting(true);
  const FileHandle file = CreateTextFile(AnyHandle, u"out.inc");
  WriteLine(file, u"abc", EncodingAnsi);
  WriteLine(file, u"", EncodingAnsi);
  CloseTextFile(file);
  EXPECT_EQ(Bytes(), "abc\r\n\r\n");
  EXPECT_EQ(fake_.writes, (std::vector<std::string>{"abc", "\r\n", "\r\n"}));
}

TEST_F(TextFileWriterTest, TheSecondAttemptTruncatesAFileThatOnlyAllowsWriting) {
  fake_.files[u"out.inc"].bytes = "old";
  fake_.FailCall(FakeCall::Open, 0, 5);
  const FileHandle file = CreateTextFile(AnyHandle, u"out.inc");
  ASSERT_NE(file, 0);
  EXPECT_EQ(fake_.opens, (std::vector<OsOpenMode>{OsOpenMode::CreateAlways, OsOpenMode::TruncateExisting}));
  WriteLine(file, u"new", EncodingAnsi);
  CloseTextFile(file);
  EXPECT_EQ(Bytes(), "new\r\n");
}

TEST_F(TextFileWriterTest, ALineWrittenInPiecesIsTheLineOfTheirJoin) {
  const std::vector<std::vector<Text>> lines = {
      {},
      {u"", u"", u""},
      {u"abc"},
      {Repeated(4000, u'a'), Repeated(95, u'b'), u"c", Repeated(5000, u'd'), u"e"},
      {Repeated(4094, u'x'), u"\u00e9", u"yz"},
      {Repeated(2048, u'p'), Repeated(2048, u'\u00e9')},
      {Repeated(4096, u'q'), u"r"},
  };
  std::string expected;
  const FileHandle file = CreateTextFile(AnyHandle, u"out.inc");
  for (const std::vector<Text>& pieces : lines) {
    const std::vector<TextView> views(pieces.begin(), pieces.end());
    WriteLinePieces(file, views, EncodingAnsi);
    for (const Text& piece : pieces) {
      std::string bytes;
      TextToAnsi(piece, bytes);  // the system code page's own bytes for the piece
      expected += bytes;
    }
    expected += "\r\n";
  }
  EXPECT_EQ(CloseTextFile(file), 0);
  EXPECT_EQ(Bytes(), expected);
}

TEST_F(TextFileWriterTest, AFileThatCannotBeCreatedIsReportedWithTheReasonOfTheFirstAttempt) {
  const OsError accessDenied = 13;
  fake_.FailCall(FakeCall::Open, 0, accessDenied);  // the second attempt finds no file
  EXPECT_EQ(CreateTextFile(AnyHandle, u"out.inc"), 0);
  EXPECT_EQ(fake_.Count(FakeCall::Open), 2);
  EXPECT_EQ(LastOpenError(), accessDenied);
}

TEST_F(TextFileWriterTest, FailuresAreRememberedNotLost) {
  fake_.FailCall(FakeCall::Open, 0, 5, true);
  EXPECT_EQ(CreateTextFile(AnyHandle, u"out.inc"), 0);
  EXPECT_EQ(LastOpenError(), 5);
  WriteLine(0, u"nothing", EncodingAnsi);
  EXPECT_EQ(fake_.Count(FakeCall::Write), 0);

  FakeOsFiles full;
  ScopedFakeOsFiles fullScope(full);
  full.FailCall(FakeCall::Write, 1, 28);
  const FileHandle file = CreateTextFile(AnyHandle, u"out.inc");
  for (int line = 0; line < 3000; ++line) WriteLine(file, u"line", EncodingAnsi);
  EXPECT_EQ(CloseTextFile(file), 28) << "the first failed write is what the close reports";
  EXPECT_GT(full.Count(FakeCall::Write), 2) << "writing goes on after a failure";
}

TEST_F(TextFileWriterTest, WhenBothAttemptsFailTheFirstOnesReasonIsKept) {
  constexpr OsError AccessDenied = 13;
  fake_.FailCall(FakeCall::Open, 0, AccessDenied);
  EXPECT_EQ(CreateTextFile(AnyHandle, u"absent.inc"), 0);
  EXPECT_EQ(fake_.opens, (std::vector<OsOpenMode>{OsOpenMode::CreateAlways, OsOpenMode::TruncateExisting}));
  EXPECT_EQ(LastOpenError(), AccessDenied) << "not the 'not found' of the second attempt";
}

TEST_F(TextFileWriterTest, FilesOpenedForReadingAreNeverWritten) {
  fake_.files[u"in.obj"].bytes = "keep";
  const FileHandle file = OpenTextFile(AnyHandle, u"in.obj");
  WriteLine(file, u"overwrite", EncodingAnsi);
  CloseTextFile(file);
  EXPECT_EQ(fake_.files[u"in.obj"].bytes, "keep");
  EXPECT_EQ(fake_.Count(FakeCall::Write), 0);
}

}  // namespace
}  // namespace meshfold
