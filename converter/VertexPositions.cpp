#include "converter/VertexPositions.h"

#include <algorithm>
#include <limits>

#include "text/StringOperations.h"

namespace meshfold {

namespace {

// Reads "<x,y,z>" or "<x, y, z> ", the two forms the store keeps: each
// coordinate runs to a blank, a comma or the '>'. Most are plain decimals,
// read in the same look that finds their end.
Vector3 ReadPosition(TextView text) {
  Vector3 position{0, 0, 0};
  size_t at = 1;
  for (double& coordinate : position) {
    while (at < text.size() && text[at] == u' ') ++at;
    size_t end = at + ReadDecimalPrefix(text.substr(std::min(at, text.size())), coordinate);
    if (end == at || (end < text.size() && text[end] != u' ' && text[end] != u',' && text[end] != u'>')) {
      end = std::min(text.find_first_of(u" ,>", at), text.size());
      if (!TextToNumber(text.substr(at, end - at), coordinate)) coordinate = 0;
    }
    at = std::min(text.find(u',', end), text.size()) + 1;
  }
  return position;
}

}  // namespace

void VertexPositions::Prepare() {
  const double unread = std::numeric_limits<double>::quiet_NaN();
  positions_.assign(static_cast<size_t>(store_.VertexCount) + 1, {unread, 0, 0});
}

Vector3 VertexPositions::Read(uint32_t vertex) const { return ReadPosition(store_.VertexTexts.Read(vertex)); }

std::vector<Vector3> VertexPositions::TakeAll() {
  for (uint32_t vertex = 1; vertex <= store_.VertexCount; ++vertex) At(vertex);
  if (!positions_.empty()) positions_.erase(positions_.begin());
  return std::move(positions_);
}

}  // namespace meshfold
