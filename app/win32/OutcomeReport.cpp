// On Windows there is no terminal to write to: files dropped onto the
// program's icon get one message box at the end that lists every outcome,
// whatever place the command line asked for.
#include "app/OutcomeReport.h"

#include "app/MessageBoxReport.h"

namespace meshfold {

void ReportFileOutcome(const ConversionOutcome& /*outcome*/, ReportPlace /*place*/) {}

void ReportAllOutcomes(const std::vector<ConversionOutcome>& outcomes, ReportPlace /*place*/) {
  ShowOutcomesBox(outcomes);
}

void ShowInformation(TextView text, ReportPlace /*place*/) { ShowInformationBox(text); }

void ReportMisuse(TextView problem, ReportPlace /*place*/) { ShowMisuseBox(problem); }

}  // namespace meshfold
