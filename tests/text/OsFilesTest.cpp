// The platform's own file calls, on real files.
#include "text/OsFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestFiles.h"
#include "text/TextFileReader.h"
#include "text/TextFileWriter.h"

namespace meshfold {
namespace {

using testing::ReadBytes;
using testing::TemporaryDirectory;
using testing::WriteBytes;

TEST(OsFiles, RefusesMissingFilesAndFoldersWithAReason) {
  TemporaryDirectory directory;
  const OsFileCalls& os = PlatformOsFileCalls();
  for (const Text& path : {directory.TextPath("missing.obj"), directory.TextPath(""),
                           directory.TextPath("no-such-folder/x.inc")}) {
    OsError error = 0;
    for (OsOpenMode mode : {OsOpenMode::ReadExisting, OsOpenMode::TruncateExisting}) {
      EXPECT_EQ(os.open(path, mode, error), InvalidOsHandle);
      EXPECT_NE(error, 0);
      EXPECT_FALSE(OsErrorText(error).empty());
    }
  }
  OsError error = 0;
  EXPECT_EQ(os.open(directory.TextPath("no-such-folder/x.inc"), OsOpenMode::CreateAlways, error),
            InvalidOsHandle);
}

TEST(OsFiles, AnOpenFileIsSharedWithNoOtherHolder) {
  TemporaryDirectory directory;
  const Text path = directory.TextPath("held.obj");
  WriteBytes(directory.Path() / "held.obj", "v 1 2 3\n");
  const FileHandle reader = OpenTextFile(AnyHandle, path);
  ASSERT_NE(reader, 0);
  EXPECT_EQ(OpenTextFile(AnyHandle, path), 0);
  EXPECT_EQ(CreateTextFile(AnyHandle, path), 0);
  EXPECT_NE(LastOpenError(), 0);
  CloseTextFile(reader);
  EXPECT_EQ(ReadBytes(directory.Path() / "held.obj"), "v 1 2 3\n") << "a refused creation empties nothing";
  const FileHandle again = OpenTextFile(AnyHandle, path);
  EXPECT_NE(again, 0);
  CloseTextFile(again);
}

TEST(OsFiles, WrittenFilesHoldExactlyTheLines) {
  TemporaryDirectory directory;
  WriteBytes(directory.Path() / "out.inc", std::string(9000, 'x'));
  const FileHandle file = CreateTextFile(AnyHandle, directory.TextPath("out.inc"));
  ASSERT_NE(file, 0);
  WriteLine(file, u"abc", EncodingAnsi);
  WriteLine(file, u"", EncodingAnsi);
  EXPECT_EQ(CloseTextFile(file), 0);
  EXPECT_EQ(ReadBytes(directory.Path() / "out.inc"), "abc\r\n\r\n");
}

TEST(OsFiles, SameFileComparesIdentityNotSpelling) {
  TemporaryDirectory directory;
  WriteBytes(directory.Path() / "a.obj", "v\n");
  WriteBytes(directory.Path() / "b.obj", "v\n");
  const OsFileCalls& os = PlatformOsFileCalls();
  EXPECT_TRUE(os.sameFile(directory.TextPath("a.obj"), directory.TextPath("a.obj")));
  EXPECT_TRUE(os.sameFile(directory.TextPath("missing"), directory.TextPath("missing")));
  EXPECT_FALSE(os.sameFile(directory.TextPath("a.obj"), directory.TextPath("b.obj")));
  EXPECT_FALSE(os.sameFile(directory.TextPath("a.obj"), directory.TextPath("missing")));
  EXPECT_TRUE(os.sameFile(directory.TextPath("a.obj"), directory.TextPath("./a.obj")));
  std::error_code error;
  std::filesystem::create_hard_link(directory.Path() / "a.obj", directory.Path() / "link.inc", error);
  if (!error) {
    EXPECT_TRUE(os.sameFile(directory.TextPath("a.obj"), directory.TextPath("link.inc")));
  }
}

}  // namespace
}  // namespace meshfold
