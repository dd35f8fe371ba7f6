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
       {{{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 2, 0}}, {0, 1, 2, 0, 1, 3}, {false, true}},
       {x, x, z},
       3},
      {"two halves of a square share the normals of their shared corners",
       {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {0, 1, 2, 0, 2, 3}, {true, true}},
       {z, z, z, z, z, z},
       4},
      {"a triangle with the file's normals still bends its neighbour's, within the crease",
       {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 1, 2, 0, 3, 1}, {false, true}},
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

}  // namespace
}  // namespace meshfold
