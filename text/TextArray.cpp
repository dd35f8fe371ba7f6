#include "text/TextArray.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace meshfold {

namespace {

// Large enough that block allocation is rare, small enough that the last,
// partly used block wastes little next to a mesh's records.
constexpr size_t BlockLength = LargeBlockUnit;

// Restrict lets the loop run in vector registers: a char may alias anything.
char* Narrow(char* __restrict out, const char16_t* __restrict in, size_t count) {
  for (size_t k = 0; k < count; ++k) out[k] = static_cast<char>(in[k]);
  return out + count;
}

}  // namespace

void TextArray::Create(int64_t upperBound) {
  Release();
  if (upperBound >= 0) Grow(upperBound);
}

void TextArray::Release() {
  elements_.Clear();
  upperBound_ = -1;
  std::vector<ZeroedBlock<char>>().swap(blocks_);
  free_ = nullptr;
  freeLength_ = 0;
}

void TextArray::Grow(int64_t upperBound) {
  elements_.GrowTo(static_cast<size_t>(upperBound));
  upperBound_ = upperBound;
}

char* TextArray::Allocate(size_t length) {
  if (length > freeLength_) {
    const size_t blockLength = std::max(length, BlockLength);
    blocks_.emplace_back(blockLength);
    free_ = blocks_.back().get();
    // A block no element could point at is as good as none.
    if (reinterpret_cast<uintptr_t>(free_) + blockLength > AddressMask) throw std::bad_alloc();
    freeLength_ = blockLength;
  }
  char* storage = free_;
  free_ += length;
  freeLength_ -= length;
  return storage;
}

char* TextArray::AllocateText(size_t length) {
  return length < LongText ? Allocate(length) : Allocate(sizeof length + length) + sizeof length;
}

void TextArray::AssignJoined(int64_t index, std::initializer_list<TextView> parts) {
  size_t length = 0;
  for (TextView part : parts) length += part.size();
  const AsciiView old = Unpack(At(index));
  // A text that fits where the old one was overwrites it (a long one only
  // where a long one was, whose length word it takes); stored records are
  // written once, so the space of a longer text's old copy is seldom lost.
  char* const storage = length <= old.size() ? const_cast<char*>(old.data()) : AllocateText(length);
  if (length >= LongText) std::memcpy(storage - sizeof length, &length, sizeof length);
  char* at = storage;
  for (TextView part : parts) at = Narrow(at, part.data(), part.size());
  const auto address = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(storage));
  elements_[static_cast<size_t>(index)] = address | static_cast<uint64_t>(std::min(length, LongText))
                                                        << LengthShift;
}

}  // namespace meshfold
