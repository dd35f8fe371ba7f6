#pragma once
// The dialogs in a terminal: prompts on standard error, answers read from
// standard input one line at a time, messages on standard output.

#include <initializer_list>

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

// Writes the join of parts to the descriptor fd in the system code page, each
// carriage return shown as a line break; gives up quietly when fd fails.
void WriteTerminalText(int fd, std::initializer_list<TextView> parts);

}  // namespace meshfold
