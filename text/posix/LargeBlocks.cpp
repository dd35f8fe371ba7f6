// Anonymous mappings, aligned to the large page size and marked for
// transparent huge pages; where the kernel has none, they stay normal pages.
#include "text/LargeBlocks.h"

#include <sys/mman.h>

#include <cstdint>

namespace meshfold {

void* NewLargeBlock(size_t bytes) {
  // Mapped with one unit to spare, then trimmed to an aligned block, since a
  // huge page can only back an aligned range.
  const size_t mapped = bytes + LargeBlockUnit;
  void* area = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (area == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<uintptr_t>(area);
  const uintptr_t aligned = (start + LargeBlockUnit - 1) & ~(uintptr_t{LargeBlockUnit} - 1);
  if (aligned > start) munmap(area, aligned - start);
  const uintptr_t tail = aligned + bytes;
  if (start + mapped > tail) munmap(reinterpret_cast<void*>(tail), start + mapped - tail);
  void* block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
  madvise(block, bytes, MADV_HUGEPAGE);
#endif
  return block;
}

void FreeLargeBlock(void* block, size_t bytes) {
  if (block != nullptr) munmap(block, bytes);
}

}  // namespace meshfold
