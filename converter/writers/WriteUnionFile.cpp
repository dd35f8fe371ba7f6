#include "converter/writers/WriteUnionFile.h"

#include "converter/geometry/CutPolygon.h"
#include "converter/geometry/VertexPositions.h"
#include "converter/obj/StoredFaces.h"
#include "converter/writers/IdentifierName.h"
#include "converter/writers/IncludeHeader.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

void WriteHeader(FileHandle file, TextView baseName, int64_t faceCount, const ConversionOptions& options) {
  const Text declared = DeclaredName(baseName);
  WriteIncludeHeader(
      file,
      {JoinedText({u"//   smooth triangles from ", baseName, u".obj"}),
       JoinedText({u"//   face count: ", IntegerToText(faceCount)}), u"//   k.dorsel 11.21.2023"},
      declared, options);
  WriteDeclare(file, declared);
  WriteLine(file, u"   union {", EncodingAnsi);
}

// What a corner gives a triangle line: its vertex's vector text and its
// normal's, the latter empty when the corner names no stored normal or one
// without a direction (a stored vector text is never empty); its vertex and
// normal numbers.
struct CornerTexts {
  TextView vertex;
  TextView normal;
  uint32_t number;
  uint32_t normalNumber;
};

// Inlined: it runs for every corner, and a call costs as much as its work.
[[gnu::always_inline]] inline CornerTexts ReadCornerTexts(const RecordStore& store,
                                                          const std::vector<bool>& directed,
                                                          const Corner& corner) {
  return {VertexVector(store, corner.vertex),
          NamesDirectedNormal(directed, corner.normal) ? NormalVector(store, corner.normal) : TextView(),
          corner.vertex, corner.normal};
}

bool HaveNormals(const CornerTexts& a, const CornerTexts& b, const CornerTexts& c) {
  return !a.normal.empty() && !b.normal.empty() && !c.normal.empty();
}

TriangleLinePieces TrianglePieces(const CornerTexts& a, const CornerTexts& b, const CornerTexts& c,
                                  bool smooth) {
  if (!smooth) return {{u"   triangle { ", a.vertex, u", ", b.vertex, u", ", c.vertex, u" }"}, 7};
  return {{u"   smooth_triangle { ", a.vertex, u", ", a.normal, u", ", b.vertex, u", ", b.normal, u", ",
           c.vertex, u", ", c.normal, u" }"},
          13};
}

// Writes the triangles of each face of a store, cut once.
class UnionFaces {
 public:
  UnionFaces(FileHandle file, const RecordStore& store)
      : file_(file),
        store_(store),
        directed_(DirectedNormals(store)),
        positions_(store),
        normals_(VertexPositions::Normals(store)) {}

  void Write(const StoredFace& face) {
    if (face.LeftOut()) return WriteComment({u"   // ", LeftOutWords(face)});
    if (face.count == 3 || Cut(face)) return WriteFan(face);
    const Corner* const corners = &store_.Corners[face.first];
    for (const CornerTriple& t : triangles_)
      WriteTriangle(face, Texts(corners[t[0]]), Texts(corners[t[1]]), Texts(corners[t[2]]));
  }

  int64_t Written() const { return written_; }  // triangle lines

 private:
  [[gnu::always_inline]] CornerTexts Texts(const Corner& corner) const {
    return ReadCornerTexts(store_, directed_, corner);
  }

  // True when the face is cut as the fan; else triangles_ holds its cut.
  bool Cut(const StoredFace& face) {
    positions_.OfCorners(face, corners_);
    return CutPolygon(corners_, triangles_) == PolygonCut::Fan;
  }

  // The fan shares its first corner among all triangles and each other corner
  // between two neighbours, so each corner's texts are looked up once.
  void WriteFan(const StoredFace& face) {
    const CornerTexts hub = Texts(store_.Corners[face.first]);
    CornerTexts previous = Texts(store_.Corners[face.first + 1]);
    for (size_t corner = face.first + 2; corner != face.first + face.count; ++corner) {
      const CornerTexts next = Texts(store_.Corners[corner]);
      WriteTriangle(face, hub, previous, next);
      previous = next;
    }
  }

  // Each triangle line goes out in its pieces: a vector text may be as long
  // as its OBJ line, and a joined line would hold six of them at once. POV-Ray
  // gives a flat triangle without area an infinite bounding box, and with it
  // the whole union, and warns of a smooth one, so either is left out.
  [[gnu::always_inline]] void WriteTriangle(const StoredFace& face, const CornerTexts& a,
                                            const CornerTexts& b, const CornerTexts& c) {
    const Vector3 facing = Facing(a, b, c);
    if (Dot(facing, facing) == 0) return WriteNoArea(face);  // the length is 0 exactly when its square is
    const bool smooth = HaveNormals(a, b, c) && NormalsAgree(facing, a, b, c);
    WriteLinePieces(file_, TrianglePieces(a, b, c, smooth).View(), EncodingAnsi);
    ++written_;
  }

  // The normal POV-Ray finds for the triangle a, b, c: the cross product of
  // the edges from the second corner, 0 for one it finds degenerate.
  Vector3 Facing(const CornerTexts& a, const CornerTexts& b, const CornerTexts& c) {
    const Vector3& second = positions_.At(b.number);
    return Cross(Difference(positions_.At(a.number), second), Difference(positions_.At(c.number), second));
  }

  // POV-Ray refuses a smooth triangle, as degenerate, unless all three
  // normals lie on one side of its plane; such a one keeps its place as a
  // flat triangle, not a hole.
  bool NormalsAgree(const Vector3& facing, const CornerTexts& a, const CornerTexts& b, const CornerTexts& c) {
    const double x = Dot(facing, normals_.At(a.normalNumber));
    const double y = Dot(facing, normals_.At(b.normalNumber));
    const double z = Dot(facing, normals_.At(c.normalNumber));
    return (x < 0 && y < 0 && z < 0) || (x > 0 && y > 0 && z > 0);
  }

  void WriteNoArea(const StoredFace& face) {
    WriteComment({u"   // face line ", IntegerToText(face.line), u": a triangle without area left out"});
  }

  void WriteComment(std::initializer_list<TextView> pieces) {
    JoinTexts(comment_, pieces);
    WriteLine(file_, comment_, EncodingAnsi);
  }

  FileHandle file_;
  const RecordStore& store_;
  const std::vector<bool> directed_;
  VertexPositions positions_;
  VertexPositions normals_;
  std::vector<Vector3> corners_;
  std::vector<CornerTriple> triangles_;
  Text comment_;
  int64_t written_ = 0;
};

int64_t WriteFaces(FileHandle file, const RecordStore& store) {
  UnionFaces faces(file, store);
  FaceReader reader(store);
  while (reader.More()) faces.Write(reader.Next());
  return faces.Written();
}

}  // namespace

TriangleLinePieces TriangleLine(const RecordStore& store, const std::vector<bool>& directed, const Corner& a,
                                const Corner& b, const Corner& c) {
  const CornerTexts first = ReadCornerTexts(store, directed, a), second = ReadCornerTexts(store, directed, b),
                    third = ReadCornerTexts(store, directed, c);
  return TrianglePieces(first, second, third, HaveNormals(first, second, third));
}

void BuildTriangleLine(const RecordStore& store, const std::vector<bool>& directed, const Corner& a,
                       const Corner& b, const Corner& c, Text& line) {
  line.clear();
  for (TextView piece : TriangleLine(store, directed, a, b, c).View()) line.append(piece);
}

OsError WriteUnionFile(TextView includePath, TextView baseName, const RecordStore& store,
                       const ConversionOptions& options, int64_t& triangles) {
  return WriteTextFile(includePath, [&](FileHandle file) {
    WriteHeader(file, baseName, store.FaceCount, options);
    triangles = WriteFaces(file, store);
    WriteLine(file, u"   }", EncodingAnsi);
  });
}

}  // namespace meshfold
