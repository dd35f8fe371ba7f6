#pragma once
// Memory for the large, long-lived blocks that hold a mesh's records, taken
// straight from the system: it arrives zeroed, is only backed as it is
// touched, and uses the system's large pages where they are offered, so that
// filling hundreds of megabytes costs few page faults.

#include <cstddef>

namespace meshfold {

// The size every large block is a multiple of, to fill whole large pages.
inline constexpr size_t LargeBlockUnit = size_t{2} << 20;

// A zeroed block of bytes (a multiple of LargeBlockUnit), or nullptr when the
// system has no memory for it.
void* NewLargeBlock(size_t bytes);

// Returns a block of NewLargeBlock, with the size it was asked with.
void FreeLargeBlock(void* block, size_t bytes);

}  // namespace meshfold
