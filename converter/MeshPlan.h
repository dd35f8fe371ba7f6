#pragma once
// What a mesh2 is made of, decided once for each face before any block is
// written: the triangles of its cut and where its normals come from. Every
// block is then written from the plan, in the same order of triangles.

#include <cstdint>
#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/CutPolygon.h"
#include "converter/RecordStore.h"
#include "converter/StoredFaces.h"
#include "converter/VertexNormals.h"

namespace meshfold {

struct MeshPlan {
  int64_t triangles = 0;
  bool textured = false;  // every corner of every triangle names a stored texture vertex
  NormalSource normals = NormalSource::File;
  // For each face of the store, in file order: whether its triangles take the
  // file's normals, and whether it is cut as the fan from its first corner.
  std::vector<bool> fileNormals;
  std::vector<bool> fanCut;
  std::vector<CornerTriple> cuts;  // the triangles of the other faces, in face order
  VertexNormals computed;          // for the corners of every triangle, where needed
};

// Plans the mesh2 of store, read with KeepExact, as options ask.
MeshPlan PlanMesh(const RecordStore& store, const ConversionOptions& options);

// One triangle of a plan: its face, and its corners as places in store.Corners.
struct PlannedTriangle {
  const StoredFace& face;
  bool fileNormals;
  size_t corners[3];
};

// Calls each(triangle) for every triangle of plan, in order: the triangles of
// each face that gives any, as its cut made them.
template <typename Each>
void ForEachPlannedTriangle(const RecordStore& store, const MeshPlan& plan, Each each) {
  FaceReader faces(store);
  size_t cut = 0;
  for (size_t ordinal = 0; faces.More(); ++ordinal) {
    const StoredFace face = faces.Next();
    if (face.LeftOut()) continue;
    const bool fileNormals = plan.fileNormals[ordinal];
    for (size_t k = 0; k + 2 < face.count; ++k) {
      const CornerTriple t = plan.fanCut[ordinal] ? CornerTriple{0, uint32_t(k + 1), uint32_t(k + 2)}
                                                  : plan.cuts[cut++];
      each(PlannedTriangle{face, fileNormals, {face.first + t[0], face.first + t[1], face.first + t[2]}});
    }
  }
}

}  // namespace meshfold
