#pragma once
// One block of a mesh2: its name, its count, then its entries a line each,
// a comma after each but the last.

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/CopyUnits.h"
#include "text/FileTable.h"
#include "text/StringOperations.h"
#include "text/Text.h"

namespace meshfold {

// Entries gather into one batch of many lines that goes to the writer at once:
// a call through the writer per entry would cost more than the entry.
class Mesh2Block {
 public:
  // Writes the block's opening lines; the destructor writes its end.
  Mesh2Block(FileHandle file, TextView name, int64_t count);
  ~Mesh2Block();
  Mesh2Block(const Mesh2Block&) = delete;
  Mesh2Block& operator=(const Mesh2Block&) = delete;

  // An entry that is a text: a vector, or a texture. One too long for the
  // batch goes to the writer on its own.
  void Entry(TextView text);

  // An entry of three indices, then textureCount texture indices (0, 1 or 3).
  // Inline, as the copies of the literals: the index blocks hold millions.
  void Indices(int64_t a, int64_t b, int64_t c, const uint32_t* textures = nullptr,
               uint32_t textureCount = 0) {
    used_ = CopyLiteral(used_, u"    <");
    used_ = CopyUnits(used_, IntegerToText(a));
    *used_++ = u',';
    used_ = CopyUnits(used_, IntegerToText(b));
    *used_++ = u',';
    used_ = CopyUnits(used_, IntegerToText(c));
    *used_++ = u'>';
    for (uint32_t k = 0; k < textureCount; ++k) {
      *used_++ = u',';
      used_ = CopyUnits(used_, IntegerToText(textures[k]));
    }
    EndEntry();
  }

 private:
  static constexpr size_t BatchUnits = 4096;
  // Room for one entry beyond the batch: an indices entry, or a text of up to
  // EntryRoom - 8 units with its indent and line end.
  static constexpr size_t EntryRoom = 256;

  // Copies a literal's units to at: a fixed-size copy, without the size tests
  // CopyUnits makes for texts of any length.
  template <size_t Size>
  static char16_t* CopyLiteral(char16_t* at, const char16_t (&literal)[Size]) {
    return std::copy(literal, literal + Size - 1, at);
  }

  void EndEntry() {
    used_ = --left_ > 0 ? CopyLiteral(used_, u",\r\n") : CopyLiteral(used_, u"\r\n");
    if (used_ - batch_.data() >= static_cast<ptrdiff_t>(BatchUnits)) Flush();
  }

  void Flush();

  FileHandle file_;
  int64_t left_;
  std::array<char16_t, BatchUnits + EntryRoom> batch_;
  char16_t* used_ = batch_.data();
};

// "<x,y,z>" of a unit vector, six decimals a coordinate at most.
void UnitVectorText(const std::array<float, 3>& vector, Text& text);

}  // namespace meshfold
