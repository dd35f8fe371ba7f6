#include "converter/StoredFaces.h"

#include "text/StringOperations.h"

namespace meshfold {

namespace {

// The 64-bit value an entry holds, low word first; `at` moves past it.
int64_t ReadWideEntry(const RecordStore& store, size_t& at) {
  const Corner entry = store.Corners[at++];
  return static_cast<int64_t>(uint64_t{entry.normal} << 32 | entry.vertex);
}

// Finds the first corner whose vertex is not stored and sets the face's
// missing vertex to its index: the one the line wrote when it named none that
// can exist. `at` moves past the entry that holds that index.
void FindMissingVertex(const RecordStore& store, size_t& at, StoredFace& face) {
  bool unresolved = false;
  for (size_t corner = face.first; corner != at; ++corner) {
    const uint32_t vertex = store.Corners[corner].vertex;
    const bool absent = vertex == 0 || vertex > store.VertexCount;
    if (!face.missing && absent) face.missingVertex = vertex;
    face.missing = face.missing || absent;
    unresolved = unresolved || vertex == 0;
  }
  const int64_t written = unresolved ? ReadWideEntry(store, at) : 0;
  if (face.missing && face.missingVertex == 0) face.missingVertex = written;
}

}  // namespace

StoredFace FaceReader::Next() {
  ++read_;
  StoredFace face;
  const Corner head = store_.Corners[at_++];
  lastLine_ += head.normal;
  if (head.normal == LineEscape) lastLine_ = ReadWideEntry(store_, at_);
  face.line = lastLine_;
  face.count = head.vertex;
  face.first = at_;
  at_ += face.count;
  FindMissingVertex(store_, at_, face);
  return face;
}

Text LeftOutWords(const StoredFace& face) {
  Text words = JoinedText({u"face line ", IntegerToText(face.line), u" left out: "});
  if (face.count < 3) {
    AppendTexts(words, {IntegerToText(face.count), u" corners, fewer than 3"});
  } else {
    AppendTexts(words, {u"vertex ", IntegerToText(face.missingVertex), u" does not exist"});
  }
  return words;
}

}  // namespace meshfold
