#pragma once

#include "converter/obj/RecordStore.h"
#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

// How reading an OBJ file ended.
struct ObjReadResult {
  bool opened = false;  // false: the file could not be opened, error says why
  OsError error = 0;    // the open's error, or the first read error; 0 if none
};

// Hands every record of the OBJ file at objPath (RecordLines) to
// ExtractRecord, in file order, and closes the file again. A big file's
// lines are read on a second thread, ahead of the records' extraction here.
ObjReadResult ReadObjFile(TextView objPath, RecordStore& store);

}  // namespace meshfold
