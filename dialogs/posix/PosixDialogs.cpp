// The dialogs on POSIX systems. There are no windows of our own to own a
// dialog or to disable around it, so the owner and the modal bracket are empty.
#include "dialogs/DialogPlatform.h"
#include "dialogs/posix/TerminalDialogs.h"

namespace meshfold {

bool ShowFileChooser(FileDialogRequest& request, Text& chosenPath) {
  return TerminalFileChooser(request, chosenPath);
}

int32_t ShowMessageBox(WindowHandle /*owner*/, TextView text, TextView caption, uint32_t /*style*/) {
  return TerminalMessageBox(text, caption);
}

WindowHandle DialogOwner() { return nullptr; }

void BeginModal() {}

void EndModal() {}

}  // namespace meshfold
