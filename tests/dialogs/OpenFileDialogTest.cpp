#include "dialogs/OpenFileDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::T;
using testing::U8;

TEST(OpenFileDialog, PresetSplitsTheDefaultFileAtItsLastBackslash) {
  const std::string longName(300, 'n');
  const std::string cases[][3] = {{"C:\\file.obj", "C:", "file.obj"},
                                  {"file.obj", "", "file.obj"},
                                  {"\\file.obj", "", ""},
                                  {"C:\\models\\", "C:\\models", ""},
                                  {"C:\\m\\*.obj", "C:\\m", ""},
                                  {"C:/models/file.obj", "", ""},
                                  {"C:\\a b\\.h n.obj", "C:\\a b", ".h n.obj"},
                                  {"C:\\" + longName, "C:", longName.substr(0, 259)}};
  for (const auto& c : cases) {
    const DialogPreset preset = PresetFromDefaultFile(T(c[0]));
    const auto& buffer = preset.fileBuffer;
    EXPECT_EQ(U8(preset.initialDirectory), c[1]) << c[0];
    EXPECT_EQ(U8(TextView(buffer.data(), std::find(buffer.begin(), buffer.end(), u'\0') - buffer.begin())),
              c[2]);
  }
}

TEST(OpenFileDialog, ValidFileNamesAndFilterLists) {
  for (TextView name : {TextView(u"file.obj"), TextView(u" "), TextView(u"a b.c.d")})
    EXPECT_TRUE(IsValidFileName(name));
  EXPECT_FALSE(IsValidFileName(u""));
  for (char16_t bad : TextView(u"\"*/:<>?\\|\x01\x1F"))
    EXPECT_FALSE(IsValidFileName(Text(u"a") + bad)) << +bad;
  EXPECT_EQ(FilterList(u"obj (*.obj)|*.obj"), TextView(u"obj (*.obj)\0*.obj\0\0\0", 20));
  EXPECT_EQ(FilterList(u"a||b"), TextView(u"a\0\0b\0\0\0", 7));
}

}  // namespace
}  // namespace meshfold
