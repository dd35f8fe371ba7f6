#pragma once

#include <cstdint>

#include "text/Text.h"

namespace meshfold {

// Shows text under the caption title in a modal message box with the
// platform's style word (0: one OK button, no icon) and waits until it is
// closed. Returns the button that closed it (1 for OK), 0 when it failed.
int64_t MessageDialog(TextView title, TextView text, uint32_t style);

}  // namespace meshfold
