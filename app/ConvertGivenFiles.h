#pragma once
// Converting the files named on the command line, one after the other.

#include <functional>
#include <vector>

#include "converter/ConvertObjFile.h"
#include "text/Text.h"

namespace meshfold {

// Converts each file in turn with the naming rules of the interactive run, in
// the form options choose, handing each outcome to told as soon as it is
// known, and returns every outcome in the order of files.
std::vector<ConversionOutcome> ConvertGivenFiles(const std::vector<Text>& files,
                                                 const ConversionOptions& options,
                                                 const std::function<void(const ConversionOutcome&)>& told);

// What the command line tells of one outcome, lines ended by CR: the closing
// message of the interactive run, after the file's name as it was given when
// the message names another file (the include file).
Text DescribeOutcome(const ConversionOutcome& outcome);

// The faces of outcome that gave no triangle, a line each after prefix, ended
// by CR; past limit lines, one more that says how many faces it leaves untold.
Text LeftOutLines(const ConversionOutcome& outcome, TextView prefix, size_t limit);

// What could not be used of outcome's files about the look, a line each after
// prefix, ended by CR; past limit lines, one more that says how many it
// leaves untold.
Text WarningLines(const ConversionOutcome& outcome, TextView prefix, size_t limit);

// 0 when every file was converted, 1 otherwise.
int ExitCodeOf(const std::vector<ConversionOutcome>& outcomes);

}  // namespace meshfold
