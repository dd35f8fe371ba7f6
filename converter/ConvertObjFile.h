#pragma once

#include <cstdint>
#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/obj/StoredFaces.h"
#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

// How far converting one OBJ file came.
enum class ConversionStage {
  Converted,        // the include file was written whole
  WouldReplace,     // the include file would replace the chosen file; nothing was written
  NotOpened,        // the OBJ file could not be opened
  NotRead,          // the OBJ file could not be read whole; nothing was written
  NotWritten,       // the include file could not be created or written whole
  SceneNotWritten,  // the include file was written, the scene asked for beside it was not
};

// What converting one OBJ file came to, as data; each way of running makes
// its own words of it.
struct ConversionOutcome {
  ConversionStage stage = ConversionStage::NotOpened;
  Text objPath;  // as it was given
  Text includePath;
  Text scenePath;  // the scene's, once it is to be written
  Text baseName;
  OsError error = 0;  // why the stage failed; 0 for none, or a failure without a reason
  int64_t vertices = 0;
  int64_t normals = 0;
  int64_t faces = 0;
  int64_t triangles = 0;  // written to the include file
  // The faces that gave no triangle, for a mesh2, which has no place to say
  // so; the union says it in the include file itself.
  std::vector<StoredFace> leftOut;
  // What in the files about the look could not be used (a mesh2's materials,
  // images, libraries), a line each; the include file is written all the same.
  std::vector<Text> warnings;

  bool Converted() const { return stage == ConversionStage::Converted; }
};

// Converts the OBJ file at objPath into the include file beside it, and with
// options.scene the scene beside that. The include file, in the form options
// choose, is written only after the whole OBJ file was read without an error,
// and neither file over the OBJ file itself.
ConversionOutcome ConvertObjFile(TextView objPath, const ConversionOptions& options = {});

}  // namespace meshfold
