#pragma once
// The records read from an OBJ file: the vector texts of its vertices and
// normals, and the corners of its faces, numbered from 1 as OBJ numbers them.

#include <cstdint>

#include "converter/FaceList.h"
#include "text/TextArray.h"

namespace meshfold {

// The upper bound the record arrays start with. Records beyond it are kept:
// the arrays grow as records come.
inline constexpr int64_t RecordLimit = 100000;

struct RecordStore {
  int64_t VertexCount = 0;
  int64_t NormalCount = 0;
  int64_t FaceCount = 0;
  TextArray VertexTexts;  // vector text of each vertex, element 0 empty
  TextArray NormalTexts;  // vector text of each normal, element 0 empty
  FaceList FaceTexts;     // corners of each face, element 0 unused
};

// Empties store and gives it arrays with the upper bound RecordLimit.
void CreateRecordStore(RecordStore& store);

// Vector text of vertex number, "" when no such vertex was read.
inline TextView VertexVector(const RecordStore& store, int64_t number) {
  return number >= 1 && number <= store.VertexCount ? store.VertexTexts.Read(number) : TextView();
}

// Vector text of normal number, "" when no such normal was read.
inline TextView NormalVector(const RecordStore& store, int64_t number) {
  return number >= 1 && number <= store.NormalCount ? store.NormalTexts.Read(number) : TextView();
}

}  // namespace meshfold
