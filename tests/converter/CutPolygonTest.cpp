// Random simple polygons, their first corner anywhere, with corners repeated
// and on one line, turned into space: every cut must cover its polygon once,
// every point inside by one triangle and none outside, and face its way.
#include "converter/CutPolygon.h"

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

// A polygon seen whole from its middle, so simple, counterclockwise; a corner
// sometimes repeated or set halfway along an edge; its first corner anywhere.
std::vector<Point> RandomPolygon(std::mt19937& random) {
  std::uniform_real_distribution<double> unit(0, 1);
  const size_t count = 4 + random() % 14;
  std::vector<Point> ring;
  for (size_t k = 0; k < count; ++k) {
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

TEST(CutPolygon, RandomPolygonsAreCoveredOnceAndFaceTheirWay) {
  std::mt19937 random(18);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int polygon = 0; polygon < 3000; ++polygon) {
    const std::vector<Point> ring = RandomPolygon(random);
    // Into space: the plane spanned by two fixed directions, moved away.
    const Vector3 u = {0.6, 0.8, 0}, v = {-0.48, 0.36, 0.8}, at = {5, -3, 2};
    std::vector<Vector3> corners;
    for (const Point& p : ring)
      corners.push_back({at[0] + p[0] * u[0] + p[1] * v[0], at[1] + p[0] * u[1] + p[1] * v[1],
                         at[2] + p[0] * u[2] + p[1] * v[2]});
    std::vector<CornerTriple> cut;
    if (CutPolygon(corners, cut)) {
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
