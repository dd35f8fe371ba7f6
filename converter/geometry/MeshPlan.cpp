#include "converter/geometry/MeshPlan.h"

#include <map>

#include "converter/geometry/FaceCut.h"
#include "converter/geometry/VertexPositions.h"

namespace meshfold {

namespace {

// Each smoothing group a number from 1, in the order the file first names
// it; 0 stays 0, a face without smoothing.
class SmoothingNumbers {
 public:
  uint32_t Of(int64_t group) {
    if (group == 0) return 0;
    if (group != lastGroup_)
      lastNumber_ = numbers_.try_emplace(group, uint32_t(numbers_.size() + 1)).first->second;
    lastGroup_ = group;
    return lastNumber_;
  }

 private:
  std::map<int64_t, uint32_t> numbers_;
  int64_t lastGroup_ = 0;
  uint32_t lastNumber_ = 0;
};

// Decides each face in turn, and keeps its triangles.
class MeshPlanner {
 public:
  MeshPlanner(const RecordStore& store, const ConversionOptions& options)
      : store_(store),
        options_(options),
        positions_(store),
        directed_(options.normals == NormalSource::File ? DirectedNormals(store) : std::vector<bool>()),
        cutter_(store, positions_, directed_) {
    plan_.uvMapped = true;
    plan_.normals = options.normals;
    if (options.normals == NormalSource::File)
      plan_.usedFileNormals.assign(static_cast<size_t>(store.NormalCount) + 1, false);
    plan_.faceFirsts.reserve(static_cast<size_t>(store.FaceCount));
    plan_.kinds.reserve(static_cast<size_t>(store.FaceCount));
  }

  MeshPlan Plan() {
    FaceReader faces(store_);
    const std::vector<FaceRun>& runs = store_.FaceRuns;
    size_t nextRun = 0;
    // Where every face's normals are computed, every position is read anyway.
    const bool computesAll = options_.normals == NormalSource::Compute ||
                             (options_.normals == NormalSource::File && store_.NormalCount == 0);
    if (computesAll) positions_.ReadAll();
    StartRun(FaceState(), 0);
    while (faces.More()) {
      const StoredFace face = faces.Next();
      while (nextRun < runs.size() && runs[nextRun].firstFace <= face.number)
        StartRun(runs[nextRun++].state, face.first);
      Keep(face, cutter_.Cut(face));
    }
    // Runs after the last face hold no triangle, but name their groups in turn.
    while (nextRun < runs.size()) StartRun(runs[nextRun++].state, 0);
    if (computes_) plan_.toCompute = GatherTriangles();
    return std::move(plan_);
  }

 private:
  void StartRun(const FaceState& state, size_t base) {
    plan_.runs.push_back({static_cast<size_t>(plan_.triangles), base, plan_.cuts.size(), state});
  }

  void Keep(const StoredFace& face, const FaceCut& cut) {
    if (cut.leftOut) return plan_.leftOut.push_back(face);
    // Millions of corners in one run would carry a place beyond four bytes.
    if (face.first - plan_.runs.back().base > UINT32_MAX) StartRun(plan_.runs.back().state, face.first);
    const auto first = static_cast<uint32_t>(face.first - plan_.runs.back().base);
    const auto kind = static_cast<uint8_t>((cut.kind == PolygonCut::Triangles ? FromCuts : 0) |
                                           (cut.fileNormals ? FileNormals : 0));
    plan_.faceFirsts.insert(plan_.faceFirsts.end(), face.count - 2, first);
    plan_.kinds.insert(plan_.kinds.end(), face.count - 2, kind);
    plan_.cuts.insert(plan_.cuts.end(), cut.triangles.begin(), cut.triangles.end());
    plan_.triangles += face.count - 2;
    for (size_t corner = face.first; corner != face.first + face.count; ++corner) {
      if (cut.fileNormals) plan_.usedFileNormals[CornerNormal(store_, corner)] = true;
      plan_.uvMapped = plan_.uvMapped && !UvVector(store_, CornerUv(store_, corner)).empty();
    }
    computes_ = computes_ || (options_.normals != NormalSource::None && !cut.fileNormals);
  }

  // Every triangle, with the smoothing group of its face when the file has any.
  TriangleMesh GatherTriangles() {
    TriangleMesh mesh;
    mesh.positions = positions_.TakeAll();
    mesh.corners.reserve(static_cast<size_t>(plan_.triangles) * 3);
    mesh.needsNormals.reserve(static_cast<size_t>(plan_.triangles));
    SmoothingNumbers smoothing;
    ForEachPlannedTriangle(plan_, [&](const PlannedTriangle& triangle) {
      for (size_t corner : triangle.corners) mesh.corners.push_back(store_.Corners[corner]);
      mesh.needsNormals.push_back(!triangle.fileNormals);
      if (store_.HasSmoothing) mesh.smoothingGroups.push_back(smoothing.Of(triangle.state.smoothing));
    });
    return mesh;
  }

  const RecordStore& store_;
  const ConversionOptions& options_;
  VertexPositions positions_;
  const std::vector<bool> directed_;
  FaceCutter cutter_;
  bool computes_ = false;
  MeshPlan plan_;
};

}  // namespace

void ComputePlannedNormals(MeshPlan& plan, const ConversionOptions& options) {
  if (plan.toCompute.corners.empty()) return;
  plan.computed = ComputeVertexNormals(std::move(plan.toCompute), options.creaseDegrees);
  plan.toCompute = TriangleMesh();
}

MeshPlan PlanMesh(const RecordStore& store, const ConversionOptions& options) {
  return MeshPlanner(store, options).Plan();
}

}  // namespace meshfold
