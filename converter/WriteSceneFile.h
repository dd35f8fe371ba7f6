#pragma once
// A POV-Ray scene beside the include file that renders the mesh as its
// modeller showed it, as is: povray NAME.pov.

#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

// Creates or replaces the scene at scenePath. It includes includeName, turns
// the mesh declared as declared into POV-Ray's left-handed frame without
// mirroring it (the OBJ file's +Z front toward the camera, +Y up), and frames
// it by its own extent: a camera in front, a little above and to the right,
// two lights and a background; faces without a texture of their own are light
// grey. Returns 0, or the platform error that stopped
// the writing.
OsError WriteSceneFile(TextView scenePath, TextView includeName, TextView declared);

}  // namespace meshfold
