#include "converter/WriteIncludeFile.h"

#include "converter/IdentifierName.h"
#include "converter/StoredFaces.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

void WriteHeader(FileHandle file, TextView baseName, int64_t faceCount) {
  Text line;
  JoinTexts(line, {u"//   smooth triangles from ", baseName, u".obj"});
  WriteLine(file, line, EncodingAnsi);
  JoinTexts(line, {u"//   face count: ", IntegerToText(faceCount)});
  WriteLine(file, line, EncodingAnsi);
  WriteLine(file, u"//   k.dorsel 11.21.2023", EncodingAnsi);
  WriteLine(file, u"", EncodingAnsi);
  JoinTexts(line, {u"#declare ", DeclaredName(baseName), u" = "});
  WriteLine(file, line, EncodingAnsi);
  WriteLine(file, u"   union {", EncodingAnsi);
}

// What a corner gives a triangle line: its vertex's vector text and its
// normal's, the latter empty when the corner names no stored normal or one
// without a direction (a stored vector text is never empty).
struct CornerTexts {
  TextView vertex;
  TextView normal;
};

// Inlined: it runs for every corner, and a call costs as much as its work.
[[gnu::always_inline]] inline CornerTexts ReadCornerTexts(const RecordStore& store,
                                                          const std::vector<bool>& directed,
                                                          const Corner& corner) {
  return {VertexVector(store, corner.vertex),
          NamesDirectedNormal(directed, corner.normal) ? NormalVector(store, corner.normal) : TextView()};
}

TriangleLinePieces TrianglePieces(const CornerTexts& a, const CornerTexts& b, const CornerTexts& c) {
  if (a.normal.empty() || b.normal.empty() || c.normal.empty())
    return {{u"   triangle { ", a.vertex, u", ", b.vertex, u", ", c.vertex, u" }"}, 7};
  return {{u"   smooth_triangle { ", a.vertex, u", ", a.normal, u", ", b.vertex, u", ", b.normal, u", ",
           c.vertex, u", ", c.normal, u" }"},
          13};
}

// The fan shares its first corner among all triangles and each other corner
// between two neighbours, so each corner's texts are looked up once.
void WriteFan(FileHandle file, const RecordStore& store, const std::vector<bool>& directed, size_t first,
              size_t end) {
  const CornerTexts hub = ReadCornerTexts(store, directed, store.Corners[first]);
  CornerTexts previous = ReadCornerTexts(store, directed, store.Corners[first + 1]);
  for (size_t corner = first + 2; corner != end; ++corner) {
    const CornerTexts next = ReadCornerTexts(store, directed, store.Corners[corner]);
    WriteLinePieces(file, TrianglePieces(hub, previous, next).View(), EncodingAnsi);
    previous = next;
  }
}

// Each triangle line goes out in its pieces: a vector text may be as long as
// its OBJ line, and a joined line would hold six of them at once.
void WriteFaces(FileHandle file, const RecordStore& store) {
  const std::vector<bool> directed = DirectedNormals(store);
  FaceReader faces(store);
  Text line;
  while (faces.More()) {
    const StoredFace face = faces.Next();
    if (face.LeftOut()) {
      JoinTexts(line, {u"   // ", LeftOutWords(face)});
      WriteLine(file, line, EncodingAnsi);
    } else {
      WriteFan(file, store, directed, face.first, face.first + face.count);
    }
  }
}

}  // namespace

TriangleLinePieces TriangleLine(const RecordStore& store, const std::vector<bool>& directed, const Corner& a,
                                const Corner& b, const Corner& c) {
  return TrianglePieces(ReadCornerTexts(store, directed, a), ReadCornerTexts(store, directed, b),
                        ReadCornerTexts(store, directed, c));
}

void BuildTriangleLine(const RecordStore& store, const std::vector<bool>& directed, const Corner& a,
                       const Corner& b, const Corner& c, Text& line) {
  line.clear();
  for (TextView piece : TriangleLine(store, directed, a, b, c).View()) line.append(piece);
}

OsError WriteIncludeFile(TextView includePath, TextView baseName, const RecordStore& store) {
  OsError error = 0;
  const FileHandle file = CreateTextFile(AnyHandle, includePath, error);
  if (file == 0) return error;
  WriteHeader(file, baseName, store.FaceCount);
  WriteFaces(file, store);
  WriteLine(file, u"   }", EncodingAnsi);
  return CloseTextFile(file);
}

}  // namespace meshfold
