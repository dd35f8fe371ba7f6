#include "converter/RecordLines.h"

#include "text/TextFileReader.h"

namespace meshfold {

namespace {

constexpr size_t NoBackslash = TextView::npos;

// Where the backslash that continues line stands, or NoBackslash.
size_t ContinuationAt(TextView line) {
  size_t end = line.size();
  while (end > 0 && (line[end - 1] == u' ' || line[end - 1] == u'\t')) --end;
  return end > 0 && line[end - 1] == u'\\' ? end - 1 : NoBackslash;
}

}  // namespace

bool RecordLines::More() const { return !AtEnd(file_); }

TextView RecordLines::Next(int64_t& lines) {
  lines = 1;
  TextView line = ReadLine(file_, EncodingAnsi);
  size_t backslash = ContinuationAt(line);
  if (backslash == NoBackslash) return line;
  joined_.assign(line.substr(0, backslash));
  while (backslash != NoBackslash && !AtEnd(file_)) {
    line = ReadLine(file_, EncodingAnsi);
    ++lines;
    backslash = ContinuationAt(line);
    const TextView piece = line.substr(0, backslash);
    if (!piece.empty()) joined_.append(1, u' ').append(piece);
  }
  return joined_;
}

}  // namespace meshfold
