#pragma once

#include "text/Text.h"

namespace meshfold {

// What converting one OBJ file came to, told as the text of a message: the
// summary ("<name>.inc created", then the counts) or what went wrong.
struct ConversionOutcome {
  bool converted = false;
  Text message;
};

// Converts the OBJ file at objPath into the include file beside it. The include
// file is written only after the whole OBJ file was read without an error, and
// never over the OBJ file itself.
ConversionOutcome ConvertObjFile(TextView objPath);

}  // namespace meshfold
