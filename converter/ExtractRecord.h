#pragma once

#include "converter/RecordStore.h"
#include "text/Text.h"

namespace meshfold {

// Stores the record of one OBJ line, given without its line terminator, when
// the line begins with "v ", "vn " or "f "; every other line changes nothing.
// The tests run in that order, each on what the one before left of the line.
void ExtractRecord(TextView line, RecordStore& store);

}  // namespace meshfold
