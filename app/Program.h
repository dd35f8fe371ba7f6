#pragma once

#include <vector>

#include "text/Text.h"

namespace meshfold {

// Start-up, then what the arguments (the program's own name not among them)
// ask for, then shut-down. Without arguments: one interactive conversion run,
// exit code 0. With file names: each converted, exit code 0 when all were and
// 1 otherwise. --help and --version: exit code 0; an unknown option: 2.
// --desktop changes only where the user is told, never the exit code.
int RunProgram(const std::vector<Text>& arguments);

// Readies the platform for the dialogs and the files; once, before the run.
void PlatformStartUp();

}  // namespace meshfold
