#pragma once
// The dialogs on a Linux desktop, shown by zenity or kdialog. The program is
// started directly with its arguments, never through a shell.

#include <cstdint>
#include <optional>
#include <string>

#include "dialogs/DialogPlatform.h"
#include "dialogs/posix/DesktopDialogArguments.h"

namespace meshfold {

// What decides whether this session has desktop dialogs.
struct DesktopEnvironment {
  std::string display;         // DISPLAY, "" when unset
  std::string waylandDisplay;  // WAYLAND_DISPLAY, "" when unset
  std::string searchPath;      // PATH
};

// The environment of this process.
DesktopEnvironment CurrentDesktopEnvironment();

// A dialog program found on the search path.
struct DesktopDialogProgram {
  DesktopProgram kind;
  std::string executable;  // the path it was found at
};

// zenity, else kdialog, when a display is set and the program is an
// executable file in a folder of the search path (empty entries, which
// would mean the current directory, are passed over). Nothing otherwise.
std::optional<DesktopDialogProgram> FindDesktopDialogProgram(const DesktopEnvironment& environment);

// Shows the file chooser; true with chosenPath set when the user chose a
// file, false on cancel and on any failure of the program. A starting
// directory that does not exist here (as "C:" does not) gives way to the
// current directory.
bool DesktopFileChooser(const DesktopDialogProgram& program, const FileDialogRequest& request,
                        Text& chosenPath);

// Shows caption and text until the user closes the box. Returns 1, or 0 when
// the program could not be run or failed.
int32_t DesktopMessageBox(const DesktopDialogProgram& program, TextView text, TextView caption);

}  // namespace meshfold
