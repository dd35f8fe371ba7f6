#include "text/TextArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace meshfold {
namespace {

// A text of length units, different for each length so that a stale copy shows.
Text TextOf(size_t length) {
  Text text(length, u'0');
  for (size_t k = 0; k < length; ++k) text[k] = static_cast<char16_t>(u'a' + (k + length) % 26);
  return text;
}

std::string BytesOf(size_t length) {
  const Text text = TextOf(length);
  return std::string(text.begin(), text.end());
}

// Lengths about the one from which an element keeps its length beside its
// bytes, and beyond a whole block; each element is assigned one after the
// other, so that shorter and longer texts overwrite each other in place.
TEST(TextArray, EveryLengthReadsBackAsAssignedOverWhatWasThere) {
  const std::vector<size_t> lengths = {0, 1, 27, 65534, 65535, 65536, 70000, 3000000, 65535, 12, 0, 65536, 5};
  TextArray array;
  array.Create(3);
  for (size_t step = 0; step < lengths.size(); ++step) {
    const auto index = static_cast<int64_t>(1 + step % 3);
    array.Assign(index, TextOf(lengths[step]));
    EXPECT_EQ(array.Read(index), BytesOf(lengths[step])) << "step " << step;
    if (step >= 2) {
      const auto before = static_cast<int64_t>(1 + (step - 1) % 3);
      EXPECT_EQ(array.Read(before), BytesOf(lengths[step - 1])) << "step " << step;
    }
  }
  EXPECT_EQ(array.Read(0), "");
  array.GrowTo(300000);
  EXPECT_EQ(array.Read(300000), "");
}

}  // namespace
}  // namespace meshfold
