#pragma once
// Arrays of ASCII texts indexed 0 to an upper bound, kept as their bytes: half
// the room of code units, and what the files receive. Element texts live in
// large blocks owned by the array, so assigning an element allocates only
// when a block is used up, and releasing the array frees every text at once.
// An element is one word, the text's address and length packed: a million
// vertices keep 8 MB less than with a pointer and a size apart.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "text/ChunkedArray.h"
#include "text/Text.h"
#include "text/ZeroedBlock.h"

namespace meshfold {

class TextArray {
 public:
  // Releases what the array held, then makes upperBound + 1 empty elements.
  // A negative upper bound leaves the array holding no elements.
  void Create(int64_t upperBound);

  // Releases every element's text; the array then holds no elements.
  void Release();

  // The highest valid index; -1 when the array holds no elements.
  int64_t UpperBound() const { return upperBound_; }

  // Raises the upper bound to at least upperBound; existing elements keep their
  // texts and new ones are empty. Never lowers it.
  void GrowTo(int64_t upperBound) {
    if (upperBound > upperBound_) Grow(upperBound);
  }

  // The text of element index, "" when it was never assigned. The index must
  // lie within 0 .. UpperBound(). The view stays valid until the element is
  // assigned again or the array is created anew or released.
  AsciiView Read(int64_t index) const { return Unpack(At(index)); }

  // Element index becomes a copy of text. Index within 0 .. UpperBound().
  void Assign(int64_t index, TextView text) { AssignJoined(index, {text}); }

  // Element index becomes the join of parts, built in place without a
  // temporary. Parts hold only ASCII characters: each code unit is kept as
  // its low byte.
  void AssignJoined(int64_t index, std::initializer_list<TextView> parts);

 private:
  // The address in the low 48 bits, where every user-space address of the
  // 64-bit systems we run on lies, and the length above it. A text of
  // LongText bytes or more keeps its length in the word before its bytes.
  // All zero is the empty text a new element holds.
  using Element = uint64_t;
  static constexpr int LengthShift = 48;
  static constexpr uint64_t AddressMask = (uint64_t{1} << LengthShift) - 1;
  static constexpr size_t LongText = 0xFFFF;
  static_assert(sizeof(void*) <= sizeof(Element));

  static AsciiView Unpack(Element element) {
    const char* const data = reinterpret_cast<const char*>(static_cast<uintptr_t>(element & AddressMask));
    size_t length = static_cast<size_t>(element >> LengthShift);
    if (length == LongText) std::memcpy(&length, data - sizeof length, sizeof length);
    return AsciiView(data, length);
  }

  Element At(int64_t index) const { return elements_[static_cast<size_t>(index)]; }

  void Grow(int64_t upperBound);
  char* Allocate(size_t length);
  // Room for a text of length bytes, with a word before it for its length
  // when it is long.
  char* AllocateText(size_t length);

  // 2^18 elements fill a large page.
  ChunkedArray<Element> elements_;
  int64_t upperBound_ = -1;
  std::vector<ZeroedBlock<char>> blocks_;
  char* free_ = nullptr;
  size_t freeLength_ = 0;
};

}  // namespace meshfold
