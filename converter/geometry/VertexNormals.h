#pragma once
// Smooth vertex normals for triangles that have none: at each corner, the
// average of the unit normals of the triangles around its vertex, each weighted
// by its angle at that vertex. Only triangles whose normal lies within the
// crease angle of the corner's own triangle take part, so sharp edges stay
// sharp, and never one facing more than a right angle away, so that each
// corner's normal faces along its own triangle.

#include <array>
#include <cstdint>
#include <vector>

#include "converter/geometry/Vector3.h"

namespace meshfold {

// The triangles of a mesh as vertex numbers, three a triangle, each the
// index of its position (element 0 of positions is no vertex's); which of
// them need normals; and, when the file says it, their smoothing groups:
// triangles of one nonzero group share normals whatever their angle, and one
// of group 0 shares none.
struct TriangleMesh {
  std::vector<Vector3> positions;
  std::vector<uint32_t> corners;          // three vertex numbers a triangle
  std::vector<bool> needsNormals;         // one a triangle
  std::vector<uint32_t> smoothingGroups;  // one a triangle, or none: the crease angle decides
};

// The normals found: unit vectors, each written once, and for each corner of a
// triangle that needs normals the index of its normal in vectors. Other corners
// hold 0 as well, a valid index: only the mesh's needsNormals tells them apart.
struct VertexNormals {
  std::vector<std::array<float, 3>> vectors;
  std::vector<uint32_t> cornerNormals;
};

// Computes the normals of the corners of every triangle that needs them: at
// each corner, those of the triangles around its vertex that it shares normals
// with (by group, else within creaseDegrees of its own normal). A
// corner whose triangles give no direction (degenerate triangles) gets its
// own triangle's normal, or <0,0,1> when that has none either. Takes the mesh
// by value, so that a caller who moves it in does not hold it at the peak.
VertexNormals ComputeVertexNormals(TriangleMesh mesh, double creaseDegrees);

}  // namespace meshfold
