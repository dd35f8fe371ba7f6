#pragma once
// The command lines of the desktop dialog programs, built as plain data so
// that what each program is asked to show can be checked without a display.

#include <cstddef>
#include <string>
#include <vector>

#include "dialogs/FileDialogRequest.h"
#include "text/Text.h"

namespace meshfold {

// The programs that can show our dialogs on a Linux desktop.
enum class DesktopProgram { Zenity, Kdialog };

// What a desktop file chooser is asked to show.
struct FileChooserSetup {
  Text title;
  std::vector<FileFilter> filters;
  size_t selected = 0;  // 0-based; outside the list selects the first
  Text presetPath;      // the starting folder and preset name, "<folder>/<name>"
};

// The argument list (program name first) that opens the file chooser. Both
// programs start with their first filter, so the selected one is put first.
std::vector<std::string> FileChooserArguments(DesktopProgram program, const FileChooserSetup& setup);

// The argument list of a message box showing caption over text with one OK
// button; carriage returns become line breaks, and the last one is dropped.
std::vector<std::string> MessageBoxArguments(DesktopProgram program, TextView caption, TextView text);

// The environment for a dialog program, given ours as "NAME=value" entries:
// LC_CTYPE becomes C.UTF-8, since the programs print the chosen path in the
// locale's character set and a non-UTF-8 one turns other characters into '?'.
// An LC_ALL, which would override it, is moved to LANG, so that the rest of
// the locale (the dialog's language) stays as it was.
std::vector<std::string> DialogEnvironment(const std::vector<std::string>& environment);

}  // namespace meshfold
