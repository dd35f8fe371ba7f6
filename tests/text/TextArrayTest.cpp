#include "text/TextArray.h"

#include <gtest/gtest.h>

namespace meshfold {
namespace {

TEST(TextArray, CreatedElementsAreEmptyUpToTheUpperBound) {
  TextArray array;
  array.Create(100000);
  EXPECT_EQ(array.UpperBound(), 100000);
  EXPECT_EQ(array.Read(0), u"");
  EXPECT_EQ(array.Read(100000), u"");
  array.Assign(100000, u"last");
  EXPECT_EQ(array.Read(100000), u"last");
}

TEST(TextArray, ElementsAreCopiesAndReplacedWhole) {
  TextArray array;
  array.Create(3);
  Text source = u"first text";
  array.Assign(1, source);
  source = u"changed";
  EXPECT_EQ(array.Read(1), u"first text");
  array.Assign(1, u"ab");
  EXPECT_EQ(array.Read(1), u"ab");
  array.Assign(1, u"a much longer text than before");
  EXPECT_EQ(array.Read(1), u"a much longer text than before");
  array.AssignJoined(2, {u"<", u"1", u", ", u"2", u"> "});
  EXPECT_EQ(array.Read(2), u"<1, 2> ");
  EXPECT_EQ(array.Read(1), u"a much longer text than before");
}

TEST(TextArray, CreatingAnewEmptiesAndNegativeBoundHoldsNothing) {
  TextArray array;
  array.Create(2);
  array.Assign(2, u"x");
  array.Create(2);
  EXPECT_EQ(array.Read(2), u"");
  array.Create(-1);
  EXPECT_EQ(array.UpperBound(), -1);
}

TEST(TextArray, GrowingKeepsEveryTextAcrossManyBlocks) {
  TextArray array;
  array.Create(10);
  const Text longText(300000, u'z');  // longer than a storage block
  for (int64_t index = 1; index <= 250000; ++index) {
    array.GrowTo(index);
    array.Assign(index, index == 777 ? TextView(longText) : TextView(u"<1, 2, 3> "));
  }
  EXPECT_EQ(array.UpperBound(), 250000);
  EXPECT_EQ(array.Read(1), u"<1, 2, 3> ");
  EXPECT_EQ(array.Read(777), longText);
  EXPECT_EQ(array.Read(250000), u"<1, 2, 3> ");
  array.GrowTo(5);
  EXPECT_EQ(array.UpperBound(), 250000);
}

}  // namespace
}  // namespace meshfold
