#include "converter/writers/WriteUnionFile.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "converter/geometry/FaceCut.h"
#include "converter/geometry/RoughVectors.h"
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
  AsciiView vertex;
  AsciiView normal;
  uint32_t number;
  uint32_t normalNumber;
};

// Inlined: it runs for every corner, and a call costs as much as its work.
[[gnu::always_inline]] inline CornerTexts ReadCornerTexts(const RecordStore& store,
                                                          const std::vector<bool>& directed,
                                                          const Corner& corner) {
  return {VertexVector(store, corner.vertex),
          NamesDirectedNormal(directed, corner.normal) ? NormalVector(store, corner.normal) : AsciiView(),
          corner.vertex, corner.normal};
}

bool HaveNormals(const CornerTexts& a, const CornerTexts& b, const CornerTexts& c) {
  return !a.normal.empty() && !b.normal.empty() && !c.normal.empty();
}

TriangleLinePieces TrianglePieces(const CornerTexts& a, const CornerTexts& b, const CornerTexts& c,
                                  bool smooth) {
  if (!smooth) return {{"   triangle { ", a.vertex, ", ", b.vertex, ", ", c.vertex, " }\r\n"}, 7};
  return {{"   smooth_triangle { ", a.vertex, ", ", a.normal, ", ", b.vertex, ", ", b.normal, ", ", c.vertex,
           ", ", c.normal, " }\r\n"},
          13};
}

// What POV-Ray makes of a triangle line: nothing, a flat triangle, or a smooth one.
enum class TriangleKind { NoArea, Flat, Smooth };

Vector3 Widened(const std::array<float, 3>& v) { return {v[0], v[1], v[2]}; }

// The normal POV-Ray finds for the triangle a, b, c: the cross product of the
// edges from the second corner, in its order, so that it is 0 exactly where
// POV-Ray's is.
Vector3 Facing(const Vector3& a, const Vector3& b, const Vector3& c) {
  return Cross(Difference(a, b), Difference(c, b));
}

// Writes the triangles of each face of a store, cut once.
class UnionFaces {
 public:
  UnionFaces(FileHandle file, const RecordStore& store)
      : file_(file),
        store_(store),
        directed_(DirectedNormals(store)),
        positions_(store),
        cutter_(store, positions_, noNormals_),
        vertices_(store.VertexTexts, store.VertexCount),
        normals_(store.NormalTexts, store.NormalCount) {
    // Every triangle's kind asks for its corners' vectors.
    vertices_.ReadAll();
    normals_.ReadAll();
  }

  void Write(const StoredFace& face) {
    const FaceCut& cut = cutter_.Cut(face);
    if (cut.leftOut) return WriteComment({u"   // ", LeftOutWords(face)});
    if (cut.kind == PolygonCut::Fan) return WriteFan(face);
    // A face's entries may lie across two chunks of the list: each is looked up.
    for (const CornerTriple& t : cut.triangles)
      WriteTriangle(face, Texts(face.first + t[0]), Texts(face.first + t[1]), Texts(face.first + t[2]));
  }

  int64_t Written() const { return written_; }  // triangle lines

 private:
  // The texts of the Corners entry at.
  [[gnu::always_inline]] CornerTexts Texts(size_t at) const {
    return ReadCornerTexts(store_, directed_, CornerAt(store_, at));
  }

  // The fan shares its first corner among all triangles and each other corner
  // between two neighbours, so each corner's texts are looked up once.
  void WriteFan(const StoredFace& face) {
    const CornerTexts hub = Texts(face.first);
    CornerTexts previous = Texts(face.first + 1);
    for (size_t corner = face.first + 2; corner != face.first + face.count; ++corner) {
      const CornerTexts next = Texts(corner);
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
    const TriangleKind kind = KindOf(a, b, c);
    if (kind == TriangleKind::NoArea) return WriteNoArea(face);
    WriteAscii(file_, TrianglePieces(a, b, c, kind == TriangleKind::Smooth).View());
    ++written_;
  }

  // POV-Ray's own tests, on the doubles it reads from the written texts: a
  // triangle whose edges from its second corner have a cross product of
  // length 0 is degenerate, and a smooth one also unless its three normals
  // lie on one side of its plane; that one keeps its place as a flat
  // triangle, not a hole. Floats decide where they clearly can, and the
  // texts are read again where rounding could mislead them.
  TriangleKind KindOf(const CornerTexts& a, const CornerTexts& b, const CornerTexts& c) {
    const bool normals = HaveNormals(a, b, c);
    const std::optional<TriangleKind> rough = RoughKind(a, b, c, normals);
    return rough ? *rough : ExactKind(a, b, c, normals);
  }

  // Each float is within u = 6e-8 of the largest coordinate, size, so each
  // edge from the second corner is within 2u size a coordinate, and the cross
  // product of the edges e and f within 2 sqrt(3) u size (|e| + |f|) + 36 u^2
  // size^2 (a bound that stays small for the small triangles of a fine mesh).
  // Longer than 50 times that, its direction is within 0.02 of a radian: a
  // normal clearly off the plane is on the side the floats say. Nothing for
  // the rest, and for sizes where floats lose their relative precision.
  std::optional<TriangleKind> RoughKind(const CornerTexts& a, const CornerTexts& b, const CornerTexts& c,
                                        bool normals) {
    const Vector3 p = Widened(vertices_.At(a.number)), q = Widened(vertices_.At(b.number)),
                  r = Widened(vertices_.At(c.number));
    const Vector3 facing = Facing(p, q, r);
    double size = 0;
    for (const Vector3* corner : {&p, &q, &r})
      for (double coordinate : *corner) size = std::max(size, std::abs(coordinate));
    if (!(size > 1e-30 && size < 1e30)) return std::nullopt;
    constexpr double u = 6e-8;
    const Vector3 e = Difference(p, q), f = Difference(r, q);
    const double edges = std::sqrt(Dot(e, e)) + std::sqrt(Dot(f, f));
    const double error = 2 * std::numbers::sqrt3 * u * size * edges + 36 * u * u * size * size;
    const double length = std::sqrt(Dot(facing, facing));
    if (!(length > 50 * error)) return std::nullopt;
    if (!normals) return TriangleKind::Flat;
    int front = 0;
    for (const CornerTexts* corner : {&a, &b, &c}) {
      const Vector3 normal = Widened(normals_.At(corner->normalNumber));
      const double normalLength = std::sqrt(Dot(normal, normal));
      if (!(normalLength > 1e-30 && normalLength < 1e30)) return std::nullopt;
      const double along = Dot(facing, normal);
      if (!(std::abs(along) > 0.05 * length * normalLength)) return std::nullopt;
      front += along > 0;
    }
    return front == 0 || front == 3 ? TriangleKind::Smooth : TriangleKind::Flat;
  }

  TriangleKind ExactKind(const CornerTexts& a, const CornerTexts& b, const CornerTexts& c, bool normals) {
    const Vector3 facing =
        Facing(ReadVectorText(a.vertex), ReadVectorText(b.vertex), ReadVectorText(c.vertex));
    const double squared = Dot(facing, facing);
    if (squared == 0) return TriangleKind::NoArea;  // the length is 0 exactly when its square is
    // An infinite length leaves POV-Ray a normal of no direction to compare.
    if (!normals || !std::isfinite(squared)) return TriangleKind::Flat;
    int front = 0, back = 0;
    for (const CornerTexts* corner : {&a, &b, &c}) {
      const double along = Dot(facing, ReadVectorText(corner->normal));
      front += along > 0;
      back += along < 0;
    }
    return front == 3 || back == 3 ? TriangleKind::Smooth : TriangleKind::Flat;
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
  const std::vector<bool> noNormals_;  // the cutter's: each triangle's corners decide its normals here
  VertexPositions positions_;          // for the cuts
  FaceCutter cutter_;
  RoughVectors vertices_, normals_;
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
                       const Corner& b, const Corner& c, std::string& line) {
  line.clear();
  for (AsciiView piece : TriangleLine(store, directed, a, b, c).View()) line.append(piece);
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
