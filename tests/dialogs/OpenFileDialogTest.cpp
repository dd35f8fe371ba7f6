#include "dialogs/OpenFileDialog.h"

#include <gtest/gtest.h>

namespace meshfold {
namespace {

// The preset name must be one the platform dialog accepts, else none is given.
TEST(OpenFileDialog, PresetNamesAreValidFileNamesCutTo259Units) {
  const std::pair<Text, Text> cases[] = {{u"C:\\file.obj", u"file.obj"},
                                         {u"C:\\a b.c", u"a b.c"},
                                         {u"\\file.obj", u""},
                                         {u"C:\\" + Text(300, u'n'), Text(259, u'n')},
                                         {u"C:\\m\\", u""},
                                         {u"C:\\a\x1f", u""}};
  for (const auto& [defaultFile, name] : cases) {
    EXPECT_EQ(TextView(PresetFromDefaultFile(defaultFile).fileBuffer.data()), name);
  }
  for (char16_t bad : TextView(u"\"*/:<>?\\|\x01")) EXPECT_FALSE(IsValidFileName(Text(u"a") + bad)) << +bad;
  EXPECT_TRUE(IsValidFileName(u" ") && IsValidFileName(u"\x20\x7f"));
}

}  // namespace
}  // namespace meshfold
