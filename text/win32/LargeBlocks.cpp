// Committed virtual memory: zeroed by the system and backed page by page as
// it is touched.
#include "text/LargeBlocks.h"

#include <windows.h>

namespace meshfold {

void* NewLargeBlock(size_t bytes) {
  return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void FreeLargeBlock(void* block, size_t /*bytes*/) {
  if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace meshfold
