#include "app/ConvertGivenFiles.h"

#include <algorithm>

#include "app/OutcomeMessage.h"
#include "text/StringOperations.h"

namespace meshfold {

std::vector<ConversionOutcome> ConvertGivenFiles(const std::vector<Text>& files,
                                                 const ConversionOptions& options,
                                                 const std::function<void(const ConversionOutcome&)>& told) {
  std::vector<ConversionOutcome> outcomes;
  for (const Text& file : files) {
    outcomes.push_back(ConvertObjFile(file, options));
    told(outcomes.back());
  }
  return outcomes;
}

Text DescribeOutcome(const ConversionOutcome& outcome) {
  // A failure names the file it failed on, which for a write is the include
  // file; the name given comes first so that every failure can be traced to it.
  const bool namesGivenFile = outcome.Converted() || FailedPath(outcome) == outcome.objPath;
  const Text message = OutcomeMessage(outcome);
  return namesGivenFile ? message : JoinedText({outcome.objPath, u"\r", message});
}

Text LeftOutLines(const ConversionOutcome& outcome, TextView prefix, size_t limit) {
  Text lines;
  for (size_t face = 0; face < outcome.leftOut.size() && face < limit; ++face)
    AppendTexts(lines, {prefix, LeftOutWords(outcome.leftOut[face]), u"\r"});
  if (outcome.leftOut.size() > limit) {
    const auto untold = static_cast<int64_t>(outcome.leftOut.size() - limit);
    AppendTexts(lines, {prefix, u"and ", IntegerToText(untold), u" more faces left out\r"});
  }
  return lines;
}

int ExitCodeOf(const std::vector<ConversionOutcome>& outcomes) {
  const bool allConverted = std::all_of(outcomes.begin(), outcomes.end(),
                                        [](const ConversionOutcome& each) { return each.Converted(); });
  return allConverted ? 0 : 1;
}

}  // namespace meshfold
