#include "text/ZeroedBlock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace meshfold {
namespace {

struct Pair {
  uint64_t first;
  uint32_t second;
};

// A block arrives zeroed over the whole size asked for, takes writes at both
// ends, and moves without copying its memory.
TEST(ZeroedBlock, ZeroedWritableAndMovable) {
  for (const size_t count : {size_t{1}, size_t{1000}, LargeBlockUnit / sizeof(Pair) + 1}) {
    ZeroedBlock<Pair> block(count);
    for (size_t at = 0; at < count; at += 997) EXPECT_EQ(block[at].first + block[at].second, 0u) << at;
    EXPECT_EQ(block[count - 1].first, 0u);
    block[0].first = 7;
    block[count - 1].second = 9;
    Pair* memory = block.get();
    ZeroedBlock<Pair> moved(std::move(block));
    EXPECT_EQ(moved.get(), memory);
    EXPECT_EQ(moved[0].first, 7u);
    EXPECT_EQ(moved[count - 1].second, 9u);
  }
}

}  // namespace
}  // namespace meshfold
