#include "converter/WriteMesh2File.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "converter/IdentifierName.h"
#include "converter/StoredFaces.h"
#include "converter/VertexNormals.h"
#include "text/CopyUnits.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

bool EveryCorner(const StoredFace& face, auto names) {
  for (size_t corner = face.first; corner != face.first + face.count; ++corner)
    if (!names(corner)) return false;
  return true;
}

bool NamesTextures(const RecordStore& store, const StoredFace& face) {
  return EveryCorner(face, [&](size_t c) { return !TextureVector(store, CornerTexture(store, c)).empty(); });
}

// Calls each(face) for every face that gives triangles.
void ForEachFace(const RecordStore& store, auto each) {
  FaceReader faces(store);
  while (faces.More()) {
    const StoredFace face = faces.Next();
    if (!face.LeftOut()) each(face);
  }
}

// Calls each(face, a, b, c) for every triangle, a, b and c being its corners'
// places in store.Corners, fanned from each face's first corner.
void ForEachTriangle(const RecordStore& store, auto each) {
  ForEachFace(store, [&](const StoredFace& face) {
    for (size_t c = face.first + 2; c != face.first + face.count; ++c) each(face, face.first, c - 1, c);
  });
}

// What the mesh2 holds besides the file's vectors.
struct Mesh2Plan {
  int64_t triangles = 0;
  bool textured = false;  // every corner of every triangle names a stored texture vertex
  NormalSource normals = NormalSource::File;
  std::vector<bool> directed;  // for each file normal from 0: it is not the zero vector
  VertexNormals computed;      // for the triangles without the file's normals
};

// A face takes the file's normals when each corner names one that has a
// direction: POV-Ray would turn a zero normal into <1,0,0>.
bool TakesFileNormals(const RecordStore& store, const StoredFace& face, const Mesh2Plan& plan) {
  return plan.normals == NormalSource::File && EveryCorner(face, [&](size_t c) {
           return NamesDirectedNormal(plan.directed, store.Corners[c].normal);
         });
}

// "<x,y,z>" as the reader keeps it, read as numbers; a number that does not
// read (beyond what a double holds) is 0.
Vector3 ReadVector(TextView text) {
  Vector3 vector{0, 0, 0};
  TextView rest = text.substr(1, text.size() - 2);
  for (double& coordinate : vector) {
    const size_t comma = std::min(rest.find(u','), rest.size());
    TextToNumber(rest.substr(0, comma), coordinate);
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return vector;
}

TriangleMesh GatherTriangles(const RecordStore& store, const Mesh2Plan& plan) {
  TriangleMesh mesh;
  mesh.positions.reserve(static_cast<size_t>(store.VertexCount));
  for (int64_t vertex = 1; vertex <= store.VertexCount; ++vertex)
    mesh.positions.push_back(ReadVector(store.VertexTexts.Read(vertex)));
  mesh.corners.reserve(static_cast<size_t>(plan.triangles) * 3);
  ForEachTriangle(store, [&](const StoredFace& face, size_t a, size_t b, size_t c) {
    for (size_t corner : {a, b, c}) mesh.corners.push_back(store.Corners[corner].vertex - 1);
    mesh.needsNormals.push_back(!TakesFileNormals(store, face, plan));
  });
  return mesh;
}

Mesh2Plan PlanMesh2(const RecordStore& store, const ConversionOptions& options) {
  Mesh2Plan plan{.textured = true, .normals = options.normals, .directed = {}, .computed = {}};
  if (plan.normals == NormalSource::File) plan.directed = DirectedNormals(store);
  bool computes = false;
  ForEachFace(store, [&](const StoredFace& face) {
    plan.triangles += face.count - 2;
    plan.textured = plan.textured && NamesTextures(store, face);
    computes = computes || (options.normals != NormalSource::None && !TakesFileNormals(store, face, plan));
  });
  if (computes) plan.computed = ComputeVertexNormals(GatherTriangles(store, plan), options.creaseDegrees);
  return plan;
}

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
int64_t FileNormalsWritten(const RecordStore& store, const Mesh2Plan& plan) {
  return plan.normals == NormalSource::File ? store.NormalCount : 0;
}

void WriteNormals(FileHandle file, const RecordStore& store, const Mesh2Plan& plan) {
  const int64_t fromFile = FileNormalsWritten(store, plan);
  Mesh2Block block(file, u"normal_vectors", fromFile + static_cast<int64_t>(plan.computed.vectors.size()));
  for (int64_t number = 1; number <= fromFile; ++number) block.Vector(store.NormalTexts.Read(number));
  Text text;
  for (const std::array<float, 3>& normal : plan.computed.vectors) {
    UnitVectorText(normal, text);
    block.Vector(text);
  }
}

// A block of three indices a triangle, index(corner) giving each corner's.
void WriteIndices(FileHandle file, TextView name, const RecordStore& store, const Mesh2Plan& plan,
                  auto index) {
  Mesh2Block block(file, name, plan.triangles);
  int64_t triangle = 0;
  ForEachTriangle(store, [&](const StoredFace& face, size_t a, size_t b, size_t c) {
    block.Indices(index(face, a, 3 * triangle), index(face, b, 3 * triangle + 1),
                  index(face, c, 3 * triangle + 2));
    ++triangle;
  });
}

void WriteNormalIndices(FileHandle file, const RecordStore& store, const Mesh2Plan& plan) {
  WriteIndices(
      file, u"normal_indices", store, plan, [&](const StoredFace& face, size_t corner, int64_t computed) {
        if (TakesFileNormals(store, face, plan)) return int64_t{store.Corners[corner].normal} - 1;
        return FileNormalsWritten(store, plan) + plan.computed.cornerNormals[static_cast<size_t>(computed)];
      });
}

void WriteMesh2(FileHandle file, const RecordStore& store, const Mesh2Plan& plan) {
  WriteLine(file, u"mesh2 {", EncodingAnsi);
  WriteVectors(file, u"vertex_vectors", store.VertexTexts, store.VertexCount);
  if (plan.normals != NormalSource::None) WriteNormals(file, store, plan);
  if (plan.textured) WriteVectors(file, u"uv_vectors", store.TextureTexts, store.TextureCount);
  WriteIndices(file, u"face_indices", store, plan, [&](const StoredFace&, size_t corner, int64_t) {
    return int64_t{store.Corners[corner].vertex} - 1;
  });
  if (plan.normals != NormalSource::None) WriteNormalIndices(file, store, plan);
  if (plan.textured) {
    WriteIndices(file, u"uv_indices", store, plan, [&](const StoredFace&, size_t corner, int64_t) {
      return int64_t{CornerTexture(store, corner)} - 1;
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
  const Mesh2Plan plan = PlanMesh2(store, options);
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
