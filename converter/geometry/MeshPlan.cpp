#include "converter/geometry/MeshPlan.h"

#include <map>

#include "converter/geometry/VertexPositions.h"

namespace meshfold {

namespace {

bool EveryCorner(const RecordStore& store, const StoredFace& face, auto names) {
  for (size_t corner = face.first; corner != face.first + face.count; ++corner)
    if (!names(store.Corners[corner], corner)) return false;
  return true;
}

// A face takes the file's normals when each corner names one that has a
// direction: POV-Ray would turn a zero normal into <1,0,0>.
bool TakesFileNormals(const RecordStore& store, const StoredFace& face, const std::vector<bool>& directed) {
  return EveryCorner(store, face,
                     [&](const Corner& c, size_t) { return NamesDirectedNormal(directed, c.normal); });
}

bool NamesUvs(const RecordStore& store, const StoredFace& face) {
  return EveryCorner(store, face,
                     [&](const Corner&, size_t at) { return !UvVector(store, CornerUv(store, at)).empty(); });
}

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

// Decides each face in turn; positions are read only for the faces that have
// more than three corners, and for the normals to compute.
class MeshPlanner {
 public:
  MeshPlanner(const RecordStore& store, const ConversionOptions& options)
      : store_(store), options_(options), positions_(store) {
    plan_.uvMapped = true;
    plan_.normals = options.normals;
    if (options.normals != NormalSource::File) return;
    directed_ = DirectedNormals(store);
    plan_.usedFileNormals.assign(static_cast<size_t>(store.NormalCount), false);
  }

  MeshPlan Plan() {
    FaceReader faces(store_);
    bool computes = false;
    while (faces.More()) {
      const StoredFace face = faces.Next();
      const bool fileNormals =
          options_.normals == NormalSource::File && TakesFileNormals(store_, face, directed_);
      plan_.fileNormals.push_back(fileNormals);
      plan_.fanCut.push_back(face.LeftOut() || face.count == 3 || CutFace(face));
      if (face.LeftOut()) continue;
      if (fileNormals) MarkNormalsUsed(face);
      plan_.triangles += face.count - 2;
      plan_.uvMapped = plan_.uvMapped && NamesUvs(store_, face);
      computes = computes || (options_.normals != NormalSource::None && !fileNormals);
    }
    if (computes) plan_.computed = ComputeVertexNormals(GatherTriangles(), options_.creaseDegrees);
    return std::move(plan_);
  }

 private:
  void MarkNormalsUsed(const StoredFace& face) {
    for (size_t corner = face.first; corner != face.first + face.count; ++corner)
      plan_.usedFileNormals[store_.Corners[corner].normal - 1] = true;
  }

  // True for the fan; the triangles of any other cut join the plan's.
  bool CutFace(const StoredFace& face) {
    positions_.OfCorners(face, corners_);
    if (CutPolygon(corners_, triangles_) == PolygonCut::Fan) return true;
    plan_.cuts.insert(plan_.cuts.end(), triangles_.begin(), triangles_.end());
    return false;
  }

  // Every triangle, with the smoothing group of its face when the file has any.
  TriangleMesh GatherTriangles() {
    TriangleMesh mesh;
    mesh.positions = positions_.TakeAll();
    mesh.corners.reserve(static_cast<size_t>(plan_.triangles) * 3);
    mesh.needsNormals.reserve(static_cast<size_t>(plan_.triangles));
    SmoothingNumbers smoothing;
    ForEachPlannedTriangle(store_, plan_, [&](const PlannedTriangle& triangle) {
      for (size_t corner : triangle.corners) mesh.corners.push_back(store_.Corners[corner].vertex - 1);
      mesh.needsNormals.push_back(!triangle.fileNormals);
      if (store_.HasSmoothing) mesh.smoothingGroups.push_back(smoothing.Of(triangle.state.smoothing));
    });
    return mesh;
  }

  const RecordStore& store_;
  const ConversionOptions& options_;
  VertexPositions positions_;
  std::vector<bool> directed_;
  std::vector<Vector3> corners_;
  std::vector<CornerTriple> triangles_;
  MeshPlan plan_;
};

}  // namespace

MeshPlan PlanMesh(const RecordStore& store, const ConversionOptions& options) {
  return MeshPlanner(store, options).Plan();
}

}  // namespace meshfold
