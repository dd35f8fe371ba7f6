#include "converter/WriteIncludeFile.h"

#include "text/CopyUnits.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

// Reported when the platform failed without saying why.
constexpr OsError UnknownError = -1;

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

void WriteTriangles(FileHandle file, const RecordStore& store) {
  Text line;
  for (int64_t face = 1; face <= store.FaceCount; ++face) {
    BuildTriangleLine(store, store.FaceTexts[static_cast<size_t>(face)], line);
    WriteLine(file, line, EncodingAnsi);
  }
}

}  // namespace

void BuildTriangleLine(const RecordStore& store, const FaceCorners& face, Text& line) {
  const TextView parts[] = {u"   smooth_triangle { ",
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
  // The join of JoinTexts, without its test for parts that view the line:
  // these parts all lie in the store.
  size_t length = 0;
  for (TextView part : parts) length += part.size();
  line.resize(length);
  char16_t* out = line.data();
  for (TextView part : parts) out = CopyUnits(out, part);
}

OsError WriteIncludeFile(TextView includePath, TextView baseName, const RecordStore& store) {
  const FileHandle file = CreateTextFile(AnyHandle, includePath);
  if (file == 0) return LastOpenError() != 0 ? LastOpenError() : UnknownError;
  WriteHeader(file, baseName, store.FaceCount);
  WriteTriangles(file, store);
  WriteLine(file, u"   }", EncodingAnsi);
  return CloseTextFile(file);
}

}  // namespace meshfold
