#pragma once
// The POV-Ray include file as a mesh2: two comment lines, an empty line, the
// declaration, then every vertex, normal and texture vertex once, and the
// triangles as indices into them. Faces are fanned and left out as the union
// does it.

#include "converter/ConversionOptions.h"
#include "converter/RecordStore.h"
#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

// Creates or replaces the file at includePath and writes the mesh of store, read
// with KeepExact, as a mesh2 declared under the name DeclaredName makes of
// baseName; options choose its normals. A mesh without triangles, which POV-Ray
// refuses as a mesh2, is declared as an empty union. Returns 0 when every byte
// reached the file, else the platform error that stopped it.
OsError WriteMesh2File(TextView includePath, TextView baseName, const RecordStore& store,
                       const ConversionOptions& options);

}  // namespace meshfold
