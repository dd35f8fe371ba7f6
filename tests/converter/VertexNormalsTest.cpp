// Computed normals on meshes small enough to know by heart; whole spheres and
// cubes run end to end.
#include "converter/VertexNormals.h"

#include <gtest/gtest.h>

namespace meshfold {
namespace {

using Normal = std::array<float, 3>;

struct NormalsCase {
  const char* what;
  TriangleMesh mesh;
  std::vector<Normal> corners;  // the normal each corner that needs one gets
  size_t written;               // normals written
};

TEST(ComputeVertexNormals, DegenerateSharedAndUnneededTriangles) {
  const Normal x = {1, 0, 0}, z = {0, 0, 1};
  const float half = 0.70710677f;
  const NormalsCase cases[] = {
      {"a degenerate triangle takes its neighbour's normal, and <0,0,1> where it has none",
       {{{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 2, 0}}, {0, 1, 2, 0, 1, 3}, {false, true}, {}},
       {x, x, z},
       3},
      {"two halves of a square share the normals of their shared corners",
       {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {0, 1, 2, 0, 2, 3}, {true, true}, {}},
       {z, z, z, z, z, z},
       4},
      {"a triangle with the file's normals still bends its neighbour's, within the crease",
       {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 1, 2, 0, 3, 1}, {false, true}, {}},
       {{0, half, half}, {0, 1, 0}, {0, half, half}},
       3},
  };
  for (const NormalsCase& each : cases) {
    const VertexNormals normals = ComputeVertexNormals(each.mesh, 100);
    std::vector<Normal> got;
    for (size_t corner = 0; corner < each.mesh.corners.size(); ++corner)
      if (each.mesh.needsNormals[corner / 3])
        got.push_back(normals.vectors.at(normals.cornerNormals[corner]));
    EXPECT_EQ(got, each.corners) << each.what;
    EXPECT_EQ(normals.vectors.size(), each.written) << each.what;
  }
}

// Two triangles folded 135 degrees along the edge from vertex 0 to vertex 2,
// far beyond the crease: only one nonzero group joins them there.
TEST(ComputeVertexNormals, SmoothingGroupsDecideOverTheCrease) {
  const std::pair<std::vector<uint32_t>, bool> cases[] = {
      {{}, false}, {{1, 1}, true}, {{0, 0}, false}, {{1, 2}, false}};
  for (const auto& [groups, joined] : cases) {
    TriangleMesh folded{
        {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 0, 1}}, {0, 1, 2, 0, 2, 3}, {true, true}, groups};
    const VertexNormals normals = ComputeVertexNormals(folded, 60);
    const std::vector<uint32_t>& at = normals.cornerNormals;
    EXPECT_EQ(at[0] == at[3] && at[2] == at[4], joined) << groups.size();
    EXPECT_EQ(normals.vectors.size(), joined ? 4U : 6U) << groups.size();
  }
}

}  // namespace
}  // namespace meshfold
