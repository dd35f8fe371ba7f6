#pragma once
// Large blocks of records whose all-zero bytes mean "empty". Taken from the
// system already zeroed, so a block is not written before it is used and its
// pages are only touched as records arrive.

#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>

namespace meshfold {

struct FreeZeroedBlock {
  void operator()(void* block) const { std::free(block); }
};

template <typename T>
using ZeroedBlock = std::unique_ptr<T[], FreeZeroedBlock>;

// A block of count elements, every byte 0. Running out of memory ends the run
// as operator new does.
template <typename T>
ZeroedBlock<T> NewZeroedBlock(size_t count) {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
  void* block = std::calloc(count, sizeof(T));
  if (block == nullptr) throw std::bad_alloc();
  return ZeroedBlock<T>(static_cast<T*>(block));
}

}  // namespace meshfold
