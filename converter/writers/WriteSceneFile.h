#pragma once
// A POV-Ray scene beside the include file that renders the mesh as its
// modeller showed it, as is: povray NAME.pov.

#include "converter/ConversionOptions.h"
#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

// The transformation that turns a mesh in the coordinates of an OBJ file
// whose up is up into POV-Ray's left-handed frame, +Y up and its front toward
// -z, without mirroring it.
TextView ModelTurn(UpAxis up);

// Creates or replaces the scene at scenePath. It includes includeName, turns
// the mesh declared as declared by ModelTurn(up), and frames the whole of its
// extent, at any aspect the picture is rendered at, with a camera in front, a
// little above and to the right, two lights and a background; faces without
// a texture of their own are light grey. Returns 0, or the platform error
// that stopped the writing.
OsError WriteSceneFile(TextView scenePath, TextView includeName, TextView declared, UpAxis up);

}  // namespace meshfold
