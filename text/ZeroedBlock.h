#pragma once
// Large blocks of records whose all-zero bytes mean "empty", taken from the
// system already zeroed (LargeBlocks.h): a block is not written before it is
// used, and its pages are only touched as records arrive.

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

#include "text/LargeBlocks.h"

namespace meshfold {

template <typename T>
class ZeroedBlock {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

 public:
  // A block of at least count elements, every byte 0. Running out of memory
  // ends the run as operator new does.
  explicit ZeroedBlock(size_t count) : bytes_(RoundedSize(count)) {
    data_ = static_cast<T*>(NewLargeBlock(bytes_));
    if (data_ == nullptr) throw std::bad_alloc();
  }
  ZeroedBlock(ZeroedBlock&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}
  ZeroedBlock& operator=(ZeroedBlock&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(bytes_, other.bytes_);
    return *this;
  }
  ZeroedBlock(const ZeroedBlock&) = delete;
  ZeroedBlock& operator=(const ZeroedBlock&) = delete;
  ~ZeroedBlock() { FreeLargeBlock(data_, bytes_); }

  T* get() const { return data_; }
  T& operator[](size_t index) const { return data_[index]; }

 private:
  static size_t RoundedSize(size_t count) {
    const size_t units = (count * sizeof(T) + LargeBlockUnit - 1) / LargeBlockUnit;
    return (units == 0 ? 1 : units) * LargeBlockUnit;
  }

  T* data_ = nullptr;
  size_t bytes_ = 0;
};

}  // namespace meshfold
