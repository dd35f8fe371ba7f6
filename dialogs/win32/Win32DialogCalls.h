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
  // The state of a box of dialog: BST_CHECKED when ticked; BST_UNCHECKED on failure.
  UINT(WINAPI* isDlgButtonChecked)(HWND dialog, int box);
  // Ticks (BST_CHECKED) or clears (BST_UNCHECKED) a box of dialog; zero on failure.
  BOOL(WINAPI* checkDlgButton)(HWND dialog, int box, UINT state);
  // The window of a control of dialog; nullptr on failure.
  HWND(WINAPI* getDlgItem)(HWND dialog, int control);
  // Lets the user reach window, or not; nonzero when it was disabled before.
  BOOL(WINAPI* enableWindow)(HWND window, BOOL enable);
};

// Puts calls in force (nullptr: the platform's own); returns the previous ones.
const Win32DialogCalls* InstallWin32DialogCalls(const Win32DialogCalls* calls);

// The calls in force.
const Win32DialogCalls& Win32Calls();

}  // namespace meshfold
