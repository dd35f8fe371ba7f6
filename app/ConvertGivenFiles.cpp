#include "app/ConvertGivenFiles.h"

#include <algorithm>

#include "app/OutcomeReport.h"
#include "text/StringOperations.h"

namespace meshfold {

std::vector<FileOutcome> ConvertGivenFiles(const std::vector<Text>& files, ReportPlace place) {
  std::vector<FileOutcome> outcomes;
  for (const Text& file : files) {
    outcomes.push_back({file, ConvertObjFile(file)});
    ReportFileOutcome(outcomes.back(), place);
  }
  return outcomes;
}

Text DescribeOutcome(const FileOutcome& outcome) {
  const Text& message = outcome.outcome.message;
  // A failure names the file it failed on, which for a write is the include
  // file; the name given comes first so that every failure can be traced to it.
  const bool namesGivenFile = message.starts_with(JoinedText({outcome.file, u"\r"}));
  if (outcome.outcome.converted || namesGivenFile) return message;
  return JoinedText({outcome.file, u"\r", message});
}

int ExitCodeOf(const std::vector<FileOutcome>& outcomes) {
  const bool allConverted = std::all_of(outcomes.begin(), outcomes.end(),
                                        [](const FileOutcome& each) { return each.outcome.converted; });
  return allConverted ? 0 : 1;
}

}  // namespace meshfold
