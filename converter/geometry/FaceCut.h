#pragma once
// How one face of a store becomes triangles, decided once for both include
// forms: the union streams each decision as it comes, the mesh2's plan keeps
// them.

#include <cstdint>
#include <span>
#include <vector>

#include "converter/geometry/CutPolygon.h"
#include "converter/geometry/VertexPositions.h"
#include "converter/obj/RecordStore.h"
#include "converter/obj/StoredFaces.h"

namespace meshfold {

// A corner's normal comes from the file when it names a stored normal with a
// direction (NamesDirectedNormal). A face takes the file's normals when every
// corner does: a mesh2 then keeps them for all its triangles, and computes
// the normals of the whole face otherwise, so that a polygon shades as one
// surface. The union, which writes each triangle on its own, asks the same of
// a triangle's three corners.
struct FaceCut {
  bool leftOut = false;      // the face gives no triangle (StoredFace::LeftOut)
  bool fileNormals = false;  // every corner's normal comes from the file
  PolygonCut kind = PolygonCut::Fan;
  std::span<const CornerTriple> triangles;  // with Triangles, the cut, as places among the face's corners

  // The corners of the face's triangle k (0 .. count - 3), as places among its corners.
  CornerTriple Triangle(uint32_t k) const {
    return kind == PolygonCut::Fan ? CornerTriple{0, k + 1, k + 2} : triangles[k];
  }
};

// Decides faces one after the other; positions are read only for faces of
// more than three corners.
class FaceCutter {
 public:
  // directed, from DirectedNormals, judges the normals; empty, no face takes
  // the file's (the union, which judges each triangle). Both must outlive the
  // cutter.
  FaceCutter(const RecordStore& store, VertexPositions& positions, const std::vector<bool>& directed)
      : store_(store), positions_(positions), directed_(directed) {}

  // The decision for face; its triangles stay valid until the next call.
  // Inline up to the polygons: the union asks it of every face.
  const FaceCut& Cut(const StoredFace& face) {
    cut_ = FaceCut{face.LeftOut(), false, PolygonCut::Fan, {}};
    if (cut_.leftOut) return cut_;
    cut_.fileNormals = !directed_.empty() && TakesFileNormals(face);
    if (face.count > 3) CutPolygonOf(face);
    return cut_;
  }

 private:
  bool TakesFileNormals(const StoredFace& face) const;
  void CutPolygonOf(const StoredFace& face);

  const RecordStore& store_;
  VertexPositions& positions_;
  const std::vector<bool>& directed_;
  std::vector<Vector3> corners_;
  std::vector<CornerTriple> triangles_;
  FaceCut cut_;
};

}  // namespace meshfold
