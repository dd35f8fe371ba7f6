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

void WriteBytes(FileHandle file, std::initializer_list<AsciiView> pieces) {
  WriteAscii(file, std::span(pieces.begin(), pieces.size()));
}

}  // namespace

Mesh2Block::Mesh2Block(FileHandle file, TextView name, int64_t count) : file_(file), left_(count) {
  WritePieces(file_, {u"  ", name, u" {"});
  WritePieces(file_, {u"    ", IntegerToText(count), u","});
}

Mesh2Block::~Mesh2Block() {
  Flush();
  WriteLine(file_, u"  }", EncodingAnsi);
}

void Mesh2Block::Entry(std::string_view bytes) {
  if (bytes.size() > EntryRoom - 8) {
    Flush();
    WriteBytes(file_, {"    ", bytes, --left_ > 0 ? ",\r\n" : "\r\n"});
    return;
  }
  used_ = CopyLiteral(used_, "    ");
  std::memcpy(used_, bytes.data(), bytes.size());
  used_ += bytes.size();
  EndEntry();
}

void Mesh2Block::Flush() {
  if (used_ == batch_.data()) return;
  WriteBytes(file_, {AsciiView(batch_.data(), static_cast<size_t>(used_ - batch_.data()))});
  used_ = batch_.data();
}

AsciiView UnitVectorText(const std::array<float, 3>& vector, std::string& text) {
  char bytes[96];
  text.assign(bytes, AppendDecimalVector(bytes, {vector[0], vector[1], vector[2]}));
  return text;
}

}  // namespace meshfold
