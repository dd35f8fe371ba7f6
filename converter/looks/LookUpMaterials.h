#pragma once
// The materials an OBJ file names, looked up in the MTL files it names.

#include <vector>

#include "converter/looks/MaterialLook.h"
#include "converter/obj/RecordStore.h"
#include "text/Text.h"

namespace meshfold {

// The look of each material number of store.MaterialNames, number 0 (no
// material) a plain light grey, from the MTL files that the OBJ file at
// objPath names with "mtllib", relative to its folder. A name with blanks is
// tried whole first, then word by word; a path from another machine, by its
// file name in that folder. Each problem adds a line to warnings: a library
// that cannot be read, a number that is none, a material no library defines
// (which looks as number 0 does), an image that cannot be used, a material
// made opaque.
std::vector<MaterialLook> LookUpMaterials(const RecordStore& store, TextView objPath, bool uvMapped,
                                          std::vector<Text>& warnings);

}  // namespace meshfold
