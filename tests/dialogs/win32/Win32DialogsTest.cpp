// The Windows dialogs as the platform sees them: the OPENFILENAMEW that the
// file-open dialog hands over, and this process's windows while a dialog is up.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <map>
#include <thread>

#include "dialogs/MessageDialog.h"
#include "dialogs/OpenFileDialog.h"
#include "dialogs/win32/FormBoxes.h"
#include "dialogs/win32/Win32DialogCalls.h"

namespace meshfold {
namespace {

// What the stand-ins for the platform dialogs were handed, and how they answer.
struct Seen {
  OPENFILENAMEW dialog{};
  Text strings;  // title|directory|filters|, then the whole file buffer
  Text chosen;   // "": the user cancels; else written into the file buffer, NUL-ended where it fits
  std::function<void()> during = [] {};
  std::string clicks;                        // the boxes clicked in turn: M, S or G
  std::map<int, std::pair<bool, bool>> box;  // id: ticked, disabled
  bool fail = false;
} seen;

UINT WINAPI FakeIsChecked(HWND, int id) { return !seen.fail && seen.box[id].first ? BST_CHECKED : 0; }
BOOL WINAPI FakeCheck(HWND, int id, UINT state) { return !seen.fail && (seen.box[id].first = state, TRUE); }
HWND WINAPI FakeItem(HWND, int id) { return seen.fail ? nullptr : reinterpret_cast<HWND>(intptr_t{id}); }
BOOL WINAPI FakeEnable(HWND item, BOOL on) { return item && (seen.box[int(intptr_t(item))].second = !on, 1); }

// The child dialog as the user sees it: the template's boxes, clicked in turn ('!' first: every
// call of the boxes fails), then Open.
void Click(OPENFILENAMEW* request, std::string_view clicks) {
  const auto& frame = *reinterpret_cast<const DLGTEMPLATE*>(request->hInstance);
  EXPECT_EQ((frame.style & (WS_CHILD | DS_CONTROL | WS_VISIBLE)) | frame.cdit,
            DWORD{WS_CHILD | DS_CONTROL | 3});
  seen.box = {{GroupsBoxId, {false, true}}}, seen.fail = clicks.starts_with('!');
  for (char c : clicks.substr(seen.fail)) {
    const int id = c == 'M' ? Mesh2BoxId : c == 'S' ? SceneBoxId : GroupsBoxId;
    if (seen.box[id].second) continue;  // a disabled box takes no click
    seen.box[id].first = !seen.box[id].first;
    request->lpfnHook(nullptr, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
  OFNOTIFYW notice{{nullptr, 0, UINT(CDN_FILEOK)}, request, nullptr};
  request->lpfnHook(nullptr, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
}

Text Of(std::wstring_view text) { return Text(text.begin(), text.end()); }

BOOL WINAPI FakeGetOpenFileName(OPENFILENAMEW* request) {
  seen.dialog = *request;
  for (const wchar_t* s : {request->lpstrTitle, request->lpstrInitialDir}) seen.strings += Of(s) + u'|';
  for (const wchar_t* f = request->lpstrFilter; *f != 0; f += wcslen(f) + 1) seen.strings += Of(f) + u'|';
  seen.strings += Of({request->lpstrFile, request->nMaxFile});
  seen.during();
  Click(request, seen.clicks);
  if (seen.chosen.empty()) return FALSE;
  const Text answer = seen.chosen + u'\0';
  std::copy_n(answer.begin(), std::min<size_t>(answer.size(), request->nMaxFile), request->lpstrFile);
  return TRUE;
}

int WINAPI FakeMessageBox(HWND owner, const wchar_t*, const wchar_t*, UINT) {
  seen.dialog.hwndOwner = owner;
  seen.during();
  return IDCANCEL;
}

// Puts the stand-ins in force for each test; then forgets what they saw.
struct Win32Dialogs : ::testing::Test {
  static constexpr Win32DialogCalls Calls = {FakeGetOpenFileName, FakeMessageBox, FakeIsChecked,
                                             FakeCheck,           FakeItem,       FakeEnable};
  const Win32DialogCalls* previous = InstallWin32DialogCalls(&Calls);
  ~Win32Dialogs() override { InstallWin32DialogCalls(previous), seen = Seen{}; }
};

TEST_F(Win32Dialogs, TheFileDialogIsHandedTheRequestAndOnlyAChosenPathComesBack) {
  seen.chosen = Text(260, u'p');  // the whole buffer: its last unit is taken for the NUL
  FormChoice form;
  EXPECT_EQ(OpenFileDialog(u"open", u"C:\\m\\tri.obj", u"a|*.a|b|*.b", 1, form), Text(259, u'p'));
  EXPECT_EQ(seen.strings, u"open|C:\\m|a|*.a|b|*.b|tri.obj" + Text(253, u'\0'));
  EXPECT_EQ(std::make_tuple(seen.dialog.lStructSize, seen.dialog.nFilterIndex, seen.dialog.Flags),
            std::make_tuple(DWORD{136}, DWORD{2},
                            DWORD{OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                                  OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_ENABLESIZING}));
  seen.chosen = u"";
  seen.clicks = "MS";  // boxes ticked, then cancelled
  EXPECT_EQ(OpenFileDialog(u"open", u"C:\\m\\tri.obj", u"a|*.a|b|*.b", 1, form), u"");
  EXPECT_FALSE(form.mesh2 || form.scene || form.groups);
}

// The boxes clicked in turn, and what the run is asked for: mesh2, scene, groups. When every call
// of the boxes fails, nothing is: today's union.
TEST_F(Win32Dialogs, TheBoxesChooseTheFormAndGroupsOnlyWithMesh2) {
  const std::pair<std::string, std::string> cases[] = {{"", "---"},    {"M", "M--"},     {"S", "-S-"},
                                                       {"MS", "MS-"},  {"G", "---"},     {"MG", "M-G"},
                                                       {"MGM", "---"}, {"MGMMS", "MS-"}, {"!MSG", "---"}};
  for (const auto& [clicks, want] : cases) {
    seen.chosen = u"C:\\m.obj", seen.clicks = clicks;
    FormChoice form;
    EXPECT_EQ(OpenFileDialog(u"open", u"C:\\m.obj", u"a|*.a", 0, form), u"C:\\m.obj");
    EXPECT_EQ(std::string({form.mesh2 ? 'M' : '-', form.scene ? 'S' : '-', form.groups ? 'G' : '-'}), want);
  }
}

// A window of the calling thread in state, shown without being activated.
HWND MakeWindow(const std::string& state) {
  const HWND window = CreateWindowExW(state[2] == 'T' ? WS_EX_TOPMOST : 0, L"STATIC", L"test",
                                      WS_OVERLAPPEDWINDOW | (state[1] == 'E' ? 0 : WS_DISABLED), 10, 10, 200,
                                      100, nullptr, nullptr, nullptr, nullptr);
  if (state[0] == 'V') ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

bool InForeground(HWND window) {
  SetForegroundWindow(window);
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
  return GetForegroundWindow() == window;
}

TEST_F(Win32Dialogs, EveryDialogIsModalToThisThreadsWindowsAndOwnedByTheForegroundOne) {
  // The windows before or after a dialog, and while it is up: Visible, Enabled, Topmost, or '-'. The
  // first is in the foreground and owns the dialog; the last is another thread's.
  const std::string before = "VET VE- VET V-- -ET VET ", during = "VE- V-- V-- V-- -ET VET ";
  std::vector<HWND> windows;
  for (size_t at = 0; at + 4 < before.size(); at += 4) windows.push_back(MakeWindow(before.substr(at, 3)));
  if (windows[0] == nullptr || !InForeground(windows[0])) GTEST_SKIP() << "no windows here";
  std::promise<HWND> made;
  std::thread otherThread([&made] {
    made.set_value(MakeWindow("VET"));
    for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;) DispatchMessageW(&message);
  });
  windows.push_back(made.get_future().get());
  std::string states;
  seen.during = [&] {
    for (HWND w : windows)
      states += {IsWindowVisible(w) ? 'V' : '-', IsWindowEnabled(w) ? 'E' : '-',
                 (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 'T' : '-', ' '};
  };
  for (bool fileDialog : {true, false}) {
    // Leaving the topmost band activates a window, so each dialog starts afresh.
    EXPECT_TRUE(InForeground(windows[0]));
    FormChoice form;
    fileDialog ? (void)OpenFileDialog(u"open", u"C:\\tri.obj", u"obj|*.obj", 0, form)
               : (void)MessageDialog(u"Meshfold", u"tri.inc created", 0);
    seen.during();
    EXPECT_EQ(std::exchange(states, ""), during + before);
    EXPECT_EQ(std::exchange(seen.dialog.hwndOwner, nullptr), windows[0]);
  }
  PostMessageW(windows.back(), WM_QUIT, 0, 0);
  otherThread.join();
  for (HWND window : windows) DestroyWindow(window);
}

}  // namespace
}  // namespace meshfold
