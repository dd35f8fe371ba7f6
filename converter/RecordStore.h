#pragma once
// The records read from an OBJ file: the vector texts of its vertices and
// normals, and the corners of its faces, numbered from 1 as OBJ numbers them.

#include <cstdint>

#include "text/ChunkedArray.h"
#include "text/TextArray.h"

namespace meshfold {

// The record numbers of a face's three corners, resolved when the face line
// was read: relative indices are already absolute here. 0 names no record.
struct FaceCorners {
  uint32_t vertex[3];
  uint32_t normal[3];
};

// 2^18 faces fill whole large pages.
using FaceList = ChunkedArray<FaceCorners, 18>;

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
