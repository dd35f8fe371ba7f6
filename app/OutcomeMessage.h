#pragma once

#include "converter/ConvertObjFile.h"
#include "text/Text.h"

namespace meshfold {

// The path a failed conversion is told on: the OBJ file when it could not be
// opened or read, else the include file.
TextView FailedPath(const ConversionOutcome& outcome);

// The closing message of a conversion, lines ended by CR: the summary (the
// include file's name, then the counts, then the scene's name when one was
// written), or the path failed on followed by what went wrong and the
// system's reason.
Text OutcomeMessage(const ConversionOutcome& outcome);

}  // namespace meshfold
