#pragma once
// The face lines kept in a RecordStore, read back in file order, and the words
// for a face that gives no triangle.

#include <cstdint>

#include "converter/RecordStore.h"
#include "text/Text.h"

namespace meshfold {

// One face line as the store keeps it.
struct StoredFace {
  int64_t line = 0;           // its line number in the OBJ file
  size_t first = 0;           // its first corner in store.Corners
  uint32_t count = 0;         // its corners
  bool missing = false;       // a corner names a vertex that does not exist
  int64_t missingVertex = 0;  // the first such vertex index, as the line wrote it

  // A face of fewer than 3 corners, or one naming a missing vertex, gives no
  // triangle; any other gives count - 2, fanned from its first corner.
  bool LeftOut() const { return count < 3 || missing; }
};

// Reads the faces of store one after the other.
class FaceReader {
 public:
  explicit FaceReader(const RecordStore& store) : store_(store) {}
  // True while faces remain.
  bool More() const { return read_ < store_.FaceCount; }
  // The next face; only while More().
  StoredFace Next();

 private:
  const RecordStore& store_;
  int64_t read_ = 0;
  size_t at_ = 0;
  int64_t lastLine_ = 0;
};

// "face line N left out: " and why: "K corners, fewer than 3" or "vertex X
// does not exist".
Text LeftOutWords(const StoredFace& face);

}  // namespace meshfold
