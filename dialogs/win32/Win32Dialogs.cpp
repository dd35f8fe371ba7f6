// The dialogs on Windows: the common file-open dialog and the message box.
#include <windows.h>

#include <commdlg.h>

#include <cstddef>

#include "dialogs/DialogPlatform.h"
#include "dialogs/win32/Win32DialogCalls.h"

namespace meshfold {

namespace {

// The structure without its last three members, which every Windows accepts.
constexpr DWORD OpenFileNameSize = 136;
static_assert(OpenFileNameSize == offsetof(OPENFILENAMEW, pvReserved));

constexpr Win32DialogCalls PlatformCalls = {GetOpenFileNameW, MessageBoxW};
const Win32DialogCalls* installedCalls = nullptr;

const Win32DialogCalls& Calls() { return installedCalls != nullptr ? *installedCalls : PlatformCalls; }

const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

const Win32DialogCalls* InstallWin32DialogCalls(const Win32DialogCalls* calls) {
  const Win32DialogCalls* previous = installedCalls;
  installedCalls = calls;
  return previous;
}

bool ShowFileChooser(FileDialogRequest& request, Text& chosenPath) {
  OPENFILENAMEW dialog{};
  dialog.lStructSize = OpenFileNameSize;
  dialog.hwndOwner = static_cast<HWND>(request.owner);
  dialog.lpstrFilter = Wide(request.filterList);
  dialog.nFilterIndex = request.filterIndex;
  dialog.lpstrFile = reinterpret_cast<wchar_t*>(request.fileBuffer.data());
  dialog.nMaxFile = static_cast<DWORD>(request.fileBuffer.size());
  dialog.lpstrInitialDir = Wide(request.initialDirectory);
  dialog.lpstrTitle = Wide(request.title);
  dialog.Flags = request.flags;
  if (Calls().getOpenFileName(&dialog) == 0) return false;
  // The platform leaves the path NUL-ended; the last unit is a guard all the same.
  request.fileBuffer.back() = u'\0';
  chosenPath.assign(request.fileBuffer.data());
  return true;
}

int32_t ShowMessageBox(WindowHandle owner, TextView text, TextView caption, uint32_t style) {
  return Calls().messageBox(static_cast<HWND>(owner), Wide(Text(text)), Wide(Text(caption)), style);
}

WindowHandle DialogOwner() {
  const HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}

}  // namespace meshfold
