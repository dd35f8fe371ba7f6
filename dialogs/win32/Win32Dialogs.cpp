// The dialogs on Windows: the common file-open dialog and the message box.
#include <windows.h>

#include <commdlg.h>

#include <cstddef>
#include <vector>

#include "dialogs/DialogPlatform.h"
#include "dialogs/win32/FormBoxes.h"
#include "dialogs/win32/Win32DialogCalls.h"

namespace meshfold {

namespace {

// The structure without its last three members, which every Windows accepts.
constexpr DWORD OpenFileNameSize = 136;
static_assert(OpenFileNameSize == offsetof(OPENFILENAMEW, pvReserved));

// The boxes' hook and template, with sizing kept, which a hook would otherwise turn off.
constexpr DWORD FormBoxFlags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_ENABLESIZING;

constexpr Win32DialogCalls PlatformCalls = {GetOpenFileNameW, MessageBoxW, IsDlgButtonChecked,
                                            CheckDlgButton,   GetDlgItem,  EnableWindow};
const Win32DialogCalls* installedCalls = nullptr;

const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

const Win32DialogCalls* InstallWin32DialogCalls(const Win32DialogCalls* calls) {
  const Win32DialogCalls* previous = installedCalls;
  installedCalls = calls;
  return previous;
}

const Win32DialogCalls& Win32Calls() { return installedCalls != nullptr ? *installedCalls : PlatformCalls; }

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
  // The template stays in place while the dialog is up; the hook fills request.form on Open.
  const std::vector<WORD> boxes = FormBoxesTemplate();
  dialog.Flags = request.flags | FormBoxFlags;
  dialog.hInstance = reinterpret_cast<HINSTANCE>(const_cast<WORD*>(boxes.data()));
  dialog.lpfnHook = FormBoxesHook;
  dialog.lCustData = reinterpret_cast<LPARAM>(&request.form);
  if (Win32Calls().getOpenFileName(&dialog) == 0) return false;
  // The platform leaves the path NUL-ended; the last unit is a guard all the same.
  request.fileBuffer.back() = u'\0';
  chosenPath.assign(request.fileBuffer.data());
  return true;
}

int32_t ShowMessageBox(WindowHandle owner, TextView text, TextView caption, uint32_t style) {
  return Win32Calls().messageBox(static_cast<HWND>(owner), Wide(Text(text)), Wide(Text(caption)), style);
}

WindowHandle DialogOwner() {
  const HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}

}  // namespace meshfold
