// Computed normals on meshes small enough to know by heart; whole spheres and
// cubes run end to end.
#include "converter/geometry/VertexNormals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "converter/RunTogether.h"

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

// Two triangles folded 72 degrees along the edge from vertex 0 to vertex 2,
// beyond the crease: only one nonzero group joins them there.
TEST(ComputeVertexNormals, SmoothingGroupsDecideOverTheCrease) {
  const std::pair<std::vector<uint32_t>, bool> cases[] = {
      {{}, false}, {{1, 1}, true}, {{0, 0}, false}, {{1, 2}, false}};
  for (const auto& [groups, joined] : cases) {
    TriangleMesh folded{
        {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 3}}, {0, 1, 2, 0, 2, 3}, {true, true}, groups};
    const VertexNormals normals = ComputeVertexNormals(folded, 60);
    const std::vector<uint32_t>& at = normals.cornerNormals;
    EXPECT_EQ(at[0] == at[3] && at[2] == at[4], joined) << groups.size();
    EXPECT_EQ(normals.vectors.size(), joined ? 4U : 6U) << groups.size();
  }
}

// A double-sided pyramid: four faces and their reversed twins around an apex,
// all in one group, and a fold beyond a right angle under a crease of 180.
// Whoever may join, a face turned away never does: each corner's normal faces
// along its own triangle, and the apex's is the pyramid's up or down.
TEST(ComputeVertexNormals, FacesTurnedAwayNeverJoin) {
  const std::vector<Vector3> pyramid = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {.5, .5, .2}};
  std::vector<uint32_t> corners = {0, 1, 4, 1, 2, 4, 2, 3, 4, 3, 0, 4};
  for (size_t k = 0; k < 12; k += 3)
    corners.insert(corners.end(), {corners[k + 2], corners[k + 1], corners[k]});
  const TriangleMesh cases[] = {
      {pyramid, corners, std::vector<bool>(8, true), std::vector<uint32_t>(8, 1)},
      {pyramid, corners, std::vector<bool>(8, true), {}},
      {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 0, 0.1}}, {0, 1, 2, 0, 2, 3}, {true, true}, {}},
  };
  for (const TriangleMesh& mesh : cases) {
    const VertexNormals normals = ComputeVertexNormals(mesh, 180);
    for (size_t corner = 0; corner < mesh.corners.size(); ++corner) {
      const Vector3* p[3];
      for (size_t k = 0; k < 3; ++k) p[k] = &mesh.positions[mesh.corners[corner / 3 * 3 + k]];
      const Vector3 own = Unit(Cross(Difference(*p[1], *p[0]), Difference(*p[2], *p[0])));
      const Normal& n = normals.vectors.at(normals.cornerNormals[corner]);
      EXPECT_GT(Dot(own, {n[0], n[1], n[2]}), 0.05) << "corner " << corner << " of " << mesh.corners.size();
      if (mesh.corners[corner] == 4) {
        EXPECT_NEAR(std::abs(n[2]), 1, 1e-6) << corner;
      }
    }
  }
}

// The weighted sum of the triangles around the apex, corner 0 of each, that
// share normals with triangle own, as the rule says it pair by pair.
Normal ApexNormal(const TriangleMesh& mesh, size_t own, double crease) {
  const auto normal = [&](size_t t, float& angle) {
    const Vector3 a = mesh.positions[mesh.corners[3 * t]],
                  ab = Difference(mesh.positions[mesh.corners[3 * t + 1]], a),
                  ac = Difference(mesh.positions[mesh.corners[3 * t + 2]], a);
    angle = static_cast<float>(std::acos(Dot(Unit(ab), Unit(ac))));
    return Unit(Cross(ab, ac));
  };
  float angle = 0;
  const Vector3 mine = normal(own, angle);
  const uint32_t group = mesh.smoothingGroups.empty() ? 0 : mesh.smoothingGroups[own];
  Vector3 sum{0, 0, 0};
  for (size_t t = 0; t < mesh.corners.size() / 3; ++t) {
    const Vector3 n = normal(t, angle);
    const bool shares =
        mesh.smoothingGroups.empty()
            ? Dot(mine, mine) == 0 || Dot(mine, n) >= std::cos(crease * std::numbers::pi / 180)
            : group != 0 && mesh.smoothingGroups[t] == group;
    if (t == own || (Dot(mine, n) >= 0 && shares))
      for (size_t k = 0; k < 3; ++k) sum[k] += angle * n[k];
  }
  Vector3 unit = Unit(sum);
  if (Dot(unit, unit) == 0) unit = Dot(mine, mine) == 0 ? Vector3{0, 0, 1} : mine;
  return {static_cast<float>(unit[0]), static_cast<float>(unit[1]), static_cast<float>(unit[2])};
}

// An uneven cone of 60 triangles, each twice and once reversed, and a
// triangle without area, around its apex: a vertex of so many corners is
// sorted into kinds of corners that answer alike (copies alike in normal, in
// different groups too), and each corner still sums what it shares, pair by pair.
TEST(ComputeVertexNormals, AVertexOfManyCornersSumsWhatItShares) {
  constexpr uint32_t Segments = 60, Triangles = 3 * Segments + 1;
  TriangleMesh cone{{{0, 0, 0.7}}, {0, 1, 1}, std::vector<bool>(Triangles, true), {}};
  std::vector<uint32_t> turns;
  for (uint32_t k = 0; k < Segments; ++k) {
    const double turn = 2 * std::numbers::pi * k / Segments, radius = 1 + 0.1 * (k % 4);
    cone.positions.push_back({radius * std::cos(turn), radius * std::sin(turn), 0.05 * (k % 3)});
    const uint32_t next = 1 + (k + 1) % Segments;
    cone.corners.insert(cone.corners.end(), {0, k + 1, next, 0, next, k + 1, 0, k + 1, next});
  }
  for (uint32_t t = 0; t < Triangles; ++t) turns.push_back(t % 4 % 3);
  const std::pair<std::vector<uint32_t>, double> cases[] = {
      {std::vector<uint32_t>(Triangles, 1), 60}, {{}, 180}, {{}, 30}, {turns, 60}};
  for (const auto& [groups, crease] : cases) {
    TriangleMesh mesh = cone;
    mesh.smoothingGroups = groups;
    const VertexNormals normals = ComputeVertexNormals(mesh, crease);
    for (size_t t = 0; t < Triangles; ++t)
      ASSERT_EQ(normals.vectors.at(normals.cornerNormals[3 * t]), ApexNormal(mesh, t, crease))
          << groups.size() << " groups, crease " << crease << ", triangle " << t;
  }
}

// A mesh big enough for two threads: copies of one folded strip, far apart,
// each with a corner that needs no normal. Every copy's corners get the one
// copy's normals, and the normals written are the one copy's, copy by copy.
TEST(ComputeVertexNormals, BigMeshesGiveWhatEachPartGivesAlone) {
  const TriangleMesh one{{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0.5}, {2, 0, 0.25}},
                         {0, 1, 2, 0, 2, 3, 1, 4, 2},
                         {true, true, false},
                         {}};
  const VertexNormals alone = ComputeVertexNormals(one, 30);
  TriangleMesh many;
  constexpr size_t Copies = 10000;
  for (size_t copy = 0; copy < Copies; ++copy) {
    for (const Vector3& p : one.positions)
      many.positions.push_back({p[0] + 10.0 * static_cast<double>(copy), p[1], p[2]});
    for (uint32_t vertex : one.corners) many.corners.push_back(static_cast<uint32_t>(vertex + 5 * copy));
    many.needsNormals.insert(many.needsNormals.end(), one.needsNormals.begin(), one.needsNormals.end());
  }
  const VertexNormals normals = ComputeVertexNormals(many, 30);
  ASSERT_EQ(normals.vectors.size(), Copies * alone.vectors.size());
  for (size_t corner = 0; corner < many.corners.size(); ++corner) {
    if (!many.needsNormals[corner / 3]) continue;
    const size_t copy = corner / one.corners.size(), own = corner % one.corners.size();
    ASSERT_EQ(normals.vectors[normals.cornerNormals[corner]], alone.vectors[alone.cornerNormals[own]])
        << corner;
    ASSERT_EQ(normals.cornerNormals[corner] / alone.vectors.size(), copy) << corner;
  }
}

}  // namespace
// Positions and rough vectors of a big mesh are read in two halves: each
// number once, on either side of where a second thread begins to pay.
TEST(RunInHalves, EachNumberOnce) {
  for (const int64_t count : {0, 1, 65535, 65536, 65537, 200001}) {
    std::vector<uint8_t> calls(static_cast<size_t>(count) + 2);
    RunInHalves(count, [&](uint32_t n) { ++calls[n]; });
    EXPECT_EQ(calls.front(), 0) << count;
    EXPECT_EQ(calls.back(), 0) << count;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), 1), count) << count;
  }
}

}  // namespace meshfold
