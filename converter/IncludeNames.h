#pragma once

#include "text/Text.h"

namespace meshfold {

// The names derived from a chosen OBJ path. BaseName is the file name less its
// last four characters, whatever they are; IncludePath is the directory part,
// BaseName and ".inc".
struct IncludeNames {
  Text BaseName;
  Text IncludePath;
};

IncludeNames DeriveIncludeNames(TextView objPath);

}  // namespace meshfold
