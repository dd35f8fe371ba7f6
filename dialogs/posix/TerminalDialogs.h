#pragma once
// The dialogs in a terminal: prompts on standard error, answers read from
// standard input one line at a time, messages on standard output.

#include "dialogs/DialogPlatform.h"

namespace meshfold {

// Shows the title, the filters and the preset name, then reads a path. An
// empty line takes the preset name in the starting directory; a relative
// path is taken from the current directory; end of input cancels. A path
// whose folder does not exist is refused and asked for again.
bool TerminalFileChooser(const FileDialogRequest& request, Text& chosenPath);

// Writes caption and text, each carriage return shown as a line break, then
// waits for one line (end of input counts as OK). Returns 1.
int32_t TerminalMessageBox(TextView text, TextView caption);

}  // namespace meshfold
