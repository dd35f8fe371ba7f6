// Random simple polygons, their first corner anywhere, with corners repeated
// and on one line, turned into space: every cut must cover its polygon once,
// every point inside by one triangle and none outside, and face its way.
#include "converter/geometry/CutPolygon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace meshfold {
namespace {

using Point = std::array<double, 2>;

double Turn(const Point& o, const Point& a, const Point& b) {
  return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0]);
}

double Gap(const Point& s, const Point& a, const Point& b) {
  const Point d = {b[0] - a[0], b[1] - a[1]};
  const double length = d[0] * d[0] + d[1] * d[1];
  const double t =
      length > 0 ? std::clamp(((s[0] - a[0]) * d[0] + (s[1] - a[1]) * d[1]) / length, 0.0, 1.0) : 0;
  return std::hypot(s[0] - a[0] - t * d[0], s[1] - a[1] - t * d[1]);
}

bool Inside(const Point& s, const std::vector<Point>& ring) {
  bool inside = false;
  for (size_t k = 0, j = ring.size() - 1; k < ring.size(); j = k++)
    if ((ring[k][1] > s[1]) != (ring[j][1] > s[1]) &&
        s[0] < ring[k][0] + (s[1] - ring[k][1]) * (ring[j][0] - ring[k][0]) / (ring[j][1] - ring[k][1]))
      inside = !inside;
  return inside;
}

// A skyline of teeth on a base: corners that share coordinates, and lie on
// one line where neighbouring teeth are as high.
std::vector<Point> Comb(std::mt19937& random) {
  const int teeth = 2 + static_cast<int>(random() % 5);
  std::vector<Point> ring = {{-1, -1}, {1, -1}};
  for (int x = teeth; x > 0; --x) {
    const double height = -1 + 0.5 * static_cast<double>(1 + random() % 3), step = 2.0 / teeth;
    ring.push_back({-1 + x * step, height});
    ring.push_back({-1 + (x - 1) * step, height});
  }
  return ring;
}

// A polygon seen whole from its middle, so simple, counterclockwise; a corner
// sometimes repeated or set halfway along an edge; or a comb; its first corner
// anywhere.
std::vector<Point> RandomPolygon(std::mt19937& random) {
  std::uniform_real_distribution<double> unit(0, 1);
  const size_t count = 3 + random() % 15;
  std::vector<Point> ring = random() % 3 == 0 ? Comb(random) : std::vector<Point>();
  const bool comb = !ring.empty();
  for (size_t k = 0; !comb && k < count; ++k) {
    // Corners less than half a turn apart keep the middle inside.
    const double angle =
        2 * std::numbers::pi * (static_cast<double>(k) + 0.8 * unit(random)) / static_cast<double>(count);
    const double radius = 0.2 + unit(random);
    ring.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    if (random() % 6 == 0) ring.push_back(ring.back());
    if (random() % 6 == 0 && ring.size() > 1)
      ring.insert(ring.end() - 1,
                  {(ring.end()[-2][0] + ring.back()[0]) / 2, (ring.end()[-2][1] + ring.back()[1]) / 2});
  }
  std::rotate(ring.begin(), ring.begin() + static_cast<ptrdiff_t>(random() % ring.size()), ring.end());
  return ring;
}

// Into space: the plane spanned by two fixed directions, moved away; scale
// makes it as small as a model in metres may be.
std::vector<Vector3> InSpace(const std::vector<Point>& ring, double scale = 1) {
  const Vector3 u = {0.6 * scale, 0.8 * scale, 0}, v = {-0.48 * scale, 0.36 * scale, 0.8 * scale},
                at = {5, -3, 2};
  std::vector<Vector3> corners;
  for (const Point& p : ring)
    corners.push_back({at[0] + p[0] * u[0] + p[1] * v[0], at[1] + p[0] * u[1] + p[1] * v[1],
                       at[2] + p[0] * u[2] + p[1] * v[2]});
  return corners;
}

// A mouth open 40 degrees, from its corner: the fan covers it, its first corner
// seeing all of it; from the lip, the fan would close the mouth.
TEST(CutPolygon, TheFanStaysWhereItCoversThePolygon) {
  std::vector<Point> mouth = {{0, 0}};
  for (int degrees = 20; degrees <= 340; degrees += 40)
    mouth.push_back({std::cos(degrees * std::numbers::pi / 180), std::sin(degrees * std::numbers::pi / 180)});
  std::vector<CornerTriple> cut;
  EXPECT_EQ(CutPolygon(InSpace(mouth), cut), PolygonCut::Fan);
  std::rotate(mouth.begin(), mouth.begin() + 1, mouth.end());
  EXPECT_EQ(CutPolygon(InSpace(mouth), cut), PolygonCut::Triangles);
  // A dart in its own plane: the triangle at its tip (3, 3) holds the corner
  // (0, 2), which shares a coordinate with the first, but no other corner.
  ASSERT_EQ(CutPolygon(std::vector<Vector3>{{0, 0, 0}, {2, 1.5, 0}, {3, 3, 0}, {-3, 3, 0}, {0, 2, 0}}, cut),
            PolygonCut::Triangles);
  EXPECT_EQ(std::count(cut.begin(), cut.end(), CornerTriple{0, 2, 3}), 0);
}

TEST(CutPolygon, RandomPolygonsAreCoveredOnceAndFaceTheirWay) {
  std::mt19937 random(18);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<CornerTriple> cut;  // one for all, as the writers keep one
  for (int polygon = 0; polygon < 3000; ++polygon) {
    const std::vector<Point> ring = RandomPolygon(random);
    if (CutPolygon(InSpace(ring, polygon % 2 == 0 ? 1 : 1e-3), cut) == PolygonCut::Fan) {
      cut.clear();
      for (uint32_t c = 2; c < ring.size(); ++c) cut.push_back({0, c - 1, c});
    }
    ASSERT_EQ(cut.size(), ring.size() - 2) << polygon;
    for (const CornerTriple& t : cut) ASSERT_GE(Turn(ring[t[0]], ring[t[1]], ring[t[2]]), -1e-12) << polygon;
    for (int sample = 0; sample < 200; ++sample) {
      const Point s = {2.4 * unit(random) - 1.2, 2.4 * unit(random) - 1.2};
      double gap = INFINITY;
      for (size_t k = 0; k < ring.size(); ++k)
        gap = std::min(gap, Gap(s, ring[k], ring[(k + 1) % ring.size()]));
      for (const CornerTriple& t : cut)
        for (size_t k = 0; k < 3; ++k) gap = std::min(gap, Gap(s, ring[t[k]], ring[t[(k + 1) % 3]]));
      if (gap < 1e-9) continue;
      const auto covering = std::count_if(cut.begin(), cut.end(), [&](const CornerTriple& t) {
        return Turn(ring[t[0]], ring[t[1]], s) > 0 && Turn(ring[t[1]], ring[t[2]], s) > 0 &&
               Turn(ring[t[2]], ring[t[0]], s) > 0;
      });
      ASSERT_EQ(covering, Inside(s, ring) ? 1 : 0) << polygon << " at " << s[0] << ", " << s[1];
    }
  }
}

}  // namespace
}  // namespace meshfold
