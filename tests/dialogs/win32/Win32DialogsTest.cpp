// The Windows dialogs as the platform sees them: the OPENFILENAMEW that the
// file-open dialog hands over, and this process's windows while a dialog is up.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "dialogs/MessageDialog.h"
#include "dialogs/OpenFileDialog.h"
#include "dialogs/win32/Win32DialogCalls.h"

namespace meshfold {
namespace {

// What the stand-ins for the platform dialogs were handed, and how they answer.
struct Seen {
  OPENFILENAMEW dialog{};
  Text strings, file;  // title|directory|filters|, and the whole file buffer
  HWND boxOwner = nullptr;
  Text chosen;  // "": the user cancels; else written into the file buffer, NUL-ended where it fits
  std::function<void()> during;
} seen;

BOOL WINAPI FakeGetOpenFileName(OPENFILENAMEW* request) {
  seen.dialog = *request;
  seen.strings = Text(reinterpret_cast<const char16_t*>(request->lpstrTitle)) + u'|' +
                 reinterpret_cast<const char16_t*>(request->lpstrInitialDir) + u'|';
  for (auto f = reinterpret_cast<const char16_t*>(request->lpstrFilter); *f != 0; f += Text(f).size() + 1)
    seen.strings += Text(f) + u'|';
  seen.file.assign(reinterpret_cast<const char16_t*>(request->lpstrFile), request->nMaxFile);
  if (seen.during) seen.during();
  const Text answer = seen.chosen + u'\0';
  if (!seen.chosen.empty())
    std::copy_n(answer.begin(), std::min<size_t>(answer.size(), request->nMaxFile), request->lpstrFile);
  return seen.chosen.empty() ? FALSE : TRUE;
}

int WINAPI FakeMessageBox(HWND owner, const wchar_t*, const wchar_t*, UINT) {
  seen.boxOwner = owner;
  if (seen.during) seen.during();
  return IDCANCEL;
}

// Puts the stand-ins in force while it lives; then forgets what they saw.
struct Fakes {
  static constexpr Win32DialogCalls Calls = {FakeGetOpenFileName, FakeMessageBox};
  const Win32DialogCalls* previous = InstallWin32DialogCalls(&Calls);
  ~Fakes() {
    InstallWin32DialogCalls(previous);
    seen = Seen{};
  }
};

TEST(Win32Dialogs, TheFileDialogIsHandedTheRequestAndOnlyAChosenPathComesBack) {
  const Fakes fakes;
  seen.chosen = Text(260, u'p');  // the whole buffer: its last unit is taken for the NUL
  EXPECT_EQ(OpenFileDialog(u"open", u"C:\\m\\tri.obj", u"a|*.a|b|*.b", 1), Text(259, u'p'));
  EXPECT_EQ(seen.strings, u"open|C:\\m|a|*.a|b|*.b|");
  EXPECT_EQ(seen.file, u"tri.obj" + Text(253, u'\0'));
  EXPECT_EQ(std::make_tuple(seen.dialog.lStructSize, seen.dialog.nFilterIndex, seen.dialog.Flags),
            std::make_tuple(DWORD{136}, DWORD{2},
                            DWORD{OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY}));
  seen.chosen = u"";
  EXPECT_EQ(OpenFileDialog(u"open", u"C:\\m\\tri.obj", u"a|*.a|b|*.b", 1), u"");
}

// A window's state in three letters: Visible, Enabled, Topmost, or '-'.
std::string StateOf(HWND window) {
  return {IsWindowVisible(window) ? 'V' : '-', IsWindowEnabled(window) ? 'E' : '-',
          (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 'T' : '-'};
}

// A window of the calling thread in state, shown without being activated.
HWND MakeWindow(const std::string& state) {
  static const WNDCLASSW windowClass{0,       DefWindowProcW, 0,       0,       GetModuleHandleW(nullptr),
                                     nullptr, nullptr,        nullptr, nullptr, L"MeshfoldTest"};
  RegisterClassW(&windowClass);  // again and again: all but the first fail, harmlessly
  const HWND window =
      CreateWindowExW(state[2] == 'T' ? WS_EX_TOPMOST : 0, L"MeshfoldTest", L"test", WS_OVERLAPPEDWINDOW, 10,
                      10, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (state[1] != 'E') EnableWindow(window, FALSE);
  if (state[0] == 'V') ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

// Puts window in the foreground; false when the platform would not.
bool InForeground(HWND window) {
  SetForegroundWindow(window);
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
  return GetForegroundWindow() == window;
}

TEST(Win32Dialogs, EveryDialogIsModalToThisThreadsWindowsAndOwnedByTheForegroundOne) {
  // The first window is in the foreground and owns the dialog; the last is another thread's.
  const std::string before[] = {"VET", "VE-", "VET", "V--", "-ET", "VET"};
  const std::string during[] = {"VE-", "V--", "V--", "V--", "-ET", "VET"};
  std::vector<HWND> windows;
  for (size_t at = 0; at + 1 < std::size(before); ++at) windows.push_back(MakeWindow(before[at]));
  if (windows[0] == nullptr || !InForeground(windows[0])) GTEST_SKIP() << "no windows here";
  std::promise<HWND> made;
  std::thread otherThread([&made] {
    made.set_value(MakeWindow("VET"));
    for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;) DispatchMessageW(&message);
  });
  windows.push_back(made.get_future().get());
  const Fakes fakes;
  std::vector<std::string> seenDuring;
  seen.during = [&] {
    for (HWND window : windows) seenDuring.push_back(StateOf(window));
  };
  for (bool fileDialog : {true, false}) {
    // Leaving the topmost band activates a window, so each dialog starts afresh.
    EXPECT_TRUE(InForeground(windows[0]));
    seenDuring.clear();
    if (fileDialog) OpenFileDialog(u"open", u"C:\\tri.obj", u"obj|*.obj", 0);
    if (!fileDialog) MessageDialog(u"Meshfold", u"tri.inc created", 0);
    seenDuring.resize(windows.size());
    for (size_t at = 0; at < windows.size(); ++at) {
      EXPECT_EQ(seenDuring[at], during[at]) << "window " << at;
      EXPECT_EQ(StateOf(windows[at]), before[at]) << "window " << at << " afterwards";
    }
    EXPECT_EQ(fileDialog ? seen.dialog.hwndOwner : seen.boxOwner, windows[0]);
  }
  PostMessageW(windows.back(), WM_QUIT, 0, 0);
  otherThread.join();
  for (HWND window : windows) DestroyWindow(window);
}

}  // namespace
}  // namespace meshfold
