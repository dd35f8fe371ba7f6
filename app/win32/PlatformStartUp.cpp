#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/Program.h"

namespace meshfold {

namespace {

// ICC_TAB_CLASSES | ICC_HOTKEY_CLASS | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES.
constexpr DWORD CommonControlClasses = 0x00000B48;
static_assert(CommonControlClasses == (ICC_TAB_CLASSES | ICC_HOTKEY_CLASS | ICC_DATE_CLASSES |
                                       ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES));

}  // namespace

// The dialogs need the common controls registered and COM on this thread.
// Neither result matters: the dialogs work or fail on their own terms, and COM
// stays initialised until the process ends.
void PlatformStartUp() {
  INITCOMMONCONTROLSEX controls{};
  static_assert(sizeof(controls) == 8);
  controls.dwSize = sizeof(controls);
  controls.dwICC = CommonControlClasses;
  InitCommonControlsEx(&controls);
  CoInitialize(nullptr);
}

}  // namespace meshfold
