#pragma once
// Points and directions in space, and the few operations on them that the cut
// of polygons and the normals share.

#include <array>
#include <cmath>

namespace meshfold {

using Vector3 = std::array<double, 3>;

inline Vector3 Difference(const Vector3& a, const Vector3& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

inline Vector3 Sum(const Vector3& a, const Vector3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

inline double Dot(const Vector3& a, const Vector3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

inline Vector3 Cross(const Vector3& a, const Vector3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// v scaled to length 1; the zero vector when it has no direction.
inline Vector3 Unit(const Vector3& v) {
  const double length = std::sqrt(Dot(v, v));
  if (!(length > 0) || !std::isfinite(length)) return {0, 0, 0};
  return {v[0] / length, v[1] / length, v[2] / length};
}

}  // namespace meshfold
