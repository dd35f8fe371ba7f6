#pragma once
// The outcome of a run with arguments told in message boxes, where no
// terminal is there to read it: always on Windows, and on Linux for --desktop.

#include <vector>

#include "converter/ConvertObjFile.h"
#include "text/Text.h"

namespace meshfold {

// What could not be used of outcome's files, then the faces that gave no
// triangle, as many of each as a message box can show, a line each.
Text NotesShown(const ConversionOutcome& outcome);

// One box under the summary caption that lists every outcome in order, an
// empty line between files.
void ShowOutcomesBox(const std::vector<ConversionOutcome>& outcomes);

// One box showing text the user asked for (the usage or the version).
void ShowInformationBox(TextView text);

// One box with the problem, an empty line, then the usage.
void ShowMisuseBox(TextView problem);

}  // namespace meshfold
