// On a terminal: summaries and asked-for texts on standard output, failures
// and misuse on standard error, each carriage return shown as a line break.
// Started from the desktop entry there is no terminal to read, so --desktop
// tells the same in message boxes, as Windows does.
#include "app/OutcomeReport.h"

#include <unistd.h>

#include "app/CommandLine.h"
#include "app/ConvertGivenFiles.h"
#include "app/MessageBoxReport.h"
#include "dialogs/posix/TerminalDialogs.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

// Every message ends its last line, whatever its text ends with.
void WriteLines(int fd, TextView text) {
  const bool ended = text.empty() || text.back() == u'\r' || text.back() == u'\n';
  WriteTerminalText(fd, {text, ended ? u"" : u"\r"});
}

}  // namespace

void ReportFileOutcome(const ConversionOutcome& outcome, ReportPlace place) {
  if (place != ReportPlace::Terminal) return;
  WriteLines(outcome.Converted() ? STDOUT_FILENO : STDERR_FILENO, DescribeOutcome(outcome));
  const Text prefix = JoinedText({outcome.objPath, u": "});
  if (!outcome.warnings.empty()) WriteLines(STDERR_FILENO, WarningLines(outcome, prefix, SIZE_MAX));
  if (!outcome.leftOut.empty()) WriteLines(STDERR_FILENO, LeftOutLines(outcome, prefix, SIZE_MAX));
}

void ReportAllOutcomes(const std::vector<ConversionOutcome>& outcomes, ReportPlace place) {
  if (place == ReportPlace::MessageBox) ShowOutcomesBox(outcomes);
}

void ShowInformation(TextView text, ReportPlace place) {
  if (place == ReportPlace::MessageBox) {
    ShowInformationBox(text);
  } else {
    WriteLines(STDOUT_FILENO, text);
  }
}

void ReportMisuse(TextView problem, ReportPlace place) {
  if (place == ReportPlace::MessageBox) {
    ShowMisuseBox(problem);
  } else {
    WriteLines(STDERR_FILENO, JoinedText({u"meshfold: ", problem, u"\r", UsageText()}));
  }
}

}  // namespace meshfold
