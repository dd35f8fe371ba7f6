#include "app/MessageBoxReport.h"

#include "app/CommandLine.h"
#include "app/ConvertGivenFiles.h"
#include "app/ProgramName.h"
#include "dialogs/MessageDialog.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

constexpr uint32_t MessageStyle = 0;
// A message box cannot scroll: a few warnings and faces show what went wrong.
constexpr size_t LeftOutShown = 10;

}  // namespace

Text NotesShown(const ConversionOutcome& outcome) {
  return JoinedText({WarningLines(outcome, u"", LeftOutShown), LeftOutLines(outcome, u"", LeftOutShown)});
}

void ShowOutcomesBox(const std::vector<ConversionOutcome>& outcomes) {
  Text text;
  for (const ConversionOutcome& outcome : outcomes) {
    // An empty line between files keeps each outcome a block of its own.
    if (!text.empty()) AppendTexts(text, {u"\r"});
    AppendTexts(text, {DescribeOutcome(outcome), NotesShown(outcome)});
  }
  MessageDialog(SummaryTitle, text, MessageStyle);
}

void ShowInformationBox(TextView text) { MessageDialog(ProgramName, text, MessageStyle); }

void ShowMisuseBox(TextView problem) {
  MessageDialog(ProgramName, JoinedText({problem, u"\r\r", UsageText()}), MessageStyle);
}

}  // namespace meshfold
