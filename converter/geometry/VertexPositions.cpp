#include "converter/geometry/VertexPositions.h"

#include <algorithm>
#include <limits>

#include "converter/RunTogether.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

bool EndsCoordinate(char unit) { return unit == ' ' || unit == ',' || unit == '>'; }

}  // namespace

// Each coordinate runs to a blank, a comma or the '>'. Most are short
// decimals, read in the same look that finds their end.
Vector3 ReadVectorText(AsciiView text) {
  Vector3 position{0, 0, 0};
  const char* at = text.data() + 1;
  const char* const end = text.data() + text.size();
  for (double& coordinate : position) {
    while (at != end && *at == ' ') ++at;
    const char* stop = at + ReadDecimalPrefix(AsciiView(at, static_cast<size_t>(end - at)), coordinate);
    if (stop == at || (stop != end && !EndsCoordinate(*stop))) {
      stop = std::find_if(at, end, EndsCoordinate);
      if (!TextToNumber(AsciiView(at, static_cast<size_t>(stop - at)), coordinate)) coordinate = 0;
    }
    at = std::find(stop, end, ',');
    if (at != end) ++at;
  }
  return position;
}

void VertexPositions::Prepare() {
  const double unread = std::numeric_limits<double>::quiet_NaN();
  positions_.assign(static_cast<size_t>(store_.VertexCount) + 1, {unread, 0, 0});
}

Vector3 VertexPositions::Read(uint32_t vertex) const {
  return ReadVectorText(store_.VertexTexts.Read(vertex));
}

void VertexPositions::ReadAll() {
  if (positions_.empty()) Prepare();
  RunInHalves(store_.VertexCount, [this](uint32_t vertex) { At(vertex); });
}

std::vector<Vector3> VertexPositions::TakeAll() {
  ReadAll();
  return std::move(positions_);
}

}  // namespace meshfold
