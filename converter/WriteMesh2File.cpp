#include "converter/WriteMesh2File.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "converter/IdentifierName.h"
#include "converter/MeshPlan.h"
#include "text/CopyUnits.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

// One line of pieces; the pieces may be temporaries of the caller's expression.
void WritePieces(FileHandle file, std::initializer_list<TextView> pieces) {
  WriteLinePieces(file, std::span(pieces.begin(), pieces.size()), EncodingAnsi);
}

// Copies a literal's units to at: a fixed-size copy, without the size tests
// CopyUnits makes for texts of any length.
template <size_t Size>
char16_t* CopyLiteral(char16_t* at, const char16_t (&literal)[Size]) {
  return std::copy(literal, literal + Size - 1, at);
}

// Writes a block of count entries, a comma after each but the last. Entries
// gather into one batch of many lines that goes to the writer at once: a call
// through the writer per entry would cost more than the entry.
class Mesh2Block {
 public:
  Mesh2Block(FileHandle file, TextView name, int64_t count) : file_(file), left_(count) {
    WritePieces(file_, {u"  ", name, u" {"});
    WritePieces(file_, {u"    ", IntegerToText(count), u","});
  }
  ~Mesh2Block() {
    Flush();
    WriteLine(file_, u"  }", EncodingAnsi);
  }
  Mesh2Block(const Mesh2Block&) = delete;
  Mesh2Block& operator=(const Mesh2Block&) = delete;

  // A vector text too long for the batch goes to the writer on its own.
  void Vector(TextView text) {
    if (text.size() > EntryRoom - 8) {
      Flush();
      WritePieces(file_, {u"    ", text, --left_ > 0 ? u"," : u""});
      return;
    }
    used_ = CopyUnits(CopyLiteral(used_, u"    "), text);
    EndEntry();
  }

  void Indices(int64_t a, int64_t b, int64_t c) {
    used_ = CopyLiteral(used_, u"    <");
    used_ = CopyUnits(used_, IntegerToText(a));
    *used_++ = u',';
    used_ = CopyUnits(used_, IntegerToText(b));
    *used_++ = u',';
    used_ = CopyUnits(used_, IntegerToText(c));
    *used_++ = u'>';
    EndEntry();
  }

 private:
  static constexpr size_t BatchUnits = 4096;
  // Room for one entry beyond the batch: an indices entry, or a vector text of
  // up to EntryRoom - 8 units with its indent and line end.
  static constexpr size_t EntryRoom = 256;

  void EndEntry() {
    used_ = --left_ > 0 ? CopyLiteral(used_, u",\r\n") : CopyLiteral(used_, u"\r\n");
    if (used_ - batch_.data() >= static_cast<ptrdiff_t>(BatchUnits)) Flush();
  }

  // WriteLine ends the batch's last line.
  void Flush() {
    if (used_ == batch_.data()) return;
    WriteLine(file_, TextView(batch_.data(), static_cast<size_t>(used_ - batch_.data()) - 2), EncodingAnsi);
    used_ = batch_.data();
  }

  FileHandle file_;
  int64_t left_;
  std::array<char16_t, BatchUnits + EntryRoom> batch_;
  char16_t* used_ = batch_.data();
};

void WriteVectors(FileHandle file, TextView name, const TextArray& texts, int64_t count) {
  Mesh2Block block(file, name, count);
  for (int64_t number = 1; number <= count; ++number) block.Vector(texts.Read(number));
}

// A unit normal's coordinate with six decimals, trailing zeros left off: a
// millionth of a radian is far below what shading shows, and a fixed format
// costs a fraction of the shortest exact one.
char16_t* AppendUnitCoordinate(char16_t* at, float coordinate) {
  const auto millionths = static_cast<int64_t>(std::lround(std::fabs(coordinate) * 1e6));
  if (coordinate < 0 && millionths != 0) *at++ = u'-';
  *at++ = static_cast<char16_t>(u'0' + millionths / 1000000);
  int64_t decimals = millionths % 1000000;
  if (decimals == 0) return at;
  int places = 6;
  for (; decimals % 10 == 0; decimals /= 10) --places;
  *at++ = u'.';
  for (int place = places - 1; place >= 0; --place, decimals /= 10)
    at[place] = static_cast<char16_t>(u'0' + decimals % 10);
  return at + places;
}

// "<x,y,z>" of a computed normal, in text.
void UnitVectorText(const std::array<float, 3>& vector, Text& text) {
  char16_t units[32];
  char16_t* at = units;
  for (size_t k = 0; k < 3; ++k) {
    *at++ = k == 0 ? u'<' : u',';
    at = AppendUnitCoordinate(at, vector[k]);
  }
  *at++ = u'>';
  text.assign(units, at);
}

// The file's normals come first, when any triangle may take them.
int64_t FileNormalsWritten(const RecordStore& store, const MeshPlan& plan) {
  return plan.normals == NormalSource::File ? store.NormalCount : 0;
}

void WriteNormals(FileHandle file, const RecordStore& store, const MeshPlan& plan) {
  const int64_t fromFile = FileNormalsWritten(store, plan);
  Mesh2Block block(file, u"normal_vectors", fromFile + static_cast<int64_t>(plan.computed.vectors.size()));
  for (int64_t number = 1; number <= fromFile; ++number) block.Vector(store.NormalTexts.Read(number));
  Text text;
  for (const std::array<float, 3>& normal : plan.computed.vectors) {
    UnitVectorText(normal, text);
    block.Vector(text);
  }
}

// A block of three indices a triangle, index(triangle, k, at) giving those of
// each corner k, at being the triangle's place.
void WriteIndices(FileHandle file, TextView name, const RecordStore& store, const MeshPlan& plan, auto index) {
  Mesh2Block block(file, name, plan.triangles);
  size_t at = 0;
  ForEachPlannedTriangle(store, plan, [&](const PlannedTriangle& triangle) {
    block.Indices(index(triangle, 0, at), index(triangle, 1, at), index(triangle, 2, at));
    ++at;
  });
}

void WriteNormalIndices(FileHandle file, const RecordStore& store, const MeshPlan& plan) {
  const int64_t computedFirst = FileNormalsWritten(store, plan);
  WriteIndices(file, u"normal_indices", store, plan, [&](const PlannedTriangle& triangle, size_t k, size_t at) {
    if (triangle.fileNormals) return int64_t{store.Corners[triangle.corners[k]].normal} - 1;
    return computedFirst + plan.computed.cornerNormals[3 * at + k];
  });
}

void WriteMesh2(FileHandle file, const RecordStore& store, const MeshPlan& plan) {
  WriteLine(file, u"mesh2 {", EncodingAnsi);
  WriteVectors(file, u"vertex_vectors", store.VertexTexts, store.VertexCount);
  if (plan.normals != NormalSource::None) WriteNormals(file, store, plan);
  if (plan.textured) WriteVectors(file, u"uv_vectors", store.TextureTexts, store.TextureCount);
  WriteIndices(file, u"face_indices", store, plan, [&](const PlannedTriangle& triangle, size_t k, size_t) {
    return int64_t{store.Corners[triangle.corners[k]].vertex} - 1;
  });
  if (plan.normals != NormalSource::None) WriteNormalIndices(file, store, plan);
  if (plan.textured) {
    WriteIndices(file, u"uv_indices", store, plan, [&](const PlannedTriangle& triangle, size_t k, size_t) {
      return int64_t{CornerTexture(store, triangle.corners[k])} - 1;
    });
    WriteLine(file, u"  uv_mapping", EncodingAnsi);
  }
  WriteLine(file, u"}", EncodingAnsi);
}

void WriteHeader(FileHandle file, TextView baseName, int64_t triangles) {
  Text line;
  JoinTexts(line, {u"//   mesh2 from ", baseName, u".obj"});
  WriteLine(file, line, EncodingAnsi);
  JoinTexts(line, {u"//   triangle count: ", IntegerToText(triangles)});
  WriteLine(file, line, EncodingAnsi);
  WriteLine(file, u"", EncodingAnsi);
  JoinTexts(line, {u"#declare ", DeclaredName(baseName), u" = "});
  WriteLine(file, line, EncodingAnsi);
}

}  // namespace

OsError WriteMesh2File(TextView includePath, TextView baseName, const RecordStore& store,
                       const ConversionOptions& options) {
  const MeshPlan plan = PlanMesh(store, options);
  OsError error = 0;
  const FileHandle file = CreateTextFile(AnyHandle, includePath, error);
  if (file == 0) return error;
  WriteHeader(file, baseName, plan.triangles);
  if (plan.triangles > 0) {
    WriteMesh2(file, store, plan);
  } else {
    WriteLine(file, u"   // no triangles, and a mesh2 needs at least one", EncodingAnsi);
    WriteLine(file, u"   union { }", EncodingAnsi);
  }
  return CloseTextFile(file);
}

}  // namespace meshfold
