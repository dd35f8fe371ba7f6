#pragma once
// One block of a mesh2: its name, its count, then its entries a line each,
// a comma after each but the last.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "text/FileTable.h"
#include "text/StringOperations.h"
#include "text/Text.h"

namespace meshfold {

// Entries gather as bytes into one batch of many lines that goes to the
// writer at once: a call through the writer per entry would cost more than
// the entry.
class Mesh2Block {
 public:
  // Writes the block's opening lines; the destructor writes its end.
  Mesh2Block(FileHandle file, TextView name, int64_t count);
  ~Mesh2Block();
  Mesh2Block(const Mesh2Block&) = delete;
  Mesh2Block& operator=(const Mesh2Block&) = delete;

  // An entry as the bytes the file receives: a vector text, or a texture in
  // the files' code page. One too long for the batch goes to the writer on
  // its own.
  void Entry(std::string_view bytes);

  // An entry of three indices, then textureCount texture indices (0, 1 or 3).
  // Inline, as the copies of the literals: the index blocks hold millions.
  void Indices(int64_t a, int64_t b, int64_t c, const uint32_t* textures = nullptr,
               uint32_t textureCount = 0) {
    used_ = CopyLiteral(used_, "    <");
    used_ = AppendInteger(used_, a);
    *used_++ = ',';
    used_ = AppendInteger(used_, b);
    *used_++ = ',';
    used_ = AppendInteger(used_, c);
    *used_++ = '>';
    for (uint32_t k = 0; k < textureCount; ++k) {
      *used_++ = ',';
      used_ = AppendInteger(used_, textures[k]);
    }
    EndEntry();
  }

 private:
  static constexpr size_t BatchBytes = 8192;
  // Room for one entry beyond the batch: an indices entry, or a text of up to
  // EntryRoom - 8 bytes with its indent and line end.
  static constexpr size_t EntryRoom = 256;

  // Copies a literal's bytes to at: a fixed-size copy, without the size tests
  // a copy of a text of any length makes.
  template <size_t Size>
  static char* CopyLiteral(char* at, const char (&literal)[Size]) {
    std::memcpy(at, literal, Size - 1);
    return at + Size - 1;
  }

  void EndEntry() {
    used_ = --left_ > 0 ? CopyLiteral(used_, ",\r\n") : CopyLiteral(used_, "\r\n");
    if (used_ - batch_.data() >= static_cast<ptrdiff_t>(BatchBytes)) Flush();
  }

  void Flush();

  FileHandle file_;
  int64_t left_;
  std::array<char, BatchBytes + EntryRoom> batch_;
  char* used_ = batch_.data();
};

// "<x,y,z>" of a unit vector, six decimals a coordinate at most, into text,
// which the view then shows.
AsciiView UnitVectorText(const std::array<float, 3>& vector, std::string& text);

}  // namespace meshfold
