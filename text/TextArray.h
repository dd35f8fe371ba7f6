#pragma once
// Arrays of ASCII texts indexed 0 to an upper bound, kept as their bytes: half
// the room of code units, and what the files receive. Element texts live in
// large blocks owned by the array, so assigning an element allocates only
// when a block is used up, and releasing the array frees every text at once.

#include <cstdint>
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
  AsciiView Read(int64_t index) const {
    const Element& element = At(index);
    return AsciiView(element.data, element.length);
  }

  // Element index becomes a copy of text. Index within 0 .. UpperBound().
  void Assign(int64_t index, TextView text) { AssignJoined(index, {text}); }

  // Element index becomes the join of parts, built in place without a
  // temporary. Parts hold only ASCII characters: each code unit is kept as
  // its low byte.
  void AssignJoined(int64_t index, std::initializer_list<TextView> parts);

 private:
  struct Element {
    char* data = nullptr;
    size_t length = 0;
  };

  const Element& At(int64_t index) const { return elements_[static_cast<size_t>(index)]; }
  Element& At(int64_t index) { return elements_[static_cast<size_t>(index)]; }

  void Grow(int64_t upperBound);
  char* Allocate(size_t length);

  // 2^17 elements fill a large page.
  ChunkedArray<Element, 17> elements_;
  int64_t upperBound_ = -1;
  std::vector<ZeroedBlock<char>> blocks_;
  char* free_ = nullptr;
  size_t freeLength_ = 0;
};

}  // namespace meshfold
