// The text layer's platform calls on Windows itself: open modes and share
// mode 0, one file known by two names, and the code page.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"
#include "text/CodePage.h"
#include "text/OsFiles.h"

namespace meshfold {
namespace {

using namespace testing;  // ReadBytes, WriteBytes, TemporaryDirectory, T

const OsFileCalls& os = PlatformOsFileCalls();

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

TEST(Win32Files, EachOpenModeFindsCreatesOrEmptiesAFileThatNoOneElseMayOpen) {
  // Opening, letting another holder try, reading 16 bytes, writing "new": the errors of the
  // open, the read and the write, the bytes read, and the file's bytes ("(none)": no file).
  const std::tuple<OsOpenMode, const char*, OsError, OsError, OsError, std::string, std::string> cases[] = {
      {OsOpenMode::ReadExisting, "old.inc", 0, 0, ERROR_ACCESS_DENIED, "old bytes", "old bytes"},
      {OsOpenMode::ReadExisting, "missing.inc", ERROR_FILE_NOT_FOUND, 0, 0, "", "(none)"},
      {OsOpenMode::CreateAlways, "old.inc", 0, 0, 0, "", "new"},
      {OsOpenMode::CreateAlways, "missing.inc", 0, 0, 0, "", "new"},
      {OsOpenMode::TruncateExisting, "old.inc", 0, ERROR_ACCESS_DENIED, 0, "", "new"},
      {OsOpenMode::TruncateExisting, "missing.inc", ERROR_FILE_NOT_FOUND, 0, 0, "", "(none)"},
  };
  for (const auto& [mode, name, openError, readError, writeError, read, after] : cases) {
    TemporaryDirectory directory;
    WriteBytes(directory.Path() / "old.inc", "old bytes");
    const Text path = directory.TextPath(name);
    OsError errors[4] = {};  // open, read, write, close
    std::string bytes;
    const OsHandle file = os.open(path, mode, errors[0]);
    if (file != InvalidOsHandle) {
      for (DWORD access : {DWORD{GENERIC_READ}, DWORD{GENERIC_WRITE}, DWORD{DELETE}}) {
        const HANDLE other = CreateFileW(Wide(path), access, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(other, INVALID_HANDLE_VALUE) << name << " shared for access " << access;
        if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
      }
      bytes.resize(16);
      bytes.resize(os.read(file, reinterpret_cast<uint8_t*>(bytes.data()), 16, errors[1]));
      os.write(file, reinterpret_cast<const uint8_t*>("new"), 3, errors[2]);
      EXPECT_TRUE(os.close(file, errors[3]));
    }
    const std::filesystem::path written = directory.Path() / name;
    EXPECT_EQ(std::make_tuple(errors[0], errors[1], errors[2], bytes,
                              std::filesystem::exists(written) ? ReadBytes(written) : "(none)"),
              std::make_tuple(openError, readError, writeError, read, after))
        << static_cast<int>(mode) << " " << name;
  }
}

TEST(Win32Files, AFileIsKnownByEachOfItsNamesEvenWhileHeld) {
  TemporaryDirectory directory;
  WriteBytes(directory.Path() / "a.obj", "v 1 2 3\n");
  ASSERT_TRUE(
      CreateHardLinkW(Wide(directory.TextPath("link.obj")), Wide(directory.TextPath("a.obj")), nullptr));
  OsError error = 0;
  const OsHandle held = os.open(directory.TextPath("a.obj"), OsOpenMode::ReadExisting, error);
  const std::tuple<const char*, const char*, bool> cases[] = {{"a.obj", ".\\a.obj", true},
                                                              {"a.obj", "link.obj", true},
                                                              {"missing.obj", "missing.obj", true},
                                                              {"a.obj", ".", false},
                                                              {"missing.obj", "gone.obj", false}};
  for (const auto& [first, second, same] : cases)
    EXPECT_EQ(os.sameFile(directory.TextPath(first), directory.TextPath(second)), same)
        << first << " " << second;
  os.close(held, error);
}

// In Windows Latin (1252) its characters survive a round trip; others become '?'.
TEST(Win32CodePage, TextsSurviveTheRoundTripOrBecomeTheDefaultCharacter) {
  if (GetACP() != 1252) GTEST_SKIP() << "system code page is " << GetACP() << ", not 1252";
  // Bytes, text, and whether the bytes read back as the text (if not, they are ASCII
  // and read as themselves).
  const std::tuple<std::string, Text, bool> cases[] = {
      {"caf\xE9.obj", u"caf\u00E9.obj", true},
      {"\xEF\xBB\xBF\x80\xFF\xFE", u"\u00EF\u00BB\u00BF\u20AC\u00FF\u00FE", true},
      {std::string(70000, '\xE9'), Text(70000, u'\u00E9'), true},
      {"a?b", u"a\u4E2Db", false},
      {"x?y?", u"x\xDC00y\xD800", false},
      {"", u"", true},  // last, so that a result left from an earlier case shows
  };
  Text text;
  std::string bytes;
  for (const auto& [ansi, expected, roundTrip] : cases) {
    AnsiToText(reinterpret_cast<const uint8_t*>(ansi.data()), ansi.size(), text);
    EXPECT_EQ(text, roundTrip ? expected : T(ansi)) << ansi.size() << " bytes";
    EXPECT_TRUE(TextToAnsi(expected, bytes));
    EXPECT_EQ(bytes, ansi) << ansi.size() << " bytes";
  }
}

}  // namespace
}  // namespace meshfold
