#include "converter/WriteIncludeFile.h"

#include "converter/IdentifierName.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

// The 64-bit value an entry holds, low word first; `at` moves past it.
int64_t ReadWideEntry(const RecordStore& store, size_t& at) {
  const Corner entry = store.Corners[at++];
  return static_cast<int64_t>(uint64_t{entry.normal} << 32 | entry.vertex);
}

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

// A face line's head read back from store.Corners at `at`, which moves past
// it: the corner count and the face line's number.
struct FaceHead {
  uint32_t count;
  int64_t line;
};

FaceHead ReadFaceHead(const RecordStore& store, size_t& at, int64_t& lastLine) {
  const Corner head = store.Corners[at++];
  lastLine += head.normal;
  if (head.normal == LineEscape) lastLine = ReadWideEntry(store, at);
  return {head.vertex, lastLine};
}

void WriteLeftOut(FileHandle file, int64_t faceLine, std::initializer_list<TextView> why, Text& line) {
  JoinTexts(line, {u"   // face line ", IntegerToText(faceLine), u" left out: "});
  AppendTexts(line, why);
  WriteLine(file, line, EncodingAnsi);
}

// Finds the first corner whose vertex is not stored and sets index to its
// index: the one the line wrote when it named none that can exist. `at` moves
// past the entry that holds that index. False when every vertex is stored.
bool MissingVertex(const RecordStore& store, size_t first, size_t& at, int64_t& index) {
  bool found = false;
  bool unresolved = false;
  for (size_t corner = first; corner != at; ++corner) {
    const uint32_t vertex = store.Corners[corner].vertex;
    if (!found && (vertex == 0 || vertex > store.VertexCount)) index = vertex;
    found = found || vertex == 0 || vertex > store.VertexCount;
    unresolved = unresolved || vertex == 0;
  }
  const int64_t written = unresolved ? ReadWideEntry(store, at) : 0;
  if (found && index == 0) index = written;
  return found;
}

// What a corner gives a triangle line: its vertex's vector text and its
// normal's, the latter empty when the corner names no stored normal (a stored
// vector text is never empty).
struct CornerTexts {
  TextView vertex;
  TextView normal;
};

// Inlined: it runs for every corner, and a call costs as much as its work.
[[gnu::always_inline]] inline CornerTexts ReadCornerTexts(const RecordStore& store, const Corner& corner) {
  return {VertexVector(store, corner.vertex), NormalVector(store, corner.normal)};
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
void WriteFan(FileHandle file, const RecordStore& store, size_t first, size_t end) {
  const CornerTexts hub = ReadCornerTexts(store, store.Corners[first]);
  CornerTexts previous = ReadCornerTexts(store, store.Corners[first + 1]);
  for (size_t corner = first + 2; corner != end; ++corner) {
    const CornerTexts next = ReadCornerTexts(store, store.Corners[corner]);
    WriteLinePieces(file, TrianglePieces(hub, previous, next).View(), EncodingAnsi);
    previous = next;
  }
}

void WriteFace(FileHandle file, const RecordStore& store, size_t& at, int64_t& lastLine, Text& line) {
  const FaceHead face = ReadFaceHead(store, at, lastLine);
  const size_t first = at;
  at += face.count;
  const size_t end = at;
  int64_t missing = 0;
  const bool isMissing = MissingVertex(store, first, at, missing);
  if (face.count < 3) {
    return WriteLeftOut(file, face.line, {IntegerToText(face.count), u" corners, fewer than 3"}, line);
  }
  if (isMissing)
    return WriteLeftOut(file, face.line, {u"vertex ", IntegerToText(missing), u" does not exist"}, line);
  WriteFan(file, store, first, end);
}

// Each triangle line goes out in its pieces: a vector text may be as long as
// its OBJ line, and a joined line would hold six of them at once.
void WriteFaces(FileHandle file, const RecordStore& store) {
  size_t at = 0;
  int64_t lastLine = 0;
  Text line;
  for (int64_t face = 1; face <= store.FaceCount; ++face) WriteFace(file, store, at, lastLine, line);
}

}  // namespace

TriangleLinePieces TriangleLine(const RecordStore& store, const Corner& a, const Corner& b, const Corner& c) {
  return TrianglePieces(ReadCornerTexts(store, a), ReadCornerTexts(store, b), ReadCornerTexts(store, c));
}

void BuildTriangleLine(const RecordStore& store, const Corner& a, const Corner& b, const Corner& c,
                       Text& line) {
  line.clear();
  for (TextView piece : TriangleLine(store, a, b, c).View()) line.append(piece);
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
