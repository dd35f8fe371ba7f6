#include "converter/geometry/VertexNormals.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>

#include "converter/RunTogether.h"
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

// The unit normal of triangle t, the zero vector when it has none.
Vector3 TriangleNormal(const TriangleMesh& mesh, size_t t) {
  const Vector3* p[3];
  for (size_t k = 0; k < 3; ++k) p[k] = &mesh.positions[mesh.corners[3 * t + k]];
  return Unit(Cross(Difference(*p[1], *p[0]), Difference(*p[2], *p[0])));
}

// The angle of the triangle at corner, its k-th, as a weight.
float AngleAt(const TriangleMesh& mesh, size_t corner) {
  const size_t t = corner / 3, k = corner % 3;
  const Vector3* p[3];
  for (size_t j = 0; j < 3; ++j) p[j] = &mesh.positions[mesh.corners[3 * t + j]];
  return static_cast<float>(CornerAngle(*p[k], *p[(k + 1) % 3], *p[(k + 2) % 3]));
}

// For each vertex, the first vertex at the same position. Exporters split a
// vertex where texture seams or pole caps meet; shading must not see the split.
std::vector<uint32_t> WeldPositions(const std::vector<Vector3>& positions) {
  return FirstEqual(positions, [](uint32_t) { return false; });
}

// The corners at each welded vertex: corners[first[v] .. first[v + 1]) are
// vertex v's, as indices into the mesh's corner list, in their order there.
// Once its vertex is built, each place holds the corner's normal instead.
struct CornersAround {
  std::vector<uint32_t> first;
  std::vector<uint32_t> corners;
};

// What a corner of a triangle that needs no normals holds once built.
constexpr uint32_t NoNormal = UINT32_MAX;

CornersAround GatherCorners(const TriangleMesh& mesh, const std::vector<uint32_t>& welded) {
  CornersAround around{std::vector<uint32_t>(mesh.positions.size() + 1),
                       std::vector<uint32_t>(mesh.corners.size())};
  for (uint32_t vertex : mesh.corners) ++around.first[welded[vertex] + 1];
  for (size_t v = 1; v < around.first.size(); ++v) around.first[v] += around.first[v - 1];
  std::vector<uint32_t> next(around.first.begin(), around.first.end() - 1);
  for (size_t corner = 0; corner < mesh.corners.size(); ++corner)
    around.corners[next[welded[mesh.corners[corner]]]++] = static_cast<uint32_t>(corner);
  return around;
}

// corners, the mesh's vertex numbers, becomes each corner's normal index
// (0 where none is needed), taken from the place GatherCorners gave the
// corner, found again the same way; the later half's indices, numbered
// from 0 by their own builder, come after the earlier half's. The corner
// list is read where it is written, so the normals need no list of their own.
void PlaceNormals(std::vector<uint32_t>& corners, const std::vector<uint32_t>& welded, CornersAround& around,
                  uint32_t laterStart, uint32_t offset) {
  std::vector<uint32_t>& next = around.first;
  for (uint32_t& corner : corners) {
    const uint32_t at = next[welded[corner]]++;
    const uint32_t normal = around.corners[at];
    corner = normal == NoNormal ? 0 : normal + (at >= laterStart ? offset : 0);
  }
}

// Computes the normals at one vertex after the other. Its corners that see
// the same set of triangles get the same normal, and it is written once. What
// the triangles around a vertex give it (their normals, their angles there)
// is measured when the vertex comes, not kept for the whole mesh: a big scan
// would hold three doubles a triangle and a float a corner for it.
class VertexNormalBuilder {
 public:
  // Writes each corner's normal over its place in around.
  VertexNormalBuilder(const TriangleMesh& mesh, CornersAround& around, double creaseDegrees)
      : mesh_(mesh), around_(around), creaseCosine_(std::cos(creaseDegrees * std::numbers::pi / 180)) {}

  // The normals of the vertices from .. to, in the order of the indices the
  // corners' places now hold.
  std::vector<std::array<float, 3>> Build(size_t from, size_t to) {
    // Most vertices give one normal.
    vectors_.reserve(to - from);
    for (size_t vertex = from; vertex < to; ++vertex) BuildVertex(vertex);
    return std::move(vectors_);
  }

 private:
  void BuildVertex(size_t vertex) {
    const uint32_t begin = around_.first[vertex], end = around_.first[vertex + 1];
    const bool needed = Measure(begin, end);
    const size_t firstNew = vectors_.size();
    whole_.reset();
    for (uint32_t at = begin; at != end; ++at) {
      uint32_t& place = around_.corners[at];
      place = needed && mesh_.needsNormals[place / 3] ? NormalIndex(CornerNormal(at - begin), firstNew)
                                                      : NoNormal;
    }
  }

  // Measures the triangles of the corners begin .. end; false when none of
  // them needs normals.
  bool Measure(uint32_t begin, uint32_t end) {
    bool needed = false;
    for (uint32_t at = begin; at != end && !needed; ++at)
      needed = mesh_.needsNormals[around_.corners[at] / 3];
    if (!needed) return false;
    triangles_.clear();
    normals_.clear();
    angles_.clear();
    for (uint32_t at = begin; at != end; ++at) {
      const uint32_t corner = around_.corners[at];
      triangles_.push_back(corner / 3);
      normals_.push_back(TriangleNormal(mesh_, corner / 3));
      angles_.push_back(AngleAt(mesh_, corner));
    }
    SortKinds();
    return true;
  }

  // At a vertex of this many corners or more, its corners are sorted into
  // kinds first; beyond MaxKinds kinds, their table would cost more than it saves.
  static constexpr size_t ManyCorners = 32, MaxKinds = 1024;

  // What SharesNormals reads of a corner beside its triangle: its normal,
  // bit for bit, and its smoothing group; then the corner, for an order.
  std::array<uint64_t, 5> KindKey(uint32_t corner) const {
    std::array<uint64_t, 5> key{};
    std::memcpy(key.data(), normals_[corner].data(), sizeof(Vector3));
    key[3] = mesh_.smoothingGroups.empty() ? 0 : mesh_.smoothingGroups[triangles_[corner]];
    key[4] = corner;
    return key;
  }

  static bool SameKind(const std::array<uint64_t, 5>& a, const std::array<uint64_t, 5>& b) {
    return std::equal(a.begin(), a.begin() + 4, b.begin());
  }

  // Corners of one kind answer SharesNormals alike with the corners of any
  // other triangle, so one of each kind is asked of one of each other kind
  // (and of one of its own on another triangle): a vertex that a hundred
  // thousand copies of a face share costs a sort, not 10^10 questions.
  void SortKinds() {
    kindOf_.clear();
    if (triangles_.size() < ManyCorners) return;
    std::vector<uint32_t> order(triangles_.size());
    for (uint32_t k = 0; k < order.size(); ++k) order[k] = k;
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return KindKey(a) < KindKey(b); });
    // Of each kind its first corner, and one on another triangle, or the first again.
    std::vector<std::array<uint32_t, 2>> kinds;
    kindOf_.resize(order.size());
    for (size_t k = 0; k < order.size(); ++k) {
      const uint32_t corner = order[k];
      if (k == 0 || !SameKind(KindKey(order[k - 1]), KindKey(corner))) {
        if (kinds.size() == MaxKinds) return kindOf_.clear();
        kinds.push_back({corner, corner});
      } else if (triangles_[kinds.back()[1]] == triangles_[kinds.back()[0]]) {
        kinds.back()[1] = corner;
      }
      kindOf_[corner] = static_cast<uint32_t>(kinds.size() - 1);
    }
    kindShares_.assign(kinds.size() * kinds.size(), false);
    for (size_t own = 0; own < kinds.size(); ++own)
      for (size_t other = 0; other < kinds.size(); ++other)
        kindShares_[own * kinds.size() + other] =
            SharesNormals(kinds[own][0], own == other ? kinds[own][1] : kinds[other][0]);
    kindSums_.assign(kinds.size(), std::nullopt);
  }

  // The weighted normals of the corners from .. to that take part, in order.
  Vector3 SumOf(size_t from, size_t to, auto takesPart) const {
    Vector3 sum{0, 0, 0};
    for (size_t other = from; other < to; ++other) {
      if (!takesPart(other)) continue;
      for (size_t k = 0; k < 3; ++k) sum[k] += angles_[other] * normals_[other][k];
    }
    return sum;
  }

  // SharedSum by kinds. Where a kind shares with itself, each of its corners
  // sums the same corners, once for all. Where it shares with no kind, only
  // its own triangle's corners count, and they lie next to it.
  Vector3 KindSum(size_t own) {
    const size_t count = kindSums_.size(), kind = kindOf_[own];
    const auto shares = [&](size_t other) { return kindShares_[kind * count + kindOf_[other]]; };
    if (kindShares_[kind * count + kind]) {
      if (!kindSums_[kind]) kindSums_[kind] = SumOf(0, triangles_.size(), shares);
      return *kindSums_[kind];
    }
    const auto row = kindShares_.begin() + static_cast<ptrdiff_t>(kind * count);
    if (std::find(row, row + static_cast<ptrdiff_t>(count), true) != row + static_cast<ptrdiff_t>(count))
      return SumOf(0, triangles_.size(), [&](size_t other) { return SharesNormals(own, other); });
    return SumOf(own < 2 ? 0 : own - 2, std::min(own + 3, triangles_.size()),
                 [&](size_t other) { return triangles_[other] == triangles_[own]; });
  }

  // Whether the triangle of the vertex's corner other takes part in the
  // normal of its corner own. One that faces more than a right angle away
  // never does, whatever the smoothing groups say: a double-sided face's
  // reversed twin would cancel the normal it joined.
  bool SharesNormals(size_t own, size_t other) const {
    if (triangles_[other] == triangles_[own]) return true;
    const Vector3& normal = normals_[own];
    const double facing = Dot(normal, normals_[other]);
    if (facing < 0) return false;
    const std::vector<uint32_t>& groups = mesh_.smoothingGroups;
    if (!groups.empty()) {
      const uint32_t group = groups[triangles_[own]];
      return group != 0 && groups[triangles_[other]] == group;
    }
    // A degenerate triangle has no direction to keep apart from.
    return facing >= creaseCosine_ || Dot(normal, normal) == 0;
  }

  // The sum of the weighted normals of the vertex's triangles that corner own
  // shares normals with, in the order of the corners. Where it shares them
  // with all, the sum is that of the whole vertex, made once.
  Vector3 SharedSum(size_t own) {
    if (!kindOf_.empty()) return KindSum(own);
    bool all = true;
    for (size_t other = 0; other < triangles_.size() && all; ++other) all = SharesNormals(own, other);
    if (all && whole_) return *whole_;
    const Vector3 sum =
        SumOf(0, triangles_.size(), [&](size_t other) { return all || SharesNormals(own, other); });
    if (all) whole_ = sum;
    return sum;
  }

  std::array<float, 3> CornerNormal(size_t own) {
    Vector3 normal = Unit(SharedSum(own));
    if (Dot(normal, normal) == 0) {
      const Vector3& triangle = normals_[own];
      normal = Dot(triangle, triangle) == 0 ? Vector3{0, 0, 1} : triangle;
    }
    return {static_cast<float>(normal[0]), static_cast<float>(normal[1]), static_cast<float>(normal[2])};
  }

  // The index of normal among those this vertex already wrote, or a new one.
  uint32_t NormalIndex(const std::array<float, 3>& normal, size_t firstNew) {
    for (size_t index = firstNew; index < vectors_.size(); ++index)
      if (vectors_[index] == normal) return static_cast<uint32_t>(index);
    vectors_.push_back(normal);
    return static_cast<uint32_t>(vectors_.size() - 1);
  }

  const TriangleMesh& mesh_;
  CornersAround& around_;
  const double creaseCosine_;
  // The builder's own, not the caller's: two builders appending to vectors
  // that share a cache line would stall each other at every normal.
  std::vector<std::array<float, 3>> vectors_;
  // Of the vertex at hand, a corner each: its triangle, that triangle's unit
  // normal, its angle there; and the sum of all its triangles, once made.
  std::vector<uint32_t> triangles_;
  std::vector<Vector3> normals_;
  std::vector<float> angles_;
  std::optional<Vector3> whole_;
  // At a vertex of many corners (SortKinds): each corner's kind, whether
  // kinds share, by the owner's kind times their count plus the other's, and
  // each self-sharing kind's sum once made.
  std::vector<uint32_t> kindOf_;
  std::vector<bool> kindShares_;
  std::vector<std::optional<Vector3>> kindSums_;
};

// Below this many corners a second thread costs more than it saves.
constexpr size_t ThreadedCorners = 1 << 16;

// The vertex after which the later half of the corners begins.
size_t MiddleVertex(const CornersAround& around) {
  const auto half = static_cast<uint32_t>(around.corners.size() / 2);
  return static_cast<size_t>(std::lower_bound(around.first.begin(), around.first.end(), half) -
                             around.first.begin());
}

}  // namespace

// Each vertex's normals depend on nothing but its own triangles, so a big
// mesh is split in two halves of its corners, one for a second thread; the
// vectors come out in the order one thread would give them.
VertexNormals ComputeVertexNormals(TriangleMesh mesh, double creaseDegrees) {
  const std::vector<uint32_t> welded = WeldPositions(mesh.positions);
  CornersAround around = GatherCorners(mesh, welded);
  const size_t vertices = around.first.size() - 1;
  const size_t middle = mesh.corners.size() < ThreadedCorners ? vertices : MiddleVertex(around);
  VertexNormals normals;
  std::vector<std::array<float, 3>> later;
  const auto buildEarlier = [&] {
    normals.vectors = VertexNormalBuilder(mesh, around, creaseDegrees).Build(0, middle);
  };
  const auto buildLater = [&] {
    later = VertexNormalBuilder(mesh, around, creaseDegrees).Build(middle, vertices);
  };
  if (middle < vertices) {
    RunTogether(buildEarlier, buildLater);
  } else {
    buildEarlier();
  }
  // The positions are done with; gone before the corner list is rewritten
  // and the halves joined, they leave room for the joined vectors.
  std::vector<Vector3>().swap(mesh.positions);
  const uint32_t laterStart = around.first[middle];
  PlaceNormals(mesh.corners, welded, around, laterStart, static_cast<uint32_t>(normals.vectors.size()));
  normals.vectors.insert(normals.vectors.end(), later.begin(), later.end());
  normals.cornerNormals = std::move(mesh.corners);
  return normals;
}

}  // namespace meshfold
