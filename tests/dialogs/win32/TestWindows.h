#pragma once
// Real top-level windows and captured dialog calls, for the tests of the
// Windows dialogs' owner and modal handling.

#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/win32/Win32DialogCalls.h"

namespace meshfold::testing {

struct WindowState {
  bool visible = true;
  bool enabled = true;
  bool topmost = false;
  bool operator==(const WindowState&) const = default;
};

// A window of the calling thread in state, shown without being activated;
// nullptr where the platform cannot make windows (no display).
HWND MakeWindow(const WindowState& state);

// The state window is in now.
WindowState StateOf(HWND window);

// Handles the calling thread's pending messages.
void PumpMessages();

// Makes window the foreground window; false when the platform would not.
bool BringToForeground(HWND window);

// A visible window that belongs to a thread of its own, for as long as this lives.
class OtherThreadWindow {
 public:
  explicit OtherThreadWindow(const WindowState& state);
  ~OtherThreadWindow();
  OtherThreadWindow(const OtherThreadWindow&) = delete;
  OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;
  HWND Window() const { return window_; }

 private:
  std::thread thread_;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

// What the dialogs last handed to the platform.
struct CapturedFileDialog {
  OPENFILENAMEW fields{};
  std::vector<std::u16string> filters;  // the list's strings up to its empty one
  std::u16string fileBuffer;            // all nMaxFile code units
  std::u16string initialDirectory;
  std::u16string title;
  int calls = 0;
};

struct CapturedMessageBox {
  HWND owner = nullptr;
  std::u16string text;
  std::u16string caption;
  UINT style = 0;
  int calls = 0;
};

// Puts capturing stand-ins for the platform dialogs in force while it lives.
// During each call, duringDialog runs; then the stand-in answers with
// chosenPath (written into the file buffer) and fileDialogResult, or with
// messageBoxResult.
class ScopedDialogCapture {
 public:
  ScopedDialogCapture();
  ~ScopedDialogCapture();
  ScopedDialogCapture(const ScopedDialogCapture&) = delete;
  ScopedDialogCapture& operator=(const ScopedDialogCapture&) = delete;

  CapturedFileDialog fileDialog;
  CapturedMessageBox messageBox;
  std::function<void()> duringDialog;
  std::u16string chosenPath;
  BOOL fileDialogResult = FALSE;
  int messageBoxResult = IDOK;

 private:
  const Win32DialogCalls* previous_;
};

}  // namespace meshfold::testing
