#include "converter/obj/ReadObjFile.h"

#include "converter/obj/ExtractRecord.h"
#include "converter/obj/RecordLines.h"
#include "text/TextFileReader.h"

namespace meshfold {

ObjReadResult ReadObjFile(TextView objPath, RecordStore& store) {
  ObjReadResult result;
  const FileHandle file = OpenTextFile(AnyHandle, objPath, result.error);
  if (file == 0) return result;
  result.opened = true;
  RecordLines records(file);
  while (records.More()) {
    int64_t lines = 0;
    ExtractRecord(records.Next(lines), store);
    // The record counted as one line, its first: later lines keep their numbers.
    store.LineCount += lines - 1;
  }
  result.error = CloseTextFile(file);
  return result;
}

}  // namespace meshfold
