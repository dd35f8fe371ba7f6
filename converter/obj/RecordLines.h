#pragma once
// The records of an OBJ or MTL file: its lines, except that a line whose last
// character other than blanks and tabs is a backslash goes on with the next
// line, as exporters break long face lines.

#include <cstdint>

#include "text/FileTable.h"
#include "text/StringOperations.h"
#include "text/Text.h"
#include "text/TextFileReader.h"

namespace meshfold {

class RecordLines {
 public:
  explicit RecordLines(FileHandle file) : file_(file) {}

  // True while lines remain.
  bool More() const { return !AtEnd(file_); }

  // The next record: its lines joined by one blank each, without the
  // backslashes that continued them and the blanks after those; lines becomes
  // the number of lines it took. The view stays valid until the next call.
  // Inline, with one call of ReadLine: every line of a file passes here, and
  // most continue nothing.
  TextView Next(int64_t& lines) {
    joined_.clear();
    for (lines = 1;; ++lines) {
      const TextView line = ReadLine(file_, EncodingAnsi);
      const size_t backslash = ContinuationAt(line);
      if (lines == 1 && backslash == NoBackslash) return line;
      Append(line.substr(0, backslash));
      // At the end of the data the next line is empty and continues nothing.
      if (backslash == NoBackslash) return joined_;
    }
  }

 private:
  static constexpr size_t NoBackslash = TextView::npos;

  // Where the backslash that continues line stands, or NoBackslash.
  static size_t ContinuationAt(TextView line) {
    size_t end = line.size();
    while (end > 0 && IsBlank(line[end - 1])) --end;
    return end > 0 && line[end - 1] == u'\\' ? end - 1 : NoBackslash;
  }

  // Adds a line's piece of the record, after a blank when both have units.
  void Append(TextView piece);

  FileHandle file_;
  Text joined_;
};

}  // namespace meshfold
