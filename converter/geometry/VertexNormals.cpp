#include "converter/geometry/VertexNormals.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "converter/geometry/FirstEqual.h"

namespace meshfold {

namespace {

// The angle between the edges from corner to the two other corners. An edge
// without length gives a right angle, which weighs nothing: its triangle has
// no normal to weigh.
double CornerAngle(const Vector3& corner, const Vector3& next, const Vector3& previous) {
  const Vector3 a = Unit(Difference(next, corner));
  const Vector3 b = Unit(Difference(previous, corner));
  return std::acos(std::fmax(-1.0, std::fmin(1.0, Dot(a, b))));
}

// What each triangle gives the normals around its corners.
struct TriangleShape {
  std::vector<Vector3> normals;  // one a triangle
  std::vector<float> angles;     // one a corner
};

TriangleShape MeasureTriangles(const TriangleMesh& mesh) {
  const size_t triangles = mesh.corners.size() / 3;
  TriangleShape shape{std::vector<Vector3>(triangles), std::vector<float>(mesh.corners.size())};
  for (size_t t = 0; t < triangles; ++t) {
    const Vector3* p[3];
    for (size_t k = 0; k < 3; ++k) p[k] = &mesh.positions[mesh.corners[3 * t + k]];
    shape.normals[t] = Unit(Cross(Difference(*p[1], *p[0]), Difference(*p[2], *p[0])));
    for (size_t k = 0; k < 3; ++k)
      shape.angles[3 * t + k] = static_cast<float>(CornerAngle(*p[k], *p[(k + 1) % 3], *p[(k + 2) % 3]));
  }
  return shape;
}

// For each vertex, the first vertex at the same position. Exporters split a
// vertex where texture seams or pole caps meet; shading must not see the split.
std::vector<uint32_t> WeldPositions(const std::vector<Vector3>& positions) {
  return FirstEqual(positions, [](uint32_t) { return false; });
}

// The corners at each welded vertex: corners[first[v] .. first[v + 1]) are
// vertex v's, as indices into the mesh's corner list.
struct CornersAround {
  std::vector<uint32_t> first;
  std::vector<uint32_t> corners;
};

CornersAround GatherCorners(const TriangleMesh& mesh) {
  const std::vector<uint32_t> welded = WeldPositions(mesh.positions);
  CornersAround around{std::vector<uint32_t>(mesh.positions.size() + 1),
                       std::vector<uint32_t>(mesh.corners.size())};
  for (uint32_t vertex : mesh.corners) ++around.first[welded[vertex] + 1];
  for (size_t v = 1; v < around.first.size(); ++v) around.first[v] += around.first[v - 1];
  std::vector<uint32_t> next(around.first.begin(), around.first.end() - 1);
  for (size_t corner = 0; corner < mesh.corners.size(); ++corner)
    around.corners[next[welded[mesh.corners[corner]]]++] = static_cast<uint32_t>(corner);
  return around;
}

// Computes the normals at one vertex. Its corners that see the same set of
// triangles get the same normal, and it is written once.
class VertexNormalBuilder {
 public:
  // Once measured, the mesh's positions and corners are let go before the
  // normals take room: a big scan would otherwise hold both at once.
  VertexNormalBuilder(TriangleMesh& mesh, double creaseDegrees, VertexNormals& out)
      : needsNormals_(mesh.needsNormals),
        smoothingGroups_(mesh.smoothingGroups),
        around_(GatherCorners(mesh)),
        shape_(MeasureTriangles(mesh)),
        creaseCosine_(std::cos(creaseDegrees * std::numbers::pi / 180)),
        out_(out) {
    const size_t vertices = mesh.positions.size();
    const size_t corners = mesh.corners.size();
    std::vector<Vector3>().swap(mesh.positions);
    std::vector<uint32_t>().swap(mesh.corners);
    out_.cornerNormals.assign(corners, 0);
    out_.vectors.reserve(vertices);
  }

  void Build() {
    for (size_t vertex = 0; vertex + 1 < around_.first.size(); ++vertex) BuildVertex(vertex);
  }

 private:
  void BuildVertex(size_t vertex) {
    const size_t firstNew = out_.vectors.size();
    for (uint32_t at = around_.first[vertex]; at != around_.first[vertex + 1]; ++at) {
      const uint32_t corner = around_.corners[at];
      if (!needsNormals_[corner / 3]) continue;
      out_.cornerNormals[corner] = NormalIndex(CornerNormal(vertex, corner / 3), firstNew);
    }
  }

  // Whether the triangle other takes part in triangle's normals. One that
  // faces more than a right angle away never does, whatever the smoothing groups say:
  // a double-sided face's reversed twin would cancel the normal it joined.
  bool SharesNormals(size_t triangle, size_t other) const {
    if (other == triangle) return true;
    const Vector3& own = shape_.normals[triangle];
    const double facing = Dot(own, shape_.normals[other]);
    if (facing < 0) return false;
    if (!smoothingGroups_.empty())
      return smoothingGroups_[triangle] != 0 && smoothingGroups_[other] == smoothingGroups_[triangle];
    // A degenerate triangle has no direction to keep apart from.
    return Dot(own, own) == 0 || facing >= creaseCosine_;
  }

  std::array<float, 3> CornerNormal(size_t vertex, size_t triangle) const {
    const Vector3& own = shape_.normals[triangle];
    Vector3 sum{0, 0, 0};
    for (uint32_t at = around_.first[vertex]; at != around_.first[vertex + 1]; ++at) {
      const uint32_t corner = around_.corners[at];
      if (!SharesNormals(triangle, corner / 3)) continue;
      const Vector3& other = shape_.normals[corner / 3];
      for (size_t k = 0; k < 3; ++k) sum[k] += shape_.angles[corner] * other[k];
    }
    Vector3 normal = Unit(sum);
    if (Dot(normal, normal) == 0) normal = Dot(own, own) == 0 ? Vector3{0, 0, 1} : own;
    return {static_cast<float>(normal[0]), static_cast<float>(normal[1]), static_cast<float>(normal[2])};
  }

  // The index of normal among those this vertex already wrote, or a new one.
  uint32_t NormalIndex(const std::array<float, 3>& normal, size_t firstNew) {
    for (size_t index = firstNew; index < out_.vectors.size(); ++index)
      if (out_.vectors[index] == normal) return static_cast<uint32_t>(index);
    out_.vectors.push_back(normal);
    return static_cast<uint32_t>(out_.vectors.size() - 1);
  }

  const std::vector<bool>& needsNormals_;
  const std::vector<uint32_t>& smoothingGroups_;
  const CornersAround around_;  // before shape_: the welding's scratch room comes and goes first
  const TriangleShape shape_;
  const double creaseCosine_;
  VertexNormals& out_;
};

}  // namespace

VertexNormals ComputeVertexNormals(TriangleMesh mesh, double creaseDegrees) {
  VertexNormals normals;
  VertexNormalBuilder(mesh, creaseDegrees, normals).Build();
  return normals;
}

}  // namespace meshfold
