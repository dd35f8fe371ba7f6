#pragma once
// The POV-Ray include file as a mesh2: two comment lines (three with a
// scene), an empty line, the declaration, then every vertex, normal and uv
// vertex once, the textures of materials and vertex colours, and the triangles
// as indices into them. Faces are cut and left out as the union does it.

#include "converter/ConversionOptions.h"
#include "converter/geometry/MeshPlan.h"
#include "converter/looks/MeshTextures.h"
#include "converter/obj/RecordStore.h"
#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

// What a mesh2 is written from: the store, read with ForMesh2, its plan and
// its textures. The writer computes the normals the plan leaves to it, and
// may let go of the store's vertex texts once it has written them.
struct Mesh2Source {
  RecordStore& store;
  MeshPlan& plan;
  const MeshTextures& textures;
};

// Creates or replaces the file at includePath and writes the mesh of source
// as a mesh2 declared under the name DeclaredName makes of baseName; with
// options.groups each group as a mesh2 of its own and the name as their
// union, and with options.scene a comment on turning the model into POV-Ray's
// frame. A mesh without triangles, which POV-Ray refuses as a mesh2, is
// declared as an empty union. Returns 0 when every byte reached the file,
// else the platform error that stopped it.
OsError WriteMesh2File(TextView includePath, TextView baseName, const Mesh2Source& source,
                       const ConversionOptions& options);

}  // namespace meshfold
