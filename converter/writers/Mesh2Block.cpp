#include "converter/writers/Mesh2Block.h"

#include <span>

#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

// One line of pieces; the pieces may be temporaries of the caller's expression.
void WritePieces(FileHandle file, std::initializer_list<TextView> pieces) {
  WriteLinePieces(file, std::span(pieces.begin(), pieces.size()), EncodingAnsi);
}

}  // namespace

void Mesh2Entries::Entry(std::string_view bytes) {
  if (bytes.size() > EntryRoom - 8) {
    Flush();
    Send({"    ", bytes, --left_ > 0 ? ",\r\n" : "\r\n"});
    return;
  }
  used_ = CopyLiteral(used_, "    ");
  std::memcpy(used_, bytes.data(), bytes.size());
  used_ += bytes.size();
  EndEntry();
}

void Mesh2Entries::Append(std::string_view entries, int64_t count) {
  Flush();
  Send({entries});
  left_ -= count;
}

void Mesh2Entries::Flush() {
  if (used_ == batch_.data()) return;
  Send({AsciiView(batch_.data(), static_cast<size_t>(used_ - batch_.data()))});
  used_ = batch_.data();
}

void Mesh2Entries::Send(std::initializer_list<AsciiView> pieces) {
  if (bytes_ == nullptr) return WriteAscii(file_, std::span(pieces.begin(), pieces.size()));
  for (const AsciiView piece : pieces) bytes_->append(piece);
}

Mesh2Block::Mesh2Block(FileHandle file, TextView name, int64_t count) : Mesh2Entries(file, count) {
  WritePieces(file_, {u"  ", name, u" {"});
  WritePieces(file_, {u"    ", IntegerToText(count), u","});
}

Mesh2Block::~Mesh2Block() {
  Flush();
  WriteLine(file_, u"  }", EncodingAnsi);
}

AsciiView UnitVectorText(const std::array<float, 3>& vector, std::string& text) {
  char bytes[96];
  text.assign(bytes, AppendDecimalVector(bytes, {vector[0], vector[1], vector[2]}));
  return text;
}

}  // namespace meshfold
