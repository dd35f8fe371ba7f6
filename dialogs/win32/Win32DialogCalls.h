#pragma once
// The platform dialog calls of the Windows backend, replaceable so that tests
// can see exactly what the dialogs hand to the platform. Backend and tests only.

#include <windows.h>

#include <commdlg.h>

namespace meshfold {

struct Win32DialogCalls {
  // Shows the file-open dialog that request describes; nonzero when a file was chosen.
  BOOL(WINAPI* getOpenFileName)(OPENFILENAMEW* request);
  // Shows a message box; the button that closed it, 0 on failure.
  int(WINAPI* messageBox)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);
};

// Puts calls in force (nullptr: the platform's own); returns the previous ones.
const Win32DialogCalls* InstallWin32DialogCalls(const Win32DialogCalls* calls);

}  // namespace meshfold
