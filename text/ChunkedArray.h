#pragma once
// Elements kept in fixed chunks of zeroed large blocks: growing never moves or
// copies the elements before, so millions of records need no copy and no
// spare room while they arrive, and memory grows in steps of one chunk.

#include <bit>
#include <cstddef>
#include <vector>

#include "text/ZeroedBlock.h"

namespace meshfold {

// Each chunk fills one large block exactly: a smaller one would still take a
// whole block, whose large pages are backed as soon as one byte is touched.
template <typename T>
class ChunkedArray {
  static_assert(std::has_single_bit(sizeof(T)) && sizeof(T) <= LargeBlockUnit);

 public:
  // Frees every chunk; the array then holds no elements.
  void Clear() {
    std::vector<ZeroedBlock<T>>().swap(chunks_);
    size_ = 0;
  }

  // Makes room for elements 0 .. upperBound, and on to the end of its chunk,
  // so that appending one by one takes the first test alone; new ones are
  // all-zero. Never shrinks.
  void GrowTo(size_t upperBound) {
    if (upperBound < size_) return;
    while (chunks_.size() <= upperBound >> ChunkShift) chunks_.emplace_back(ChunkMask + 1);
    size_ = chunks_.size() << ChunkShift;
  }

  // The number of elements the array holds room for, whole chunks.
  size_t size() const { return size_; }

  // Element index, which must lie below size().
  T& operator[](size_t index) const { return chunks_[index >> ChunkShift][index & ChunkMask]; }

 private:
  static constexpr int ChunkShift = std::countr_zero(LargeBlockUnit / sizeof(T));
  static constexpr size_t ChunkMask = (size_t{1} << ChunkShift) - 1;

  std::vector<ZeroedBlock<T>> chunks_;
  size_t size_ = 0;
};

}  // namespace meshfold
