#pragma once
// What the command line may choose about the include file. The defaults give
// the union of smooth triangles the interactive run writes.

namespace meshfold {

// The POV-Ray object the include file declares.
enum class IncludeForm {
  Union,  // one smooth_triangle (or triangle) line a triangle, vectors cut to three decimals
  Mesh2,  // a mesh2: every vector once with all its digits, triangles as indices
};

// Where the normals of a mesh2 come from.
enum class NormalSource {
  File,     // the file's, for a face whose every corner names one; computed for the others
  Compute,  // computed for every face, the file's ignored
  None,     // no normals: POV-Ray shades each triangle flat
};

// Which axis of the OBJ file points up; the scene turns that axis to POV-Ray's +Y.
enum class UpAxis {
  Y,  // +Y up, the front toward +Z, as most modellers write
  Z,  // +Z up, the front toward -Y, as CAD programs and Blender's own frame have it
};

struct ConversionOptions {
  IncludeForm form = IncludeForm::Union;
  NormalSource normals = NormalSource::File;
  // Faces meeting at a vertex at a wider angle than this keep apart normals
  // there, so that the edge between them stays sharp.
  double creaseDegrees = 60;
  bool groups = false;    // each "o" or "g" group a mesh2 of its own, the mesh their union
  bool scene = false;     // a scene beside the include file that renders the mesh as it is
  UpAxis up = UpAxis::Y;  // the file's up, which the scene turns upright
};

}  // namespace meshfold
