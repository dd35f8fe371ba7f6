#pragma once
// A material as POV-Ray draws it: what of the look MTL files describe each
// part of a POV-Ray texture takes.

#include <vector>

#include "converter/looks/ImageFinder.h"
#include "converter/looks/MaterialLibrary.h"
#include "converter/obj/RecordStore.h"
#include "text/Text.h"

namespace meshfold {

// Where the images a material names are looked for, and whether the mesh can
// lay them on.
struct ImageSetting {
  ImageFinder& images;  // of the OBJ file, whose folder a scene beside it stands in
  bool uvMapped;        // every triangle has texture coordinates
};

// A material's pigment, and everything else its texture holds.
struct MaterialLook {
  Text pigment;  // "pigment { ... }"
  Text rest;     // finish and normal, "" when POV-Ray's defaults serve
};

// The look of material: Kd as the colour (transmitting 1 - d, but nothing
// where that would be all), Ks and Ns as a phong highlight (none for illum 0
// and 1), Ke as emission, map_Kd as a uv-mapped image and bump as a bump map.
// An image that is missing, in a format POV-Ray cannot read, broken, or that
// the mesh cannot lay on, gives way to the colour (or to no bump); each such
// thing, and a material made opaque, adds a line to warnings.
MaterialLook LookOf(const Material& material, const ImageSetting& setting, std::vector<Text>& warnings);

// "texture { pigment ... rest }".
Text TextureText(TextView pigment, TextView rest);

}  // namespace meshfold
