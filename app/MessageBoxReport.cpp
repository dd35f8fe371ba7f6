#include "app/MessageBoxReport.h"

#include "app/CommandLine.h"
#include "dialogs/MessageDialog.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

// The caption of the interactive run's closing message, so that both ways
// of running end alike.
constexpr TextView SummaryTitle = u"Meshfold 0.1  k.dorsel 11.21.23";
constexpr uint32_t MessageStyle = 0;

}  // namespace

void ShowOutcomesBox(const std::vector<FileOutcome>& outcomes) {
  Text text;
  for (const FileOutcome& outcome : outcomes) {
    // An empty line between files keeps each outcome a block of its own.
    if (!text.empty()) AppendTexts(text, {u"\r"});
    AppendTexts(text, {DescribeOutcome(outcome)});
  }
  MessageDialog(SummaryTitle, text, MessageStyle);
}

void ShowInformationBox(TextView text) { MessageDialog(u"Meshfold", text, MessageStyle); }

void ShowMisuseBox(TextView problem) {
  MessageDialog(u"Meshfold", JoinedText({problem, u"\r\r", UsageText()}), MessageStyle);
}

}  // namespace meshfold
