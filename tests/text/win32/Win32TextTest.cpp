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
  // Per mode, opening old.inc (holding "old bytes") and then missing.inc, letting another holder try,
  // reading 16 bytes and writing "new": the errors of the open, the read and the write, the bytes read,
  // and the file's bytes ("(none)": no file).
  using Outcome = std::tuple<OsError, OsError, OsError, std::string, std::string>;
  constexpr OsError Denied = ERROR_ACCESS_DENIED, Missing = ERROR_FILE_NOT_FOUND;
  const std::tuple<OsOpenMode, Outcome, Outcome> cases[] = {
      {OsOpenMode::ReadExisting, {0, 0, Denied, "old bytes", "old bytes"}, {Missing, 0, 0, "", "(none)"}},
      {OsOpenMode::CreateAlways, {0, 0, 0, "", "new"}, {0, 0, 0, "", "new"}},
      {OsOpenMode::TruncateExisting, {0, Denied, 0, "", "new"}, {Missing, 0, 0, "", "(none)"}},
  };
  for (const auto& [mode, old, missing] : cases)
    for (const auto& [name, outcome] : {std::pair{"old.inc", old}, std::pair{"missing.inc", missing}}) {
      TemporaryDirectory directory;
      WriteBytes(directory.Path() / "old.inc", "old bytes");
      const Text path = directory.TextPath(name);
      OsError errors[4] = {};  // open, read, write, close
      std::string bytes;
      const OsHandle file = os.open(path, mode, errors[0]);
      for (DWORD access : {DWORD{GENERIC_READ}, DWORD{GENERIC_WRITE}, DWORD{DELETE}}) {
        const HANDLE other = CreateFileW(Wide(path), access, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_FALSE(other != INVALID_HANDLE_VALUE && CloseHandle(other)) << name << " shared for " << access;
      }
      if (file != InvalidOsHandle) {
        bytes.resize(16);
        bytes.resize(os.read(file, reinterpret_cast<uint8_t*>(bytes.data()), 16, errors[1]));
        os.write(file, reinterpret_cast<const uint8_t*>("new"), 3, errors[2]);
        EXPECT_TRUE(os.close(file, errors[3]));
      }
      const std::filesystem::path written = directory.Path() / name;
      const std::string after = std::filesystem::exists(written) ? ReadBytes(written) : "(none)";
      EXPECT_EQ(std::make_tuple(errors[0], errors[1], errors[2], bytes, after), outcome)
          << name << ", mode " << static_cast<int>(mode);
    }
}

TEST(Win32Files, AFileIsKnownByEachOfItsNamesEvenWhileHeld) {
  TemporaryDirectory directory;
  WriteBytes(directory.Path() / "a.obj", "v 1 2 3\n");
  std::filesystem::create_hard_link(directory.Path() / "a.obj", directory.Path() / "link.obj");
  OsError error = 0;
  const OsHandle held = os.open(directory.TextPath("a.obj"), OsOpenMode::ReadExisting, error);
  const auto same = [&](const char* first, const char* second) {
    return os.sameFile(directory.TextPath(first), directory.TextPath(second));
  };
  EXPECT_TRUE(same("a.obj", ".\\a.obj") && same("a.obj", "link.obj") && same("missing.obj", "missing.obj"));
  EXPECT_FALSE(same("a.obj", ".") || same("missing.obj", "gone.obj"));
  os.close(held, error);
}

TEST(Win32CodePage, TextsSurviveTheRoundTripOrBecomeTheDefaultCharacter) {
  if (GetACP() != 1252) GTEST_SKIP() << "system code page is " << GetACP() << ", not 1252";
  // Bytes, text, and whether the bytes read back as the text: Windows Latin (1252) characters survive
  // the round trip, others become '?' (and such bytes, being ASCII, read as themselves).
  const std::tuple<std::string, Text, bool> cases[] = {
      {"\xEF\xBB\xBF\x80\xE9\xFF\xFE.obj", u"\u00EF\u00BB\u00BF\u20AC\u00E9\u00FF\u00FE.obj", true},
      {std::string(70000, '\xE9'), Text(70000, u'\u00E9'), true},
      {"a?x?y?", u"a\u4E2Dx\xDC00y\xD800", false},
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
