#include "dialogs/MessageDialog.h"

#include "dialogs/DialogPlatform.h"

namespace meshfold {

int64_t MessageDialog(TextView title, TextView text, uint32_t style) {
  const WindowHandle owner = DialogOwner();
  BeginModal();
  const int32_t button = ShowMessageBox(owner, text, title, style);
  EndModal();
  return button;
}

}  // namespace meshfold
