#pragma once
// The records read from an OBJ file: the vector texts of its vertices and
// normals, and the corners of its faces, numbered from 1 as OBJ numbers them;
// for a mesh2 also its uv vertices, vertex colours, materials, libraries,
// groups and smoothing groups.

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "text/ChunkedArray.h"
#include "text/TextArray.h"

namespace meshfold {

// The record numbers of one face corner, resolved when the face line was read:
// relative indices are already absolute here. 0 names no record.
struct Corner {
  uint32_t vertex;
  uint32_t normal;
};

// Each face line is one head entry, then its corners. The head's vertex is the
// corner count; its normal is the count of lines since the previous face line
// less one (0 for consecutive face lines), or LineEscape. When a corner's
// vertex is 0, one more entry holds the first such index as the line wrote it
// (an int64_t, low word first). The vertices and the normals of the entries
// are kept apart, the normals only up to the last that is not 0: a scan
// without normals costs four bytes a corner, one with them eight.
inline constexpr uint32_t LineEscape = UINT32_MAX;  // the next entry holds the line number, low word first

using CornerList = ChunkedArray<uint32_t>;

// The upper bound the record arrays start with. Records beyond it are kept:
// the arrays grow as records come.
inline constexpr int64_t RecordLimit = 100000;

// The uv vertex each Corners entry names, entry for entry, up to the last
// that names one; 0 for none and for the entries that are not corners.
using UvList = CornerList;

// What the lines before a face said of it.
struct FaceState {
  int64_t smoothing = 0;  // its smoothing group; 0 for none ("s off", and before any "s")
  uint32_t material = 0;  // its "usemtl" name in MaterialNames; 0 for none
  uint32_t group = 0;     // its "o" or "g" name in GroupNames; 0 before any
};

// From face number firstFace on, until the next run, faces are in state.
struct FaceRun {
  int64_t firstFace;
  FaceState state;
};

// Names as a file first gives them, each once, numbered from 1; 0 names none.
class NameList {
 public:
  // The number of name, a new one when it is new; 0 for "".
  uint32_t Number(TextView name);
  // The name numbered number; "" for 0.
  TextView Name(uint32_t number) const { return names_[number]; }
  // The names' count, 0 among them.
  size_t Count() const { return names_.size(); }

 private:
  std::vector<Text> names_{Text()};
  std::unordered_map<Text, uint32_t> numbers_;
};

// A vertex colour as the file gives it; NoColour for a vertex without one.
using Colour = std::array<float, 3>;
inline constexpr Colour NoColour = {-1, -1, -1};

struct RecordStore {
  // Vectors keep every digit as "<x,y,z>", and the uv vertices, colours and
  // the "s", "usemtl", "mtllib", "o" and "g" lines are kept too: what a mesh2
  // needs. Otherwise vectors are cut to three decimals as "<x, y, z> ", as the
  // union writes them, and the rest is not kept.
  bool ForMesh2 = false;
  int64_t VertexCount = 0;
  int64_t NormalCount = 0;
  int64_t FaceCount = 0;
  int64_t LineCount = 0;     // lines read so far, the number of the last
  int64_t LastFaceLine = 0;  // number of the last face line read
  TextArray VertexTexts;     // vector text of each vertex, element 0 empty; a mesh2 lets go of them
  TextArray NormalTexts;     // vector text of each normal, element 0 empty
  int64_t UvCount = 0;       // only when ForMesh2
  TextArray UvTexts;         // "<u,v>" of each uv vertex, element 0 empty
  UvList Uvs;                // only when ForMesh2
  // What a mesh2 needs of the look of the faces, only when ForMesh2:
  std::vector<FaceRun> FaceRuns;  // empty while no "s", "usemtl", "o" or "g" line came
  bool HasSmoothing = false;      // an "s" line came: smoothing groups decide the normals
  NameList MaterialNames;
  NameList GroupNames;
  std::vector<Text> MaterialLibraries;  // what follows each "mtllib"
  std::vector<Colour> VertexColours;    // by vertex number, element 0 unused; empty without colours
  CornerList Corners;                   // every face line in turn, from element 0: the vertex of each entry
  CornerList CornerNormals;             // the normal of each entry, up to the last that is not 0
  size_t CornerEnd = 0;                 // entries of Corners in use
  Text Fields;                          // a record's fields set apart by single blanks
};

// Empties store and gives it arrays with the upper bound RecordLimit; forMesh2
// sets ForMesh2.
void CreateRecordStore(RecordStore& store, bool forMesh2 = false);

// Sets the entry at of a list kept up to its last entry that is not 0.
[[gnu::always_inline]] inline void SetSparse(CornerList& list, size_t at, uint32_t value) {
  if (value == 0) return;
  list.GrowTo(at);
  list[at] = value;
}

// Entry at of a list kept up to its last entry that is not 0.
[[gnu::always_inline]] inline uint32_t ReadSparse(const CornerList& list, size_t at) {
  return at < list.size() ? list[at] : 0;
}

// Appends entry to store.Corners and store.CornerNormals, and uv to
// store.Uvs: a file without normals or uv vertices costs no room for them.
[[gnu::always_inline]] inline void AppendCorner(RecordStore& store, Corner entry, uint32_t uv = 0) {
  store.Corners.GrowTo(store.CornerEnd);
  SetSparse(store.Uvs, store.CornerEnd, uv);
  SetSparse(store.CornerNormals, store.CornerEnd, entry.normal);
  store.Corners[store.CornerEnd++] = entry.vertex;
}

// The normal the Corners entry at `at` names; 0 for none.
[[gnu::always_inline]] inline uint32_t CornerNormal(const RecordStore& store, size_t at) {
  return ReadSparse(store.CornerNormals, at);
}

// The Corners entry at `at`, both its numbers.
[[gnu::always_inline]] inline Corner CornerAt(const RecordStore& store, size_t at) {
  return {store.Corners[at], CornerNormal(store, at)};
}

// The uv vertex the Corners entry at `at` names; 0 for none.
inline uint32_t CornerUv(const RecordStore& store, size_t at) { return ReadSparse(store.Uvs, at); }

// For each normal number from 0 (none, false), whether its vector text has a
// direction: some digit before an exponent is not 0. POV-Ray never draws a
// smooth_triangle with a zero normal, and turns a mesh2's into <1,0,0>.
std::vector<bool> DirectedNormals(const RecordStore& store);

// Whether normal names a stored normal with a direction, as directed (from
// DirectedNormals) tells; 0 and numbers beyond the stored normals name none.
inline bool NamesDirectedNormal(const std::vector<bool>& directed, uint32_t normal) {
  return normal < directed.size() && directed[normal];
}

// Vector text of vertex number, "" when no such vertex was read.
inline AsciiView VertexVector(const RecordStore& store, int64_t number) {
  return number >= 1 && number <= store.VertexCount ? store.VertexTexts.Read(number) : AsciiView();
}

// Vector text of normal number, "" when no such normal was read.
inline AsciiView NormalVector(const RecordStore& store, int64_t number) {
  return number >= 1 && number <= store.NormalCount ? store.NormalTexts.Read(number) : AsciiView();
}

// "<u,v>" of uv vertex number, "" when no such uv vertex was read.
inline AsciiView UvVector(const RecordStore& store, int64_t number) {
  return number >= 1 && number <= store.UvCount ? store.UvTexts.Read(number) : AsciiView();
}

}  // namespace meshfold
