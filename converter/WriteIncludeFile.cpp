#include "converter/WriteIncludeFile.h"

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
  JoinTexts(line, {u"#declare ", baseName, u" = "});
  WriteLine(file, line, EncodingAnsi);
  WriteLine(file, u"   union {", EncodingAnsi);
}

// Each line goes out in its pieces: a vector text may be as long as its OBJ
// line, and a joined line would hold six of them at once.
void WriteTriangles(FileHandle file, const RecordStore& store) {
  for (int64_t face = 1; face <= store.FaceCount; ++face) {
    const TriangleLinePieces pieces = TriangleLine(store, store.FaceTexts[static_cast<size_t>(face)]);
    WriteLinePieces(file, pieces, EncodingAnsi);
  }
}

}  // namespace

TriangleLinePieces TriangleLine(const RecordStore& store, const FaceCorners& face) {
  return {u"   smooth_triangle { ",
          VertexVector(store, face.vertex[0]),
          u", ",
          NormalVector(store, face.normal[0]),
          u", ",
          VertexVector(store, face.vertex[1]),
          u", ",
          NormalVector(store, face.normal[1]),
          u", ",
          VertexVector(store, face.vertex[2]),
          u", ",
          NormalVector(store, face.normal[2]),
          u" }"};
}

void BuildTriangleLine(const RecordStore& store, const FaceCorners& face, Text& line) {
  line.clear();
  for (TextView piece : TriangleLine(store, face)) line.append(piece);
}

OsError WriteIncludeFile(TextView includePath, TextView baseName, const RecordStore& store) {
  OsError error = 0;
  const FileHandle file = CreateTextFile(AnyHandle, includePath, error);
  if (file == 0) return error;
  WriteHeader(file, baseName, store.FaceCount);
  WriteTriangles(file, store);
  WriteLine(file, u"   }", EncodingAnsi);
  return CloseTextFile(file);
}

}  // namespace meshfold
