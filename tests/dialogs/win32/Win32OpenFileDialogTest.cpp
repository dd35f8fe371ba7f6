// What the file-open and message dialogs hand to the platform on Windows,
// field by field, captured where the platform call would be made.
#include <gtest/gtest.h>

#include <cstring>

#include "dialogs/MessageDialog.h"
#include "dialogs/OpenFileDialog.h"
#include "tests/dialogs/win32/TestWindows.h"
#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::ScopedDialogCapture;
using testing::T;
using testing::U8;

std::u16string NameIn(const std::u16string& buffer) { return buffer.substr(0, buffer.find(u'\0')); }

// Everything but the fields the dialog sets must be zero.
bool OnlyTheDialogsFieldsAreSet(OPENFILENAMEW fields) {
  fields.lStructSize = 0;
  fields.hwndOwner = nullptr;
  fields.lpstrFilter = nullptr;
  fields.nFilterIndex = 0;
  fields.lpstrFile = nullptr;
  fields.nMaxFile = 0;
  fields.lpstrInitialDir = nullptr;
  fields.lpstrTitle = nullptr;
  fields.Flags = 0;
  const OPENFILENAMEW zero{};
  return std::memcmp(&fields, &zero, sizeof(fields)) == 0;
}

TEST(Win32OpenFileDialog, HandsThePlatformExactlyTheRequest) {
  struct Case {
    const char* defaultFile;
    const char* patterns;
    int32_t selected;
    const char* directory;
    std::u16string name;
    std::vector<std::u16string> filters;
  } const cases[] = {
      {"C:\\file.obj", "obj (*.obj)|*.obj", 0, "C:", u"file.obj", {u"obj (*.obj)", u"*.obj"}},
      {"file.obj", "obj (*.obj)|*.obj", 0, "", u"file.obj", {u"obj (*.obj)", u"*.obj"}},
      {"\\file.obj", "obj (*.obj)|*.obj", 0, "", u"", {u"obj (*.obj)", u"*.obj"}},
      {"C:\\models\\", "obj (*.obj)|*.obj", 0, "C:\\models", u"", {u"obj (*.obj)", u"*.obj"}},
      {"C:\\models\\*.obj", "", 0, "C:\\models", u"", {}},
      {"C:/models/file.obj", "a|*.a|b|*.b", 1, "", u"", {u"a", u"*.a", u"b", u"*.b"}},
      {"", "a||b|*.b", 0, "", u"", {u"a"}},
      {"D:\\m\\caf\u00e9 1.obj", "all|*.*", 0, "D:\\m", u"caf\u00e9 1.obj", {u"all", u"*.*"}},
      {"C:\\long", "|", 0, "C:", u"long", {}},
  };
  for (const Case& c : cases) {
    ScopedDialogCapture capture;
    EXPECT_EQ(OpenFileDialog(u"open obj file", T(c.defaultFile), T(c.patterns), c.selected), u"");
    const testing::CapturedFileDialog& seen = capture.fileDialog;
    ASSERT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.fields.lStructSize, 136u);
    EXPECT_EQ(seen.fields.Flags, 0x0008080Cu);
    EXPECT_EQ(seen.fields.nFilterIndex, static_cast<DWORD>(c.selected + 1)) << c.defaultFile;
    EXPECT_EQ(seen.fields.nMaxFile, 260u);
    ASSERT_NE(seen.fields.lpstrInitialDir, nullptr) << "an empty directory is an empty string";
    EXPECT_EQ(U8(seen.initialDirectory), c.directory) << c.defaultFile;
    EXPECT_EQ(NameIn(seen.fileBuffer), c.name) << c.defaultFile;
    EXPECT_EQ(seen.fileBuffer.find_first_not_of(u'\0', c.name.size()), std::u16string::npos) << c.defaultFile;
    EXPECT_EQ(seen.filters, c.filters) << c.patterns;
    EXPECT_EQ(seen.title, u"open obj file");
    EXPECT_TRUE(OnlyTheDialogsFieldsAreSet(seen.fields)) << c.defaultFile;
  }
}

TEST(Win32OpenFileDialog, ALongNameIsCutTo259Units) {
  for (size_t length : {258u, 259u, 260u, 300u}) {
    ScopedDialogCapture capture;
    OpenFileDialog(u"t", u"C:\\" + Text(length, u'n'), u"", 0);
    EXPECT_EQ(NameIn(capture.fileDialog.fileBuffer), Text(std::min<size_t>(length, 259), u'n')) << length;
    EXPECT_EQ(capture.fileDialog.fileBuffer.size(), 260u);
  }
}

TEST(Win32OpenFileDialog, TheResultIsTheChosenPathOnlyWhenTheCallSucceeds) {
  struct Case {
    BOOL result;
    std::u16string chosen;
    std::u16string expected;
  } const cases[] = {
      {TRUE, u"C:\\models\\tri.obj", u"C:\\models\\tri.obj"},
      {TRUE, u"\\\\server\\share\\" + Text(240, u'p'), u"\\\\server\\share\\" + Text(240, u'p')},
      {FALSE, u"C:\\models\\tri.obj", u""},
      {FALSE, u"", u""},
  };
  for (const Case& c : cases) {
    ScopedDialogCapture capture;
    capture.fileDialogResult = c.result;
    capture.chosenPath = c.chosen;
    EXPECT_EQ(OpenFileDialog(u"open obj file", u"C:\\file.obj", u"obj (*.obj)|*.obj", 0), c.expected);
  }
}

TEST(Win32MessageDialog, HandsThePlatformTheTextBeforeTheCaption) {
  struct Case {
    const char16_t* title;
    const char16_t* text;
    uint32_t style;
    int answer;
    int64_t result;
  } const cases[] = {
      {u"Info:", u"canceled", 0, IDOK, 1},
      {u"Meshfold 0.1  k.dorsel 11.21.23", u"tri.inc created \r3  vertexs\r", 0, IDOK, 1},
      {u"", u"", MB_ICONWARNING | MB_OKCANCEL, IDCANCEL, 2},
      {u"failed", u"box", 0, 0, 0},
      {u"odd", u"answer", 0, -5, -5},
  };
  for (const Case& c : cases) {
    ScopedDialogCapture capture;
    capture.messageBoxResult = c.answer;
    EXPECT_EQ(MessageDialog(c.title, c.text, c.style), c.result);
    ASSERT_EQ(capture.messageBox.calls, 1);
    EXPECT_EQ(capture.messageBox.text, c.text);
    EXPECT_EQ(capture.messageBox.caption, c.title);
    EXPECT_EQ(capture.messageBox.style, c.style);
  }
}

}  // namespace
}  // namespace meshfold
