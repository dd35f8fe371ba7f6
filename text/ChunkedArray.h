#pragma once
// Elements kept in fixed chunks of zeroed large blocks: growing never moves or
// copies the elements before, so millions of records need no copy and no
// spare room while they arrive, and memory grows in steps of one chunk.

#include <cstddef>
#include <vector>

#include "text/ZeroedBlock.h"

namespace meshfold {

// ChunkShift chooses the chunk size, 2^ChunkShift elements, to fill whole large pages.
template <typename T, int ChunkShift>
class ChunkedArray {
 public:
  // Frees every chunk; the array then holds no elements.
  void Clear() {
    std::vector<ZeroedBlock<T>>().swap(chunks_);
    size_ = 0;
  }

  // Makes room for elements 0 .. upperBound; new ones are all-zero. Never shrinks.
  void GrowTo(size_t upperBound) {
    if (upperBound < size_) return;
    const size_t needed = (upperBound >> ChunkShift) + 1;
    while (chunks_.size() < needed) chunks_.emplace_back(ChunkMask + 1);
    size_ = upperBound + 1;
  }

  // The number of elements the array holds room for.
  size_t size() const { return size_; }

  // Element index, which must lie below size().
  T& operator[](size_t index) const { return chunks_[index >> ChunkShift][index & ChunkMask]; }

 private:
  static constexpr size_t ChunkMask = (size_t{1} << ChunkShift) - 1;

  std::vector<ZeroedBlock<T>> chunks_;
  size_t size_ = 0;
};

}  // namespace meshfold
