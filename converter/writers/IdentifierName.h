#pragma once

#include "text/Text.h"

namespace meshfold {

// True when word is one of the words POV-Ray 3.7 reserves, which no scene may declare.
bool IsReservedWord(TextView word);

// The name the include file declares for baseName: baseName itself when it is
// a POV-Ray identifier that POV-Ray 3.7 does not reserve. Otherwise every code
// unit other than an ASCII letter, digit or '_' becomes '_', a name beginning
// with a digit gets a '_' before it, and a reserved word a '_' after it.
Text DeclaredName(TextView baseName);

}  // namespace meshfold
