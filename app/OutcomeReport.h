#pragma once
// How the platform tells the user about a run with arguments: on a terminal
// as each file is done, or in one message box at the end (always on Windows).

#include <vector>

#include "app/CommandLine.h"
#include "converter/ConvertObjFile.h"
#include "text/Text.h"

namespace meshfold {

// Called once per file, as soon as it was converted or failed.
void ReportFileOutcome(const ConversionOutcome& outcome, ReportPlace place);

// Called once after the last file, with the outcomes of all of them.
void ReportAllOutcomes(const std::vector<ConversionOutcome>& outcomes, ReportPlace place);

// Shows text the user asked for (the usage or the version).
void ShowInformation(TextView text, ReportPlace place);

// Tells the user the command line cannot be run: problem, then the usage.
void ReportMisuse(TextView problem, ReportPlace place);

}  // namespace meshfold
