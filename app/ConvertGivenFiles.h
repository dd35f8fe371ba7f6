#pragma once
// Converting the files named on the command line, one after the other.

#include <vector>

#include "app/CommandLine.h"
#include "converter/ConvertObjFile.h"
#include "text/Text.h"

namespace meshfold {

// What came of one file given on the command line.
struct FileOutcome {
  Text file;  // as it was given
  ConversionOutcome outcome;
};

// Converts each file in turn with the naming rules of the interactive run,
// telling the user about each outcome as it comes (ReportFileOutcome, in
// place), and returns every outcome in the order of files.
std::vector<FileOutcome> ConvertGivenFiles(const std::vector<Text>& files, ReportPlace place);

// What the user is told of one outcome, lines ended by CR: the summary of a
// conversion, or the file's name followed by what went wrong.
Text DescribeOutcome(const FileOutcome& outcome);

// 0 when every file was converted, 1 otherwise.
int ExitCodeOf(const std::vector<FileOutcome>& outcomes);

}  // namespace meshfold
