#pragma once
// The records of an OBJ or MTL file: its lines, except that a line whose last
// character other than blanks and tabs is a backslash goes on with the next
// line, as exporters break long face lines.

#include <cstdint>

#include "text/FileTable.h"
#include "text/Text.h"

namespace meshfold {

class RecordLines {
 public:
  explicit RecordLines(FileHandle file) : file_(file) {}

  // True while lines remain.
  bool More() const;

  // The next record: its lines joined by one blank each, without the
  // backslashes that continued them and the blanks after those; lines becomes
  // the number of lines it took. The view stays valid until the next call.
  TextView Next(int64_t& lines);

 private:
  FileHandle file_;
  Text joined_;
};

}  // namespace meshfold
