// On Windows there is no terminal to write to: files dropped onto the
// program's icon get one message box at the end that lists every outcome.
#include "app/OutcomeReport.h"

#include "app/CommandLine.h"
#include "dialogs/MessageDialog.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

constexpr TextView SummaryTitle = u"Meshfold 0.1  k.dorsel 11.21.23";
constexpr uint32_t MessageStyle = 0;

}  // namespace

void ReportFileOutcome(const FileOutcome& /*outcome*/) {}

void ReportAllOutcomes(const std::vector<FileOutcome>& outcomes) {
  Text text;
  for (const FileOutcome& outcome : outcomes) {
    // An empty line between files keeps each outcome a block of its own.
    if (!text.empty()) AppendTexts(text, {u"\r"});
    AppendTexts(text, {DescribeOutcome(outcome)});
  }
  MessageDialog(SummaryTitle, text, MessageStyle);
}

void ShowInformation(TextView text) { MessageDialog(u"Meshfold", text, MessageStyle); }

void ReportMisuse(TextView problem) {
  MessageDialog(u"Meshfold", JoinedText({problem, u"\r\r", UsageText()}), MessageStyle);
}

}  // namespace meshfold
