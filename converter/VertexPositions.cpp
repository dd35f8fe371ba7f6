#include "converter/VertexPositions.h"

#include <algorithm>

#include "text/StringOperations.h"

namespace meshfold {

namespace {

TextView TrimBlanks(TextView text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

// Reads "<x,y,z>" or "<x, y, z> ", the two forms the store keeps.
Vector3 ReadPosition(TextView text) {
  Vector3 position{0, 0, 0};
  if (text.size() < 2) return position;
  TextView rest = text.substr(1, text.find(u'>') - 1);
  for (double& coordinate : position) {
    const size_t comma = std::min(rest.find(u','), rest.size());
    if (!TextToNumber(TrimBlanks(rest.substr(0, comma)), coordinate)) coordinate = 0;
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return position;
}

}  // namespace

void VertexPositions::Prepare() {
  const auto count = static_cast<size_t>(store_.VertexCount) + 1;
  positions_.resize(count);
  known_.resize(count);
}

void VertexPositions::Read(uint32_t vertex) {
  positions_[vertex] = ReadPosition(store_.VertexTexts.Read(vertex));
  known_[vertex] = true;
}

std::vector<Vector3> VertexPositions::TakeAll() {
  if (known_.empty()) Prepare();
  for (uint32_t vertex = 1; vertex <= store_.VertexCount; ++vertex)
    if (!known_[vertex]) Read(vertex);
  positions_.erase(positions_.begin());
  known_.clear();
  return std::move(positions_);
}

}  // namespace meshfold
