#pragma once
// The cut of a face's polygon into triangles, shared by both include forms.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "converter/geometry/Vector3.h"

namespace meshfold {

// A triangle of a cut polygon: the places of its corners among the polygon's.
using CornerTriple = std::array<uint32_t, 3>;

// How a polygon was cut: as the fan from its first corner, or into the
// triangles that CutPolygon left in its triangles.
enum class PolygonCut { Fan, Triangles };

// Cuts the polygon whose corners lie at corners, in their order, into
// corners.size() - 2 triangles. The fan from the first corner is kept wherever
// it covers the polygon once (every convex polygon): then the result is Fan
// and triangles is left as it was. Any other polygon is cut by clipping ears in
// the plane of its Newell normal, so that the triangles, which replace those in
// triangles, cover it once and keep its winding. Where no cut avoids triangles
// that face against the polygon (a twisted quad), the one with the fewest is
// taken.
PolygonCut CutPolygon(std::span<const Vector3> corners, std::vector<CornerTriple>& triangles);

}  // namespace meshfold
