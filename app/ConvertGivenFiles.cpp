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

namespace {

// A line for each of count notes after prefix, words(k) giving note k's; past
// limit, one line that counts the rest, what they are named by untold.
Text NoteLines(size_t count, TextView prefix, size_t limit, auto words, TextView untold) {
  Text lines;
  for (size_t note = 0; note < count && note < limit; ++note)
    AppendTexts(lines, {prefix, words(note), u"\r"});
  if (count > limit)
    AppendTexts(lines, {prefix, u"and ", IntegerToText(static_cast<int64_t>(count - limit)), untold, u"\r"});
  return lines;
}

}  // namespace

Text LeftOutLines(const ConversionOutcome& outcome, TextView prefix, size_t limit) {
  return NoteLines(
      outcome.leftOut.size(), prefix, limit, [&](size_t k) { return LeftOutWords(outcome.leftOut[k]); },
      u" more faces left out");
}

Text WarningLines(const ConversionOutcome& outcome, TextView prefix, size_t limit) {
  return NoteLines(
      outcome.warnings.size(), prefix, limit, [&](size_t k) { return outcome.warnings[k]; },
      u" more warnings");
}

int ExitCodeOf(const std::vector<ConversionOutcome>& outcomes) {
  const bool allConverted = std::all_of(outcomes.begin(), outcomes.end(),
                                        [](const ConversionOutcome& each) { return each.Converted(); });
  return allConverted ? 0 : 1;
}

}  // namespace meshfold
