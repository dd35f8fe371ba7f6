#pragma once

#include "converter/obj/RecordStore.h"
#include "text/Text.h"

namespace meshfold {

// Stores the record of the OBJ file's next line, given without its line
// terminator, when the line begins, after any blanks and tabs, with "v", "vn"
// or "f" (and, for a mesh2, "vt", "s", "usemtl", "mtllib", "o" or "g") and a
// blank or tab; every other line only counts as a line. The tests run in that order, each on what the
// one before left of the line.
void ExtractRecord(TextView line, RecordStore& store);

}  // namespace meshfold
