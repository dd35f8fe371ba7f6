#include "text/TextArray.h"

#include <algorithm>

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
    freeLength_ = blockLength;
  }
  char* storage = free_;
  free_ += length;
  freeLength_ -= length;
  return storage;
}

void TextArray::AssignJoined(int64_t index, std::initializer_list<TextView> parts) {
  size_t length = 0;
  for (TextView part : parts) length += part.size();
  Element& element = At(index);
  // A text that fits where the old one was overwrites it; stored records are
  // written once, so the space of a longer text's old copy is seldom lost.
  char* storage = length <= element.length ? element.data : Allocate(length);
  char* at = storage;
  for (TextView part : parts) at = Narrow(at, part.data(), part.size());
  element.data = storage;
  element.length = length;
}

}  // namespace meshfold
