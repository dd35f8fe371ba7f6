#pragma once
// What the dialogs need of the platform; one backend per platform, chosen at
// build time.

#include <cstdint>

#include "dialogs/FileDialogRequest.h"
#include "text/Text.h"

namespace meshfold {

// Shows the file chooser. True when the user chose a file; chosenPath then
// holds its full path. False on cancel and on any failure.
bool ShowFileChooser(FileDialogRequest& request, Text& chosenPath);

// Shows a message box; returns the button that closed it, 0 on failure.
int32_t ShowMessageBox(WindowHandle owner, TextView text, TextView caption, uint32_t style);

// The owner for a dialog: the foreground window when this process owns it.
WindowHandle DialogOwner();

// Disables this thread's other windows while a dialog is up, and restores
// them; called in pairs around every platform dialog.
void BeginModal();
void EndModal();

}  // namespace meshfold
