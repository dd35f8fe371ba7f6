#include "converter/looks/MeshTextures.h"

#include <algorithm>

#include "converter/geometry/FirstEqual.h"
#include "text/CodePage.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

constexpr uint32_t NoNumber = UINT32_MAX;

}  // namespace

MeshTextures::MeshTextures(const RecordStore& store, const MeshPlan& plan, std::vector<MaterialLook> looks)
    : store_(store), looks_(std::move(looks)) {
  // Materials that no library defines look as faces without one do: without
  // vertex colours either, the mesh is left to the texture a scene gives it.
  const auto plain = [&](const MaterialLook& look) { return look == looks_.front(); };
  listed_ = !store.VertexColours.empty() || !std::all_of(looks_.begin(), looks_.end(), plain);
  for (const MaterialLook& look : looks_) {
    materialTextures_.push_back(AnsiBytes(TextureText(look)));
    rests_.push_back(AnsiBytes(RestText(look)));
  }
  if (store.VertexColours.empty()) return;
  NumberColours();
  ListColourTextures(plan);
}

// Numbers the distinct colours in the order of their first vertices: a
// scanner's million colours need no map of their own.
void MeshTextures::NumberColours() {
  const std::vector<Colour>& colours = store_.VertexColours;
  const std::vector<uint32_t> first =
      FirstEqual(colours, [&](uint32_t vertex) { return vertex == 0 || colours[vertex] == NoColour; });
  colourOf_.assign(colours.size(), NoNumber);
  for (uint32_t vertex = 1; vertex < colours.size(); ++vertex) {
    if (first[vertex] == vertex) {
      colourOf_[vertex] = static_cast<uint32_t>(colourVertex_.size());
      colourVertex_.push_back(vertex);
      scale_ = std::max({scale_, colours[vertex][0], colours[vertex][1], colours[vertex][2]});
    } else if (first[vertex] != NoEqual) {
      colourOf_[vertex] = colourOf_[first[vertex]];
    }
  }
}

// A colour keeps the rest of its material's look; where coloured corners lie
// on faces of more than one material, each pair of colour and material is a
// texture of its own.
void MeshTextures::ListColourTextures(const MeshPlan& plan) {
  bool first = true;
  ForEachPlannedTriangle(plan, [&](const PlannedTriangle& triangle) {
    for (size_t corner : triangle.corners) {
      if (colourOf_[store_.Corners[corner]] == NoNumber) continue;
      oneMaterial_ = oneMaterial_ && (first || triangle.state.material == onlyMaterial_);
      onlyMaterial_ = first ? triangle.state.material : onlyMaterial_;
      first = false;
    }
  });
  if (oneMaterial_) return;
  ForEachPlannedTriangle(plan, [&](const PlannedTriangle& triangle) {
    for (size_t corner : triangle.corners) {
      const uint32_t colour = colourOf_[store_.Corners[corner]];
      if (colour == NoNumber) continue;
      const uint64_t key = uint64_t{colour} << 32 | triangle.state.material;
      const auto [at, added] = pairs_.try_emplace(key, static_cast<uint32_t>(colourTextures_.size()));
      if (added) colourTextures_.push_back({colourVertex_[colour], triangle.state.material});
    }
  });
}

uint32_t MeshTextures::CornerTexture(uint32_t vertex, uint32_t material) const {
  const uint32_t colour = vertex < colourOf_.size() ? colourOf_[vertex] : NoNumber;
  if (colour == NoNumber) return material;
  const auto first = static_cast<uint32_t>(looks_.size());
  return first + (oneMaterial_ ? colour : pairs_.at(uint64_t{colour} << 32 | material));
}

// A million colours make a million textures: each is written in place, its
// numbers by AppendDecimal, without a text of its own.
std::string_view MeshTextures::Texture(size_t index, std::string& buffer) const {
  if (index < looks_.size()) return materialTextures_[index];
  const size_t colourIndex = index - looks_.size();
  const ColourTexture texture =
      oneMaterial_ ? ColourTexture{colourVertex_[colourIndex], onlyMaterial_} : colourTextures_[colourIndex];
  const Colour& colour = store_.VertexColours[texture.vertex];
  // Colours beyond 1 are bytes, 0 to 255, as some scanners write them.
  const double divisor = scale_ > 1 ? 255 : 1;
  char bytes[96];
  char* const at =
      AppendDecimalVector(bytes, {colour[0] / divisor, colour[1] / divisor, colour[2] / divisor});
  const std::string& rest = rests_[texture.material];
  buffer.assign("texture { pigment { rgb ");
  buffer.append(bytes, at).append(" }").append(rest.empty() ? "" : " ").append(rest).append(" }");
  return buffer;
}

TriangleTextures MeshTextures::ListedOf(const PlannedTriangle& triangle) const {
  TriangleTextures textures;
  const uint32_t material = triangle.state.material;
  bool coloured = false;
  for (size_t k = 0; k < 3; ++k) {
    textures.index[k] = CornerTexture(store_.Corners[triangle.corners[k]], material);
    coloured = coloured || textures.index[k] != material;
  }
  // Three corners of one colour need no interpolation.
  const bool alike = textures.index[0] == textures.index[1] && textures.index[1] == textures.index[2];
  textures.count = coloured && !alike ? 3 : 1;
  return textures;
}

}  // namespace meshfold
