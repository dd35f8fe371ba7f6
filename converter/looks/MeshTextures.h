#pragma once
// The texture_list of a mesh2 and the textures each triangle takes: one for
// each material the faces name (number 0, a plain one, for faces that name
// none or one no library defines), then one for each distinct vertex colour,
// which wins over its material's pigment and keeps the rest of its look.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "converter/geometry/MeshPlan.h"
#include "converter/looks/MaterialLook.h"
#include "converter/obj/RecordStore.h"

namespace meshfold {

// A triangle's textures: none, one for the whole triangle, or one a corner.
struct TriangleTextures {
  uint32_t index[3] = {0, 0, 0};
  uint32_t count = 0;
};

class MeshTextures {
 public:
  // looks holds the look of each material number of store.MaterialNames. A
  // mesh whose materials all look as number 0 does, without vertex colours,
  // has no texture list.
  MeshTextures(const RecordStore& store, const MeshPlan& plan, std::vector<MaterialLook> looks);

  // The entries of the texture_list; 0 when there is none.
  size_t Count() const {
    return listed_ ? looks_.size() + (oneMaterial_ ? colourVertex_.size() : colourTextures_.size()) : 0;
  }

  // Texture number index of the list, "texture { ... }", as the bytes the
  // file receives; a vertex colour's is written into buffer, which the view
  // then shows.
  std::string_view Texture(size_t index, std::string& buffer) const;

  // The textures of a triangle of the plan. Inline where there are none.
  TriangleTextures Of(const PlannedTriangle& triangle) const {
    return listed_ ? ListedOf(triangle) : TriangleTextures();
  }

 private:
  // A vertex colour's texture: the colour (by its first vertex) on a material.
  struct ColourTexture {
    uint32_t vertex;
    uint32_t material;
  };

  TriangleTextures ListedOf(const PlannedTriangle& triangle) const;
  void NumberColours();
  void ListColourTextures(const MeshPlan& plan);
  uint32_t CornerTexture(uint32_t vertex, uint32_t material) const;

  const RecordStore& store_;
  std::vector<MaterialLook> looks_;
  // The texture of each look, and the rest of it that its vertex colours
  // keep, as the bytes the file receives: a million colour textures are
  // joined from them without a conversion each.
  std::vector<std::string> materialTextures_;
  std::vector<std::string> rests_;
  bool listed_ = false;
  std::vector<uint32_t> colourOf_;      // by vertex number: its colour's number, or UINT32_MAX for none
  std::vector<uint32_t> colourVertex_;  // by colour number: its first vertex
  uint32_t onlyMaterial_ = 0;           // the material of every coloured corner, when they share one
  bool oneMaterial_ = true;
  float scale_ = 0;                               // the largest colour component
  std::unordered_map<uint64_t, uint32_t> pairs_;  // colour and material to texture, when they do not
  // Each pair's texture, where the colours lie on more than one material;
  // on one, a colour's texture is its number: a scan's million need no list.
  std::vector<ColourTexture> colourTextures_;
};

}  // namespace meshfold
