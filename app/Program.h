#pragma once

namespace meshfold {

// Start-up, one conversion run and shut-down. Returns the exit code, 0.
int RunProgram();

// Readies the platform for the dialogs and the files; once, before the run.
void PlatformStartUp();

}  // namespace meshfold
