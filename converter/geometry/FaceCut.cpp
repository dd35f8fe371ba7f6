#include "converter/geometry/FaceCut.h"

namespace meshfold {

void FaceCutter::CutPolygonOf(const StoredFace& face) {
  positions_.OfCorners(face, corners_);
  cut_.kind = CutPolygon(corners_, triangles_);
  if (cut_.kind == PolygonCut::Triangles) cut_.triangles = triangles_;
}

// A corner past the end of the store's normals names none.
bool FaceCutter::TakesFileNormals(const StoredFace& face) const {
  if (face.first + face.count > store_.CornerNormals.size()) return false;
  for (size_t corner = face.first; corner != face.first + face.count; ++corner)
    if (!NamesDirectedNormal(directed_, store_.CornerNormals[corner])) return false;
  return true;
}

}  // namespace meshfold
