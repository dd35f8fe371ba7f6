#pragma once
// Paths as the POSIX dialogs handle them: texts that become native bytes in
// the system code page, made full from the current directory.

#include <string>

#include "dialogs/DialogPlatform.h"
#include "text/Text.h"

namespace meshfold {

// True when path names an existing folder.
bool IsDirectory(TextView path);

// The process's current directory, "." when it cannot be learnt.
Text CurrentDirectory();

// name inside folder, with one slash between them.
Text PathInFolder(TextView folder, TextView name);

// path itself when it is absolute, else the same path in the current directory.
Text AbsolutePath(TextView path);

// The starting directory made absolute; the current directory where none is
// given or it is no folder here (as "C:" is not).
Text StartingFolder(TextView initialDirectory);

// The name preset in the request's file buffer, up to its first NUL.
TextView PresetName(const FileDialogRequest& request);

}  // namespace meshfold
