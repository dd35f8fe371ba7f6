#pragma once
// One block of a mesh2: its name, its count, then its entries a line each,
// a comma after each but the last.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "text/FileTable.h"
#include "text/StringOperations.h"
#include "text/Text.h"

namespace meshfold {

// The entries of a mesh2 block, a line each with a comma after each but the
// block's last, as bytes: for a file, gathered into batches of many lines
// that go to the writer at once (a call through the writer per entry would
// cost more than the entry); or kept in memory, for a stretch of a block that
// is formatted apart from the rest.
class Mesh2Entries {
 public:
  // Entries for file; left counts the block's entries from the first given
  // here on.
  Mesh2Entries(FileHandle file, int64_t left) : file_(file), left_(left) {}
  // Entries appended to bytes.
  Mesh2Entries(std::string& bytes, int64_t left) : bytes_(&bytes), left_(left) {}
  ~Mesh2Entries() { Flush(); }
  Mesh2Entries(const Mesh2Entries&) = delete;
  Mesh2Entries& operator=(const Mesh2Entries&) = delete;

  // An entry as the bytes the file receives: a vector text, or a texture in
  // the files' code page. One too long for the batch goes on its own.
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

  // The next count entries, as another Mesh2Entries kept them in memory.
  void Append(std::string_view entries, int64_t count);

 protected:
  // Sends the batch to the file or the bytes.
  void Flush();

  FileHandle file_ = 0;

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

  void Send(std::initializer_list<AsciiView> pieces);

  std::string* bytes_ = nullptr;  // where the entries go when they are kept in memory
  int64_t left_;
  std::array<char, BatchBytes + EntryRoom> batch_;
  char* used_ = batch_.data();
};

// One block of a mesh2 in a file: its name, its count, then its entries.
class Mesh2Block : public Mesh2Entries {
 public:
  // Writes the block's opening lines; the destructor writes its end.
  Mesh2Block(FileHandle file, TextView name, int64_t count);
  ~Mesh2Block();
  Mesh2Block(const Mesh2Block&) = delete;
  Mesh2Block& operator=(const Mesh2Block&) = delete;
};

// "<x,y,z>" of a unit vector, six decimals a coordinate at most, into text,
// which the view then shows.
AsciiView UnitVectorText(const std::array<float, 3>& vector, std::string& text);

}  // namespace meshfold
