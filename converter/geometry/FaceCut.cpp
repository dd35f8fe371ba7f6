#include "converter/geometry/FaceCut.h"

namespace meshfold {

void FaceCutter::CutPolygonOf(const StoredFace& face) {
  positions_.OfCorners(face, corners_);
  cut_.kind = CutPolygon(corners_, triangles_);
  if (cut_.kind == PolygonCut::Triangles) cut_.triangles = triangles_;
}

bool FaceCutter::TakesFileNormals(const StoredFace& face) const {
  for (size_t corner = face.first; corner != face.first + face.count; ++corner)
    if (!NamesDirectedNormal(directed_, CornerNormal(store_, corner))) return false;
  return true;
}

}  // namespace meshfold
