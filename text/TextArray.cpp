#include "text/TextArray.h"

#include <algorithm>

#include "text/CopyUnits.h"

namespace meshfold {

namespace {

// Large enough that block allocation is rare, small enough that the last,
// partly used block wastes little next to a mesh's records.
constexpr size_t BlockLength = LargeBlockUnit / sizeof(char16_t);

}  // namespace

void TextArray::Create(int64_t upperBound) {
  Release();
  if (upperBound >= 0) Grow(upperBound);
}

void TextArray::Release() {
  elements_.Clear();
  upperBound_ = -1;
  std::vector<ZeroedBlock<char16_t>>().swap(blocks_);
  free_ = nullptr;
  freeLength_ = 0;
}

void TextArray::Grow(int64_t upperBound) {
  elements_.GrowTo(static_cast<size_t>(upperBound));
  upperBound_ = upperBound;
}

char16_t* TextArray::Allocate(size_t length) {
  if (length > freeLength_) {
    const size_t blockLength = std::max(length, BlockLength);
    blocks_.emplace_back(blockLength);
    free_ = blocks_.back().get();
    freeLength_ = blockLength;
  }
  char16_t* storage = free_;
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
  char16_t* storage = length <= element.length ? element.data : Allocate(length);
  char16_t* at = storage;
  for (TextView part : parts) at = CopyUnits(at, part);
  element.data = storage;
  element.length = length;
}

}  // namespace meshfold
