#pragma once
// What a mesh2 is made of, decided once for each face before any block is
// written: the triangles of its cut and where its normals come from. Every
// block is then written from the plan, in the same order of triangles.

#include <cstdint>
#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/geometry/CutPolygon.h"
#include "converter/geometry/VertexNormals.h"
#include "converter/obj/RecordStore.h"
#include "converter/obj/StoredFaces.h"

namespace meshfold {

struct MeshPlan {
  int64_t triangles = 0;
  bool uvMapped = false;  // every corner of every triangle names a stored uv vertex
  NormalSource normals = NormalSource::File;
  // For each face of the store, in file order: whether its triangles take the
  // file's normals, and whether it is cut as the fan from its first corner.
  std::vector<bool> fileNormals;
  std::vector<bool> fanCut;
  std::vector<CornerTriple> cuts;  // the triangles of the other faces, in face order
  // Which of the file's normals some triangle takes, normal n at n - 1: a
  // mesh2 holds only these, as POV-Ray warns of a zero one even unused.
  std::vector<bool> usedFileNormals;
  VertexNormals computed;  // for the corners of every triangle, where needed
};

// Plans the mesh2 of store, read with ForMesh2, as options ask.
MeshPlan PlanMesh(const RecordStore& store, const ConversionOptions& options);

// The state of each face, asked for in file order by face number.
class FaceStates {
 public:
  explicit FaceStates(const std::vector<FaceRun>& runs) : runs_(runs) {}
  const FaceState& Of(int64_t face) {
    if (runs_.empty()) return none_;
    while (next_ < runs_.size() && runs_[next_].firstFace <= face) ++next_;
    return next_ == 0 ? none_ : runs_[next_ - 1].state;
  }

 private:
  const std::vector<FaceRun>& runs_;
  size_t next_ = 0;
  const FaceState none_;
};

// One triangle of a plan: its face and what the file said of it, its number
// among the plan's triangles, and its corners as places in store.Corners.
struct PlannedTriangle {
  const StoredFace& face;
  const FaceState& state;
  bool fileNormals;
  size_t number;
  size_t corners[3];
};

// Where a walk of a plan's triangles stands: at a face, with the triangles and
// cuts before it counted.
struct PlanPlace {
  explicit PlanPlace(const RecordStore& store) : faces(store), states(store.FaceRuns) {}
  FaceReader faces;
  FaceStates states;
  size_t face = 0;      // faces read, from 0
  size_t triangle = 0;  // triangles before the face
  size_t cut = 0;       // plan.cuts entries before it
};

// Calls each(triangle) for every triangle of plan from place on, in order, up
// to the face numbered endFace (that face not among them): the triangles of
// each face that gives any, as its cut made them. place ends where it stopped.
template <typename Each>
void WalkPlannedTriangles(const MeshPlan& plan, PlanPlace& place, int64_t endFace, Each each) {
  while (place.faces.More() && static_cast<int64_t>(place.face) + 1 < endFace) {
    const StoredFace face = place.faces.Next();
    const size_t ordinal = place.face++;
    if (face.LeftOut()) continue;
    const FaceState& state = place.states.Of(face.number);
    for (size_t k = 0; k + 2 < face.count; ++k) {
      const CornerTriple t =
          plan.fanCut[ordinal] ? CornerTriple{0, uint32_t(k + 1), uint32_t(k + 2)} : plan.cuts[place.cut++];
      each(PlannedTriangle{face,
                           state,
                           plan.fileNormals[ordinal],
                           place.triangle++,
                           {face.first + t[0], face.first + t[1], face.first + t[2]}});
    }
  }
}

// Calls each(triangle) for every triangle of plan, in order.
template <typename Each>
void ForEachPlannedTriangle(const RecordStore& store, const MeshPlan& plan, Each each) {
  PlanPlace start(store);
  WalkPlannedTriangles(plan, start, INT64_MAX, each);
}

}  // namespace meshfold
