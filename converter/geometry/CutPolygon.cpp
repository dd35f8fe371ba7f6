#include "converter/geometry/CutPolygon.h"

#include <cmath>
#include <numbers>

namespace meshfold {

namespace {

// Below this share of the product of their lengths, a triangle's area vector
// counts as square to the polygon's normal: the rounding of nearly collinear
// corners must not turn a sliver against the polygon.
constexpr double SquareShare = 1e-9;

// Twice the area of the triangle a, b, c, along its normal.
Vector3 AreaVector(const Vector3& a, const Vector3& b, const Vector3& c) {
  return Cross(Difference(b, a), Difference(c, a));
}

// Whether a triangle of area vector area faces against normal; one without
// area faces no way.
[[gnu::always_inline]] inline bool FacesAgainst(const Vector3& area, const Vector3& normal) {
  const double along = Dot(area, normal);
  return along < 0 && along < -SquareShare * std::sqrt(Dot(area, area) * Dot(normal, normal));
}

// The Newell normal: the sum of the fan's area vectors, whatever the fan's worth.
Vector3 NewellNormal(std::span<const Vector3> corners) {
  Vector3 normal{0, 0, 0};
  for (size_t corner = 2; corner < corners.size(); ++corner)
    normal = Sum(normal, AreaVector(corners[0], corners[corner - 1], corners[corner]));
  return normal;
}

// Whether the fan covers the polygon once: no triangle of it faces against
// the polygon, and together they turn less than once around the first corner.
bool FanCovers(std::span<const Vector3> corners, const Vector3& normal) {
  double sweep = 0;
  for (size_t corner = 2; corner < corners.size(); ++corner) {
    const Vector3 a = Difference(corners[corner - 1], corners[0]);
    const Vector3 b = Difference(corners[corner], corners[0]);
    const Vector3 area = Cross(a, b);
    if (FacesAgainst(area, normal)) return false;
    sweep += std::atan2(std::sqrt(Dot(area, area)), Dot(a, b));
  }
  return sweep < 2 * std::numbers::pi;
}

int TurnedCount(std::span<const Vector3> corners, std::span<const CornerTriple> triangles,
                const Vector3& normal) {
  int turned = 0;
  for (const CornerTriple& t : triangles)
    turned += FacesAgainst(AreaVector(corners[t[0]], corners[t[1]], corners[t[2]]), normal) ? 1 : 0;
  return turned;
}

// A quad has two cuts, and the fan turned a triangle: the other diagonal is
// taken when it turns none (a quad bent in on itself), and the fan kept when it
// turns one too (a twisted quad).
PolygonCut CutQuad(std::span<const Vector3> corners, const Vector3& normal,
                   std::vector<CornerTriple>& triangles) {
  const CornerTriple other[2] = {{1, 2, 3}, {1, 3, 0}};
  if (TurnedCount(corners, other, normal) > 0) return PolygonCut::Fan;
  triangles.assign(std::begin(other), std::end(other));
  return PolygonCut::Triangles;
}

struct Point2 {
  double x;
  double y;
};

// Twice the signed area of o, a, b: positive when they turn counterclockwise.
double Turn(const Point2& o, const Point2& a, const Point2& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool SamePoint(const Point2& a, const Point2& b) { return a.x == b.x && a.y == b.y; }

// Whether b, which turns by turn from a to c, lies on the way from a to c:
// on their line, up to rounding, and not beyond c back toward a.
bool IsOnTheWay(const Point2& a, const Point2& b, const Point2& c, double turn) {
  const double ab = std::hypot(b.x - a.x, b.y - a.y), bc = std::hypot(c.x - b.x, c.y - b.y);
  return std::fabs(turn) <= SquareShare * ab * bc &&
         (b.x - a.x) * (c.x - b.x) + (b.y - a.y) * (c.y - b.y) >= 0;
}

// The corners in a plane square to normal, in a frame whose x and y axes make
// normal by their cross product: the polygon then winds counterclockwise.
std::vector<Point2> Project(std::span<const Vector3> corners, const Vector3& normal) {
  const Vector3 n = Unit(normal);
  const size_t least = std::fabs(n[0]) <= std::fabs(n[1]) ? (std::fabs(n[0]) <= std::fabs(n[2]) ? 0 : 2)
                                                          : (std::fabs(n[1]) <= std::fabs(n[2]) ? 1 : 2);
  Vector3 axis{0, 0, 0};
  axis[least] = 1;
  const Vector3 u = Unit(Cross(n, axis));
  const Vector3 v = Cross(n, u);
  std::vector<Point2> points;
  points.reserve(corners.size());
  for (const Vector3& corner : corners) {
    const Vector3 p = Difference(corner, corners[0]);
    points.push_back({Dot(p, u), Dot(p, v)});
  }
  return points;
}

// Ear clipping of a counterclockwise polygon. Each ear test looks at every
// corner left, and a clipped ear changes only its two neighbours' tests, so
// the whole cut takes O(n^2).
class EarClipper {
 public:
  explicit EarClipper(std::vector<Point2> points)
      : points_(std::move(points)), prev_(points_.size()), next_(points_.size()), ear_(points_.size()) {
    const auto count = static_cast<uint32_t>(points_.size());
    for (uint32_t corner = 0; corner < count; ++corner) {
      prev_[corner] = (corner + count - 1) % count;
      next_[corner] = (corner + 1) % count;
    }
    for (uint32_t corner = 0; corner < count; ++corner) ear_[corner] = IsEar(corner);
  }

  // Starts at the second corner, so that where it is an ear the first triangle
  // is the fan's.
  void Cut(std::vector<CornerTriple>& triangles) {
    triangles.clear();
    uint32_t tip = 1;
    for (size_t left = points_.size(); left > 3; --left) {
      for (size_t step = 0; !ear_[tip] && step < left; ++step) tip = next_[tip];
      if (!ear_[tip]) tip = MostTurnedTip(tip);
      triangles.push_back({prev_[tip], tip, next_[tip]});
      tip = Clip(tip);
    }
    triangles.push_back({prev_[tip], tip, next_[tip]});
  }

 private:
  // A corner that turns counterclockwise and whose triangle with its
  // neighbours holds no other corner, on its edges neither. A corner at the
  // same point as one of the three is no obstacle: repeated corners are common.
  // A corner on the way from one neighbour to the other (repeated, or on one
  // line with them) is an ear too: taking it off takes no area.
  bool IsEar(uint32_t tip) const {
    const Point2 &a = points_[prev_[tip]], &b = points_[tip], &c = points_[next_[tip]];
    const double turn = Turn(a, b, c);
    if (IsOnTheWay(a, b, c, turn)) return true;
    if (turn <= 0) return false;
    for (uint32_t other = next_[next_[tip]]; other != prev_[tip]; other = next_[other]) {
      const Point2& p = points_[other];
      if (SamePoint(p, a) || SamePoint(p, b) || SamePoint(p, c)) continue;
      if (Turn(a, b, p) >= 0 && Turn(b, c, p) >= 0 && Turn(c, a, p) >= 0) return false;
    }
    return true;
  }

  // Where no corner is an ear (corners on one line, or a polygon that crosses
  // itself in the plane), the tip that turns most counterclockwise.
  uint32_t MostTurnedTip(uint32_t from) const {
    uint32_t best = from;
    double bestTurn = -INFINITY;
    uint32_t tip = from;
    do {
      const double turn = Turn(points_[prev_[tip]], points_[tip], points_[next_[tip]]);
      if (turn > bestTurn) best = tip, bestTurn = turn;
      tip = next_[tip];
    } while (tip != from);
    return best;
  }

  // Takes tip out; returns the corner after it, where the search goes on.
  uint32_t Clip(uint32_t tip) {
    const uint32_t before = prev_[tip], after = next_[tip];
    next_[before] = after;
    prev_[after] = before;
    ear_[before] = IsEar(before);
    ear_[after] = IsEar(after);
    return after;
  }

  std::vector<Point2> points_;
  std::vector<uint32_t> prev_;
  std::vector<uint32_t> next_;
  std::vector<bool> ear_;
};

}  // namespace

PolygonCut CutPolygon(std::span<const Vector3> corners, std::vector<CornerTriple>& triangles) {
  if (corners.size() <= 3) return PolygonCut::Fan;
  if (corners.size() == 4) {
    // Two triangles that face the quad's way cannot turn around its first
    // corner more than once: the quad needs no angles, and comes this way by
    // the million from scanners.
    const Vector3 first = AreaVector(corners[0], corners[1], corners[2]);
    const Vector3 second = AreaVector(corners[0], corners[2], corners[3]);
    const Vector3 normal = Sum(first, second);
    if (!FacesAgainst(first, normal) && !FacesAgainst(second, normal)) return PolygonCut::Fan;
    return CutQuad(corners, normal, triangles);
  }
  const Vector3 normal = NewellNormal(corners);
  // A polygon without a normal has no way to face: nothing can be turned.
  if (Dot(normal, normal) == 0 || FanCovers(corners, normal)) return PolygonCut::Fan;
  EarClipper(Project(corners, normal)).Cut(triangles);
  return PolygonCut::Triangles;
}

}  // namespace meshfold
