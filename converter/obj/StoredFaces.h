#pragma once
// The face lines kept in a RecordStore, read back in file order, and the words
// for a face that gives no triangle.

#include <cstdint>

#include "converter/obj/RecordStore.h"
#include "text/Text.h"

namespace meshfold {

// One face line as the store keeps it.
struct StoredFace {
  int64_t number = 0;         // its number among the faces, from 1
  int64_t line = 0;           // its line number in the OBJ file
  size_t first = 0;           // its first corner in store.Corners
  uint32_t count = 0;         // its corners
  bool missing = false;       // a corner names a vertex that does not exist
  int64_t missingVertex = 0;  // the first such vertex index, as the line wrote it

  // A face of fewer than 3 corners, or one naming a missing vertex, gives no
  // triangle; any other gives count - 2, as CutPolygon cuts it.
  bool LeftOut() const { return count < 3 || missing; }
};

// Reads the faces of store one after the other.
class FaceReader {
 public:
  explicit FaceReader(const RecordStore& store) : store_(store) {}
  // True while faces remain.
  bool More() const { return read_ < store_.FaceCount; }
  // The next face; only while More(). Inline: the writers call it for every
  // face, and the call would cost as much as the reading.
  StoredFace Next() {
    StoredFace face;
    face.number = ++read_;
    const Corner head = CornerAt(store_, at_++);
    lastLine_ += int64_t{head.normal} + 1;
    if (head.normal == LineEscape) lastLine_ = ReadWideEntry();
    face.line = lastLine_;
    face.count = head.vertex;
    face.first = at_;
    at_ += face.count;
    FindMissingVertex(face);
    return face;
  }

 private:
  // The 64-bit value the next entry holds, low word first.
  int64_t ReadWideEntry() {
    const Corner entry = CornerAt(store_, at_++);
    return static_cast<int64_t>(uint64_t{entry.normal} << 32 | entry.vertex);
  }

  // Sets the face's missing vertex to the first corner's vertex that is not
  // stored: the index the line wrote when it named none that can exist, which
  // the next entry then holds.
  void FindMissingVertex(StoredFace& face) {
    bool unresolved = false;
    for (size_t corner = face.first; corner != at_; ++corner) {
      const uint32_t vertex = store_.Corners[corner];
      const bool absent = vertex == 0 || vertex > store_.VertexCount;
      if (!face.missing && absent) face.missingVertex = vertex;
      face.missing = face.missing || absent;
      unresolved = unresolved || vertex == 0;
    }
    const int64_t written = unresolved ? ReadWideEntry() : 0;
    if (face.missing && face.missingVertex == 0) face.missingVertex = written;
  }

  const RecordStore& store_;
  int64_t read_ = 0;
  size_t at_ = 0;
  int64_t lastLine_ = 0;
};

// "face line N left out: " and why: "K corners, fewer than 3" or "vertex X
// does not exist".
Text LeftOutWords(const StoredFace& face);

}  // namespace meshfold
