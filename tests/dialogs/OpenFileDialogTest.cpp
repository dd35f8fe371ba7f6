#include "dialogs/OpenFileDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::T;
using testing::U8;

std::string NameField(const DialogPreset& preset) {
  const auto& buffer = preset.fileBuffer;
  EXPECT_EQ(buffer.back(), u'\0');
  return U8(TextView(buffer.data(), std::find(buffer.begin(), buffer.end(), u'\0') - buffer.begin()));
}

TEST(OpenFileDialog, PresetSplitsTheDefaultFileAtItsLastBackslash) {
  struct Case {
    const char* defaultFile;
    const char* directory;
    const char* name;
  } const cases[] = {
      {"C:\\file.obj", "C:", "file.obj"},
      {"file.obj", "", "file.obj"},
      {"\\file.obj", "", ""},
      {"C:\\models\\", "C:\\models", ""},
      {"C:\\models\\*.obj", "C:\\models", ""},
      {"C:\\models\\mesh?.obj", "C:\\models", ""},
      {"C:/models/file.obj", "", ""},
      {"", "", ""},
      {"C:\\a b\\.hidden name.obj", "C:\\a b", ".hidden name.obj"},
  };
  for (const Case& c : cases) {
    const DialogPreset preset = PresetFromDefaultFile(T(c.defaultFile));
    EXPECT_EQ(U8(preset.initialDirectory), c.directory) << c.defaultFile;
    EXPECT_EQ(NameField(preset), c.name) << c.defaultFile;
  }
  const DialogPreset longName = PresetFromDefaultFile(T("C:\\" + std::string(300, 'n')));
  EXPECT_EQ(NameField(longName), std::string(259, 'n'));
}

TEST(OpenFileDialog, ValidFileNames) {
  for (TextView name : {TextView(u"file.obj"), TextView(u" "), TextView(u"."), TextView(u"a b.c.d")}) {
    EXPECT_TRUE(IsValidFileName(name)) << U8(name);
  }
  EXPECT_FALSE(IsValidFileName(u""));
  for (char16_t bad : TextView(u"\"*/:<>?\\|\x01\x1F\t")) {
    EXPECT_FALSE(IsValidFileName(Text(u"a") + bad + u"b")) << static_cast<int>(bad);
  }
}

TEST(OpenFileDialog, FilterListTurnsBarsIntoNuls) {
  EXPECT_EQ(FilterList(u"obj (*.obj)|*.obj"), TextView(u"obj (*.obj)\0*.obj\0\0\0", 20));
  EXPECT_EQ(FilterList(u""), TextView(u"\0\0\0", 3));
  EXPECT_EQ(FilterList(u"a||b"), TextView(u"a\0\0b\0\0\0", 7));
}

}  // namespace
}  // namespace meshfold
