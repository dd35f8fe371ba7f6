// On a terminal: summaries and asked-for texts on standard output, failures
// and misuse on standard error, each carriage return shown as a line break.
// Started from the desktop entry there is no terminal to read, so --desktop
// tells the same in message boxes, as Windows does.
#include "app/OutcomeReport.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "app/CommandLine.h"
#include "app/MessageBoxReport.h"
#include "text/CodePage.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

void WriteLines(int fd, TextView text) {
  std::string bytes;
  TextToAnsi(text, bytes);
  std::replace(bytes.begin(), bytes.end(), '\r', '\n');
  if (!bytes.empty() && bytes.back() != '\n') bytes += '\n';
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    done += static_cast<size_t>(written);
  }
}

}  // namespace

void ReportFileOutcome(const FileOutcome& outcome, ReportPlace place) {
  if (place != ReportPlace::Terminal) return;
  WriteLines(outcome.outcome.converted ? STDOUT_FILENO : STDERR_FILENO, DescribeOutcome(outcome));
}

void ReportAllOutcomes(const std::vector<FileOutcome>& outcomes, ReportPlace place) {
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
