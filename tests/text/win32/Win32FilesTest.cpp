// The file layer on the real Win32 calls: sharing, creation, positions,
// the bytes that reach the disk and the platform's error texts.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"
#include "text/OsFiles.h"
#include "text/TextFileReader.h"
#include "text/TextFileWriter.h"

namespace meshfold {
namespace {

using testing::ReadBytes;
using testing::TemporaryDirectory;
using testing::WriteBytes;

const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

HANDLE OpenShared(const Text& path, DWORD access, DWORD share) {
  return CreateFileW(Wide(path), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(Win32Files, EveryOpenModeSharesTheFileWithNoOne) {
  TemporaryDirectory directory;
  const Text path = directory.TextPath("held.obj");
  const OsFileCalls& os = PlatformOsFileCalls();
  for (OsOpenMode holder :
       {OsOpenMode::ReadExisting, OsOpenMode::CreateAlways, OsOpenMode::TruncateExisting}) {
    WriteBytes(directory.Path() / "held.obj", "v 1 2 3\n");
    OsError error = 0;
    const OsHandle held = os.open(path, holder, error);
    ASSERT_NE(held, InvalidOsHandle);
    for (DWORD access : {DWORD{GENERIC_READ}, DWORD{GENERIC_WRITE}}) {
      const HANDLE other = OpenShared(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
      EXPECT_EQ(other, INVALID_HANDLE_VALUE) << static_cast<int>(holder) << " " << access;
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
      if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    }
    EXPECT_TRUE(os.close(held, error));
  }
}

TEST(Win32Files, AFileAnotherHolderHasOpenIsRefusedAndLeftAlone) {
  TemporaryDirectory directory;
  const Text path = directory.TextPath("other.inc");
  WriteBytes(directory.Path() / "other.inc", "kept\r\n");
  // Even a holder that shares everything conflicts with share mode 0.
  const HANDLE other = OpenShared(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenTextFile(AnyHandle, path), 0);
  EXPECT_EQ(CreateTextFile(AnyHandle, path), 0);
  EXPECT_EQ(LastOpenError(), ERROR_SHARING_VIOLATION);
  CloseHandle(other);
  EXPECT_EQ(ReadBytes(directory.Path() / "other.inc"), "kept\r\n");
}

TEST(Win32Files, TruncateExistingEmptiesAnExistingFileForWritingOnly) {
  TemporaryDirectory directory;
  const OsFileCalls& os = PlatformOsFileCalls();
  OsError error = 0;
  EXPECT_EQ(os.open(directory.TextPath("missing.inc"), OsOpenMode::TruncateExisting, error), InvalidOsHandle);
  EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(std::filesystem::exists(directory.Path() / "missing.inc"))
      << "the second attempt creates nothing";

  WriteBytes(directory.Path() / "old.inc", std::string(5000, 'o'));
  const OsHandle file = os.open(directory.TextPath("old.inc"), OsOpenMode::TruncateExisting, error);
  ASSERT_NE(file, InvalidOsHandle);
  uint8_t byte = 0;
  error = 0;
  EXPECT_EQ(os.read(file, &byte, 1, error), 0);
  EXPECT_EQ(error, ERROR_ACCESS_DENIED) << "write access only";
  const std::string line = "new\r\n";
  EXPECT_TRUE(os.write(file, reinterpret_cast<const uint8_t*>(line.data()), line.size(), error));
  EXPECT_TRUE(os.close(file, error));
  EXPECT_EQ(ReadBytes(directory.Path() / "old.inc"), line);
}

// Windows refuses CREATE_ALWAYS with FILE_ATTRIBUTE_NORMAL on a hidden file;
// then the second attempt empties it. Either way the file ends up replaced.
TEST(Win32Files, AHiddenIncludeFileIsReplaced) {
  TemporaryDirectory directory;
  const Text path = directory.TextPath("hidden.inc");
  WriteBytes(directory.Path() / "hidden.inc", std::string(300, 'h'));
  ASSERT_TRUE(SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_HIDDEN));
  const FileHandle file = CreateTextFile(AnyHandle, path);
  ASSERT_NE(file, 0);
  WriteLine(file, u"abc", EncodingAnsi);
  EXPECT_EQ(CloseTextFile(file), 0);
  EXPECT_EQ(ReadBytes(directory.Path() / "hidden.inc"), "abc\r\n");
  SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32Files, LinesReachTheDiskWithCrLfAndNoByteOrderMark) {
  struct Case {
    std::vector<Text> lines;
    std::string bytes;
  } const cases[] = {
      {{}, ""},
      {{u""}, "\r\n"},
      {{u"abc"}, "abc\r\n"},
      {{u"//   smooth triangles from tri.obj", u"#declare tri = "},
       "//   smooth triangles from tri.obj\r\n#declare tri = \r\n"},
      {{Text(4094, u'x'), Text(4096, u'y'), u"z"},
       std::string(4094, 'x') + "\r\n" + std::string(4096, 'y') + "\r\nz\r\n"},
  };
  TemporaryDirectory directory;
  for (const Case& c : cases) {
    const FileHandle file = CreateTextFile(AnyHandle, directory.TextPath("out.inc"));
    ASSERT_NE(file, 0);
    for (const Text& line : c.lines) WriteLine(file, line, EncodingAnsi);
    EXPECT_EQ(CloseTextFile(file), 0);
    EXPECT_EQ(ReadBytes(directory.Path() / "out.inc"), c.bytes) << c.lines.size() << " lines";
  }
}

TEST(Win32Files, MovesAreRelativeToTheCurrentPosition) {
  struct Case {
    int64_t distance;
    bool moved;
    std::string bytes;  // after "abcdef", the move, then "XY"
  } const cases[] = {
      {0, true, "abcdefXY"},
      {-3, true, "abcXYf"},
      {-6, true, "XYcdef"},
      {-7, false, "abcdefXY"},
      {2, true, std::string("abcdef\0\0XY", 10)},
  };
  TemporaryDirectory directory;
  const OsFileCalls& os = PlatformOsFileCalls();
  for (const Case& c : cases) {
    OsError error = 0;
    const OsHandle file = os.open(directory.TextPath("moved.txt"), OsOpenMode::CreateAlways, error);
    ASSERT_NE(file, InvalidOsHandle);
    EXPECT_TRUE(os.write(file, reinterpret_cast<const uint8_t*>("abcdef"), 6, error));
    EXPECT_EQ(os.move(file, c.distance, error), c.moved) << c.distance;
    EXPECT_EQ(error != 0, !c.moved) << c.distance;
    EXPECT_TRUE(os.write(file, reinterpret_cast<const uint8_t*>("XY"), 2, error));
    EXPECT_TRUE(os.close(file, error));
    EXPECT_EQ(ReadBytes(directory.Path() / "moved.txt"), c.bytes) << c.distance;
  }
}

TEST(Win32Files, ReadingDeliversTheBytesThenZero) {
  TemporaryDirectory directory;
  WriteBytes(directory.Path() / "in.obj", "v 1\r\n");
  const OsFileCalls& os = PlatformOsFileCalls();
  OsError error = 0;
  const OsHandle file = os.open(directory.TextPath("in.obj"), OsOpenMode::ReadExisting, error);
  ASSERT_NE(file, InvalidOsHandle);
  uint8_t buffer[16] = {};
  EXPECT_EQ(os.read(file, buffer, 16, error), 5);
  EXPECT_EQ(os.read(file, buffer, 16, error), 0);
  EXPECT_EQ(error, 0) << "the end of a file is no error";
  EXPECT_TRUE(os.close(file, error));
}

TEST(Win32Files, ErrorTextsAreThePlatformsOwnWithoutTheirEnding) {
  for (OsError error : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
                        ERROR_SHARING_VIOLATION, ERROR_DISK_FULL}) {
    const Text text = OsErrorText(error);
    ASSERT_FALSE(text.empty()) << error;
    EXPECT_NE(text.back(), u'\n') << error;
    EXPECT_NE(text.back(), u'\r') << error;
    EXPECT_NE(text.back(), u'.') << error;
    wchar_t raw[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(error), 0, raw, 512, nullptr);
    EXPECT_EQ(TextView(reinterpret_cast<const char16_t*>(raw)).substr(0, text.size()), text) << error;
  }
  EXPECT_EQ(OsErrorText(0x2000ABCD), u"error 536914893") << "a code the system has no text for";
}

}  // namespace
}  // namespace meshfold
