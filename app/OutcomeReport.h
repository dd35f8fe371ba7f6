#pragma once
// How the platform tells the user about a run with arguments: on a terminal
// as each file is done, on Windows in one message box at the end.

#include <vector>

#include "app/ConvertGivenFiles.h"
#include "text/Text.h"

namespace meshfold {

// Called once per file, as soon as it was converted or failed.
void ReportFileOutcome(const FileOutcome& outcome);

// Called once after the last file, with the outcomes of all of them.
void ReportAllOutcomes(const std::vector<FileOutcome>& outcomes);

// Shows text the user asked for (the usage or the version).
void ShowInformation(TextView text);

// Tells the user the command line cannot be run: problem, then the usage.
void ReportMisuse(TextView problem);

}  // namespace meshfold
