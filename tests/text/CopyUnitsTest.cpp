#include "text/CopyUnits.h"

#include <gtest/gtest.h>

namespace meshfold {
namespace {

// Every length through the size classes of the copy: the units arrive in
// order, and nothing before or after the target range is touched.
TEST(CopyUnits, EveryLengthLandsExactlyInPlace) {
  Text source;
  for (char16_t unit = u'A'; source.size() < 80; ++unit) source.push_back(unit);
  for (size_t length = 0; length <= 70; ++length) {
    Text target(length + 4, u'#');
    char16_t* end = CopyUnits(target.data() + 2, TextView(source).substr(3, length));
    EXPECT_EQ(end, target.data() + 2 + length) << length;
    EXPECT_EQ(target, u"##" + source.substr(3, length) + u"##") << length;
  }
}

}  // namespace
}  // namespace meshfold
