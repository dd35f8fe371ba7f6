#include "tests/dialogs/win32/TestWindows.h"

#include <algorithm>
#include <future>
#include <tuple>
#include <utility>

namespace meshfold::testing {

namespace {

constexpr wchar_t ClassName[] = L"MeshfoldTestWindow";

void RegisterClassOnce() {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = ClassName;
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

ScopedDialogCapture* capture = nullptr;

std::u16string Units(const wchar_t* text) {
  return text == nullptr ? std::u16string() : std::u16string(reinterpret_cast<const char16_t*>(text));
}

std::vector<std::u16string> FilterStrings(const wchar_t* list) {
  std::vector<std::u16string> strings;
  while (list != nullptr && *list != L'\0') {
    strings.push_back(Units(list));
    list += strings.back().size() + 1;
  }
  return strings;
}

BOOL WINAPI CaptureFileDialog(OPENFILENAMEW* request) {
  CapturedFileDialog& seen = capture->fileDialog;
  seen.fields = *request;
  seen.filters = FilterStrings(request->lpstrFilter);
  seen.fileBuffer.assign(reinterpret_cast<const char16_t*>(request->lpstrFile), request->nMaxFile);
  seen.initialDirectory = Units(request->lpstrInitialDir);
  seen.title = Units(request->lpstrTitle);
  ++seen.calls;
  if (capture->duringDialog) capture->duringDialog();
  const std::u16string& path = capture->chosenPath;
  if (!path.empty() && path.size() < request->nMaxFile) {
    std::copy(path.begin(), path.end(), reinterpret_cast<char16_t*>(request->lpstrFile));
    request->lpstrFile[path.size()] = L'\0';
  }
  return capture->fileDialogResult;
}

int WINAPI CaptureMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) {
  CapturedMessageBox& seen = capture->messageBox;
  seen.owner = owner;
  seen.text = Units(text);
  seen.caption = Units(caption);
  seen.style = style;
  ++seen.calls;
  if (capture->duringDialog) capture->duringDialog();
  return capture->messageBoxResult;
}

constexpr Win32DialogCalls CapturingCalls = {CaptureFileDialog, CaptureMessageBox};

}  // namespace

HWND MakeWindow(const WindowState& state) {
  RegisterClassOnce();
  const HWND window =
      CreateWindowExW(state.topmost ? WS_EX_TOPMOST : 0, ClassName, L"meshfold test", WS_OVERLAPPEDWINDOW, 10,
                      10, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  if (!state.enabled) EnableWindow(window, FALSE);
  if (state.visible) ShowWindow(window, SW_SHOWNOACTIVATE);
  PumpMessages();
  return window;
}

WindowState StateOf(HWND window) {
  return {IsWindowVisible(window) != 0, IsWindowEnabled(window) != 0,
          (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0};
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool BringToForeground(HWND window) {
  SetForegroundWindow(window);
  PumpMessages();
  return GetForegroundWindow() == window;
}

OtherThreadWindow::OtherThreadWindow(const WindowState& state) {
  std::promise<std::pair<HWND, DWORD>> made;
  std::future<std::pair<HWND, DWORD>> ready = made.get_future();
  thread_ = std::thread([&made, state] {
    const HWND window = MakeWindow(state);
    made.set_value({window, GetCurrentThreadId()});
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    if (window != nullptr) DestroyWindow(window);
  });
  // Making a window does not block; the test's own time limit bounds this all the same.
  std::tie(window_, threadId_) = ready.get();
}

OtherThreadWindow::~OtherThreadWindow() {
  // The thread may not have its message queue yet; retry until it takes the message.
  for (int attempt = 0; attempt < 200 && !PostThreadMessageW(threadId_, WM_QUIT, 0, 0); ++attempt) Sleep(10);
  thread_.join();
}

ScopedDialogCapture::ScopedDialogCapture() : previous_(InstallWin32DialogCalls(&CapturingCalls)) {
  capture = this;
}

ScopedDialogCapture::~ScopedDialogCapture() {
  InstallWin32DialogCalls(previous_);
  capture = nullptr;
}

}  // namespace meshfold::testing
