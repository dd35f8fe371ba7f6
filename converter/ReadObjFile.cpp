#include "converter/ReadObjFile.h"

#include "converter/ExtractRecord.h"
#include "text/TextFileReader.h"

namespace meshfold {

ObjReadResult ReadObjFile(TextView objPath, RecordStore& store) {
  ObjReadResult result;
  const FileHandle file = OpenTextFile(AnyHandle, objPath, result.error);
  if (file == 0) return result;
  result.opened = true;
  while (!AtEnd(file)) ExtractRecord(ReadLine(file, EncodingAnsi), store);
  result.error = CloseTextFile(file);
  return result;
}

}  // namespace meshfold
