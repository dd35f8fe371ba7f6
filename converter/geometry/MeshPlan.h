#pragma once
// What a mesh2 is made of, decided once for each face before any block is
// written: the triangles of its cut and where its normals come from. The
// store's faces are read once, here; every block is then written from the
// plan's triangles, in their order.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/geometry/CutPolygon.h"
#include "converter/geometry/VertexNormals.h"
#include "converter/obj/RecordStore.h"
#include "converter/obj/StoredFaces.h"

namespace meshfold {

// A stretch of the plan's triangles whose faces are in one state, from
// triangle firstTriangle to the next run's first.
struct TriangleRun {
  size_t firstTriangle;
  size_t base;      // where the places of its triangles count from in store.Corners
  size_t firstCut;  // its first triangle in the plan's cuts
  FaceState state;
};

// What a planned triangle is, beside its place: bits of MeshPlan::kinds.
enum TriangleKind : uint8_t {
  FromCuts = 1,     // its corners are the next of the plan's cuts, not the fan's
  FileNormals = 2,  // it takes the file's normals
};

// Each triangle keeps five bytes: the place of its face's first corner,
// counted from its run's base, and its kind. A fan triangle's corners follow
// from its place in the face: k triangles after the face's first, they are
// the face's corners 0, k + 1 and k + 2.
struct MeshPlan {
  int64_t triangles = 0;
  bool uvMapped = false;  // every corner of every triangle names a stored uv vertex
  NormalSource normals = NormalSource::File;
  std::vector<uint32_t> faceFirsts;
  std::vector<uint8_t> kinds;
  std::vector<CornerTriple> cuts;  // the triangles of the faces not cut as the fan, in order
  std::vector<TriangleRun> runs;   // the first for the faces before any "s", "usemtl", "o" or "g"
  // Which of the file's normals, by number, some triangle takes: a mesh2
  // holds only these, as POV-Ray warns of a zero one even unused.
  std::vector<bool> usedFileNormals;
  // The triangles whose normals are still to be computed, with the positions
  // of the vertices, until ComputePlannedNormals makes them computed.
  TriangleMesh toCompute;
  VertexNormals computed;           // for the corners of every triangle, where needed
  std::vector<StoredFace> leftOut;  // the faces that give no triangle, in file order
};

// Plans the mesh2 of store, read with ForMesh2, as options ask. The normals
// it computes are left to ComputePlannedNormals, which needs no vertex text:
// a writer may let go of them first.
MeshPlan PlanMesh(const RecordStore& store, const ConversionOptions& options);

// Computes the normals plan.toCompute asks for (ComputeVertexNormals), with
// the crease angle options give, into plan.computed; nothing when none is asked.
void ComputePlannedNormals(MeshPlan& plan, const ConversionOptions& options);

// One triangle of a plan: what the file said of its face, its number among
// the plan's triangles, and its corners as places in store.Corners.
struct PlannedTriangle {
  const FaceState& state;
  bool fileNormals;
  size_t number;
  size_t corners[3];
};

// The number of the triangle after run r's last.
inline size_t RunEnd(const MeshPlan& plan, size_t r) {
  return r + 1 < plan.runs.size() ? plan.runs[r + 1].firstTriangle : static_cast<size_t>(plan.triangles);
}

// Where a walk of the plan's triangles stands: the next triangle, its run,
// the next of the plan's cuts, and the first triangle of the next one's face.
struct PlanPoint {
  size_t triangle;
  size_t run;
  size_t cut;
  size_t faceStart;
};

// Where a walk of run r begins.
inline PlanPoint RunStart(const MeshPlan& plan, size_t r) {
  const TriangleRun& run = plan.runs[r];
  return {run.firstTriangle, r, run.firstCut, run.firstTriangle};
}

// Calls each(triangle) for every triangle from at on up to triangle end (that
// one not among them), in order; returns where the walk then stands, from
// which a later walk goes on.
template <typename Each>
PlanPoint WalkPlan(const MeshPlan& plan, PlanPoint at, size_t end, Each each) {
  while (at.triangle < end) {
    const TriangleRun& run = plan.runs[at.run];
    const size_t runEnd = RunEnd(plan, at.run);
    for (const size_t stop = std::min(end, runEnd); at.triangle < stop; ++at.triangle) {
      const size_t t = at.triangle;
      if (t == run.firstTriangle || plan.faceFirsts[t] != plan.faceFirsts[t - 1]) at.faceStart = t;
      const auto k = static_cast<uint32_t>(t - at.faceStart);
      const uint8_t kind = plan.kinds[t];
      const CornerTriple c = (kind & FromCuts) != 0 ? plan.cuts[at.cut++] : CornerTriple{0, k + 1, k + 2};
      const size_t first = run.base + plan.faceFirsts[t];
      each(PlannedTriangle{
          run.state, (kind & FileNormals) != 0, t, {first + c[0], first + c[1], first + c[2]}});
    }
    if (at.triangle < runEnd || at.run + 1 == plan.runs.size()) break;
    at = RunStart(plan, at.run + 1);
  }
  return at;
}

// Calls each(triangle) for every triangle of the plan's runs firstRun up to
// endRun (that one not among them), in order.
template <typename Each>
void WalkPlannedRuns(const MeshPlan& plan, size_t firstRun, size_t endRun, Each each) {
  if (firstRun < endRun) WalkPlan(plan, RunStart(plan, firstRun), RunEnd(plan, endRun - 1), each);
}

// Calls each(triangle) for every triangle of plan, in order.
template <typename Each>
void ForEachPlannedTriangle(const MeshPlan& plan, Each each) {
  WalkPlannedRuns(plan, 0, plan.runs.size(), each);
}

}  // namespace meshfold
