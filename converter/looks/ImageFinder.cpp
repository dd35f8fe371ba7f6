#include "converter/looks/ImageFinder.h"

#include <algorithm>
#include <vector>

#include "converter/looks/ImageHeader.h"
#include "text/OsFiles.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

// Enough for every header but a JPEG's that carries a large thumbnail first.
constexpr int32_t HeadSize = 4096;

Text Slashed(TextView path) {
  Text text(path);
  std::replace(text.begin(), text.end(), u'\\', u'/');
  return text;
}

// Where map may lie, as the OBJ file's folder leads there (unless absolute),
// in the order tried: a path from another machine ("D:\dev\x\colors.png",
// "/home/x/colors.png") leads nowhere here, but its file name may.
std::vector<Text> Candidates(TextView mtlFolder, TextView map) {
  const Text slashed = Slashed(map), folder = Slashed(mtlFolder), name(FilePart(slashed));
  std::vector<Text> candidates;
  for (Text path : {IsAbsolutePath(slashed) ? slashed : folder + slashed, slashed, folder + name, name})
    if (std::find(candidates.begin(), candidates.end(), path) == candidates.end()) candidates.push_back(path);
  return candidates;
}

}  // namespace

bool ImageFinder::Find(TextView mtlFolder, TextView map, FoundImage& image, Text& why) {
  const auto [at, fresh] = outcomes_.try_emplace({Text(mtlFolder), Text(map)});
  if (fresh) at->second = Look(mtlFolder, map);
  image = at->second.image;
  why = at->second.why;
  return at->second.found;
}

ImageFinder::Outcome ImageFinder::Look(TextView mtlFolder, TextView map) const {
  Outcome outcome;
  if (map.find(u'"') != TextView::npos) {
    outcome.why = u"has a quotation mark in its name";
    return outcome;
  }
  const std::vector<Text> candidates = Candidates(mtlFolder, map);
  Text firstError;
  for (const Text& written : candidates)
    if (Judge(written, outcome, &firstError)) return outcome;
  for (const Text& written : candidates)
    if (JudgeCaseVariant(written, outcome)) return outcome;
  outcome.why = firstError;
  return outcome;
}

bool ImageFinder::Judge(const Text& written, Outcome& outcome, Text* firstError) const {
  uint8_t head[HeadSize];
  int32_t read = 0;
  const Text location = IsAbsolutePath(written) ? written : JoinedText({objFolder_, written});
  if (const OsError error = ReadLeadingBytes(location, head, HeadSize, read); error != 0) {
    if (firstError != nullptr && firstError->empty())
      *firstError = JoinedText({u"could not be read: ", OsErrorText(error)});
    return false;
  }
  const ImageHeader header = JudgeImageHeader(head, read, read < HeadSize, written);
  outcome.image = {written, header.kind};
  outcome.why.clear();
  if (header.kind.empty()) outcome.why = u"is in a format POV-Ray cannot read";
  if (!header.broken.empty())
    outcome.why = JoinedText({u"is a broken ", header.kind, u" file: ", header.broken});
  outcome.found = outcome.why.empty();
  return true;
}

// On a file system where case counts, a name written "Colors.PNG" may be
// "colors.png" on disk; where it does not, the exact name opened already.
bool ImageFinder::JudgeCaseVariant(const Text& written, Outcome& outcome) const {
  const TextView folder = DirectoryPart(written), name = FilePart(written);
  std::vector<Text> names;
  OsError error = 0;
  const Text location = IsAbsolutePath(folder) ? Text(folder) : JoinedText({objFolder_, folder});
  if (!OsFiles().listFolder(location, names, error)) return false;
  std::sort(names.begin(), names.end());
  for (const Text& entry : names)
    if (entry != name && SameTextNoCase(entry, name) && Judge(JoinedText({folder, entry}), outcome, nullptr))
      return true;
  return false;
}

}  // namespace meshfold
