#include "converter/writers/Mesh2Block.h"

#include <algorithm>
#include <span>

#include "text/CopyUnits.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

// One line of pieces; the pieces may be temporaries of the caller's expression.
void WritePieces(FileHandle file, std::initializer_list<TextView> pieces) {
  WriteLinePieces(file, std::span(pieces.begin(), pieces.size()), EncodingAnsi);
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

void Mesh2Block::Entry(TextView text) {
  if (text.size() > EntryRoom - 8) {
    Flush();
    WritePieces(file_, {u"    ", text, --left_ > 0 ? u"," : u""});
    return;
  }
  used_ = CopyUnits(CopyLiteral(used_, u"    "), text);
  EndEntry();
}

// WriteLine ends the batch's last line.
void Mesh2Block::Flush() {
  if (used_ == batch_.data()) return;
  WriteLine(file_, TextView(batch_.data(), static_cast<size_t>(used_ - batch_.data()) - 2), EncodingAnsi);
  used_ = batch_.data();
}

void UnitVectorText(const std::array<float, 3>& vector, Text& text) {
  char16_t units[96];
  text.assign(units, AppendDecimalVector(units, {vector[0], vector[1], vector[2]}));
}

}  // namespace meshfold
