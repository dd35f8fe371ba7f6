#pragma once
// The materials of MTL files: what each says of the look of the faces that
// name it with "usemtl".

#include <unordered_map>
#include <vector>

#include "converter/geometry/Vector3.h"
#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

struct Material {
  Text name;
  Vector3 diffuse{0.8, 0.8, 0.8};  // Kd
  Vector3 specular{0, 0, 0};       // Ks
  double shininess = 0;            // Ns, the highlight's exponent
  Vector3 emission{0, 0, 0};       // Ke
  double opacity = 1;              // d, or 1 - Tr
  Text opacitySaid;                // the last d or Tr as written: "Tr 1"
  int64_t illumination = 2;        // illum; 0 and 1 have no highlight
  Text diffuseMap;                 // map_Kd: the image's path as the MTL file writes it
  Text bumpMap;                    // bump or map_Bump: the same
  double bumpSize = 1;             // its -bm
  Text folder;                     // the MTL file's folder as the OBJ file names it: where maps lie
};

// The materials read so far, each name once: the first definition wins.
struct MaterialLibrary {
  std::vector<Material> materials;
  std::unordered_map<Text, size_t> byName;
};

// Reads the MTL file at path, which the OBJ file names as shownName, into
// library. Each problem adds one line to warnings, naming the file and line:
// a number that is none, a file without any material (as a binary file is).
// Returns 0, or the platform error that kept the file from being opened or
// read whole.
OsError ReadMaterialLibrary(TextView path, TextView shownName, MaterialLibrary& library,
                            std::vector<Text>& warnings);

}  // namespace meshfold
