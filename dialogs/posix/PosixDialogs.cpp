// The dialogs on POSIX systems: desktop dialogs where the session has a
// display and a dialog program, the terminal otherwise. There are no windows
// of our own to own a dialog or to disable around it, so the owner and the
// modal bracket are empty.
#include "dialogs/DialogPlatform.h"
#include "dialogs/posix/DesktopDialogs.h"
#include "dialogs/posix/TerminalDialogs.h"

namespace meshfold {

bool ShowFileChooser(FileDialogRequest& request, Text& chosenPath) {
  if (const auto program = FindDesktopDialogProgram(CurrentDesktopEnvironment())) {
    return DesktopFileChooser(*program, request, chosenPath);
  }
  return TerminalFileChooser(request, chosenPath);
}

int32_t ShowMessageBox(WindowHandle /*owner*/, TextView text, TextView caption, uint32_t /*style*/) {
  if (const auto program = FindDesktopDialogProgram(CurrentDesktopEnvironment())) {
    return DesktopMessageBox(*program, text, caption);
  }
  return TerminalMessageBox(text, caption);
}

WindowHandle DialogOwner() { return nullptr; }

void BeginModal() {}

void EndModal() {}

}  // namespace meshfold
