#pragma once
// The faces of a mesh as resolved corner numbers, numbered from 1.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "text/ZeroedBlock.h"

namespace meshfold {

// The record numbers of a face's three corners, resolved when the face line
// was read: relative indices are already absolute here. 0 names no record.
struct FaceCorners {
  uint32_t vertex[3];
  uint32_t normal[3];
};

// Faces kept in fixed chunks: adding one never moves the faces before it, so
// a mesh of millions of faces needs no copy and no spare room while it grows.
class FaceList {
 public:
  // Empties the list and makes faces 0 .. upperBound, each with no corners.
  void Create(size_t upperBound);

  // The number of faces the list holds room for (the upper bound + 1).
  size_t size() const { return size_; }

  // Face number, which must lie below size().
  const FaceCorners& operator[](size_t number) const {
    return chunks_[number >> ChunkShift][number & ChunkMask];
  }

  // Face number, checked as std::vector::at checks it: std::out_of_range when
  // it lies at or above size(). For tests that must not read past the list.
  const FaceCorners& at(size_t number) const {
    if (number >= size_) throw std::out_of_range("FaceList::at");
    return (*this)[number];
  }

  // Face number becomes corners; the list grows to hold it when it is short.
  void Put(size_t number, const FaceCorners& corners) {
    if (number >= size_) Grow(number);
    chunks_[number >> ChunkShift][number & ChunkMask] = corners;
  }

 private:
  // 2^18 faces fill whole large pages.
  static constexpr int ChunkShift = 18;
  static constexpr size_t ChunkMask = (size_t{1} << ChunkShift) - 1;

  void Grow(size_t upperBound);

  std::vector<ZeroedBlock<FaceCorners>> chunks_;
  size_t size_ = 0;
};

}  // namespace meshfold
