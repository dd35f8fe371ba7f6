#pragma once
// The positions of a store's vertices as numbers, read from their vector
// texts when first asked for: a mesh of triangles with normals never needs
// them, and each vertex of one that does is read once however many faces
// share it.

#include <cmath>
#include <cstdint>
#include <vector>

#include "converter/geometry/Vector3.h"
#include "converter/obj/RecordStore.h"
#include "converter/obj/StoredFaces.h"

namespace meshfold {

// The vector "<x,y,z>" or "<x, y, z> ", the two forms the store keeps, as
// POV-Ray reads it; a coordinate that is no number, or beyond what a double
// holds, is 0.
Vector3 ReadVectorText(AsciiView text);

class VertexPositions {
 public:
  explicit VertexPositions(const RecordStore& store) : store_(store) {}

  // The position of a stored vertex (1 .. VertexCount) as its vector text
  // says it; a coordinate beyond what a double holds is 0.
  const Vector3& At(uint32_t vertex) {
    if (positions_.empty()) Prepare();
    Vector3& position = positions_[vertex];
    if (std::isnan(position[0])) position = Read(vertex);
    return position;
  }

  // corners becomes the positions of face's corners, in their order: what its
  // cut (CutPolygon) is made from.
  void OfCorners(const StoredFace& face, std::vector<Vector3>& corners) {
    corners.clear();
    for (size_t corner = face.first; corner != face.first + face.count; ++corner)
      corners.push_back(At(store_.Corners[corner]));
  }

  // Reads every vertex's position now, on two threads when there are many:
  // for a caller that will ask for nearly all of them.
  void ReadAll();

  // Every vertex's position by its number, element 0 unused; the positions
  // are let go here, so that the caller alone holds them.
  std::vector<Vector3> TakeAll();

 private:
  void Prepare();
  Vector3 Read(uint32_t vertex) const;

  const RecordStore& store_;
  std::vector<Vector3> positions_;  // by vertex number, element 0 unused; NaN where not read yet
};

}  // namespace meshfold
