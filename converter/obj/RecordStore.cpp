#include "converter/obj/RecordStore.h"

namespace meshfold {

namespace {

// False for a vector text, in either form the store keeps, whose every digit
// before an exponent is 0.
bool HasDirection(AsciiView vector) {
  bool mantissa = true;
  for (const char unit : vector) {
    if (mantissa && unit >= '1' && unit <= '9') return true;
    mantissa = unit == ',' || (mantissa && unit != 'e' && unit != 'E');
  }
  return false;
}

}  // namespace

uint32_t NameList::Number(TextView name) {
  if (name.empty()) return 0;
  const auto [at, added] = numbers_.try_emplace(Text(name), static_cast<uint32_t>(names_.size()));
  if (added) names_.emplace_back(name);
  return at->second;
}

std::vector<bool> DirectedNormals(const RecordStore& store) {
  std::vector<bool> directed(static_cast<size_t>(store.NormalCount) + 1);
  for (int64_t normal = 1; normal <= store.NormalCount; ++normal)
    directed[static_cast<size_t>(normal)] = HasDirection(store.NormalTexts.Read(normal));
  return directed;
}

void CreateRecordStore(RecordStore& store, bool forMesh2) {
  store.ForMesh2 = forMesh2;
  store.VertexCount = 0;
  store.NormalCount = 0;
  store.FaceCount = 0;
  store.LineCount = 0;
  store.LastFaceLine = 0;
  store.VertexTexts.Create(RecordLimit);
  store.NormalTexts.Create(RecordLimit);
  store.Corners.Clear();
  store.Corners.GrowTo(static_cast<size_t>(RecordLimit) * 4);
  store.CornerNormals.Clear();
  store.CornerEnd = 0;
  store.UvCount = 0;
  store.UvTexts.Create(forMesh2 ? RecordLimit : -1);
  store.Uvs.Clear();
  store.FaceRuns.clear();
  store.HasSmoothing = false;
  store.MaterialNames = {};
  store.GroupNames = {};
  store.MaterialLibraries.clear();
  store.VertexColours.clear();
}

}  // namespace meshfold
