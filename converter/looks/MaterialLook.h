#pragma once
// A material as POV-Ray draws it: what of the look MTL files describe each
// part of a POV-Ray texture takes.

#include <optional>
#include <variant>
#include <vector>

#include "converter/geometry/Vector3.h"
#include "converter/looks/ImageFinder.h"
#include "converter/looks/MaterialLibrary.h"
#include "text/Text.h"

namespace meshfold {

// Where the images a material names are looked for, and whether the mesh can
// lay them on.
struct ImageSetting {
  ImageFinder& images;  // of the OBJ file, whose folder a scene beside it stands in
  bool uvMapped;        // every triangle has texture coordinates
};

// What a material's texture is made of, each number as the texture writes it
// (to a millionth) and each part only where it writes one: equal looks write
// equal textures, and only they do.
struct MaterialLook {
  struct Highlight {
    double phong;
    double size;
    bool operator==(const Highlight&) const = default;
  };
  struct Bump {
    FoundImage image;
    double size;
    bool operator==(const Bump&) const = default;
  };

  std::variant<Vector3, FoundImage> pigment;  // Kd, or the map_Kd image that stands instead
  std::optional<double> transmit;             // of the pigment, where it transmits anything
  std::optional<Highlight> highlight;         // Ks and Ns as a phong
  std::optional<Vector3> emission;            // Ke
  std::optional<Bump> bump;                   // the bump image and its -bm

  bool operator==(const MaterialLook&) const = default;
};

// The look of material: Kd as the colour (transmitting 1 - d, but nothing
// where that would be all), Ks and Ns as a phong highlight (none for illum 0
// and 1), Ke as emission, map_Kd as a uv-mapped image and bump as a bump map.
// An image that is missing, in a format POV-Ray cannot read, broken, or that
// the mesh cannot lay on, gives way to the colour (or to no bump); each such
// thing, and a material made opaque, adds a line to warnings.
MaterialLook LookOf(const Material& material, const ImageSetting& setting, std::vector<Text>& warnings);

// All of look's texture but its pigment, "finish { ... } normal { ... }";
// "" when POV-Ray's defaults serve.
Text RestText(const MaterialLook& look);

// "texture { pigment { ... } rest }" of look.
Text TextureText(const MaterialLook& look);

}  // namespace meshfold
