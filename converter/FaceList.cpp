#include "converter/FaceList.h"

namespace meshfold {

void FaceList::Create(size_t upperBound) {
  std::vector<ZeroedBlock<FaceCorners>>().swap(chunks_);
  size_ = 0;
  Grow(upperBound);
}

void FaceList::Grow(size_t upperBound) {
  const size_t needed = (upperBound >> ChunkShift) + 1;
  while (chunks_.size() < needed) chunks_.emplace_back(ChunkMask + 1);
  size_ = upperBound + 1;
}

}  // namespace meshfold
