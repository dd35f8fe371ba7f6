// While a dialog is up, the calling thread's other visible windows are
// disabled and taken out of the topmost band, so that the dialog is modal to
// all of them and can come above them; afterwards each is put back as it was.
#include <windows.h>

#include "dialogs/DialogPlatform.h"

namespace meshfold {

namespace {

struct SuspendedWindow {
  DWORD thread = 0;
  HWND window = nullptr;
  uint8_t wasTopmost = 0;
  uint8_t disabledHere = 0;
  SuspendedWindow* next = nullptr;
};

// Newest first. Records carry their thread; each thread touches only its own.
SuspendedWindow* suspendedWindows = nullptr;

struct Enumeration {
  DWORD thread;
  HWND foreground;
};

void Suspend(HWND window, const Enumeration& enumeration) {
  auto* record = new SuspendedWindow{};
  record->thread = enumeration.thread;
  record->window = window;
  record->wasTopmost = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 1 : 0;
  if (window != enumeration.foreground && IsWindowEnabled(window)) {
    record->disabledHere = 1;
    EnableWindow(window, FALSE);
  }
  record->next = suspendedWindows;
  suspendedWindows = record;
}

BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
  const auto& enumeration = *reinterpret_cast<const Enumeration*>(context);
  if (GetWindowThreadProcessId(window, nullptr) == enumeration.thread && IsWindowVisible(window)) {
    Suspend(window, enumeration);
  }
  return TRUE;
}

void PlaceInBand(HWND window, HWND band) { SetWindowPos(window, band, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE); }

}  // namespace

void BeginModal() {
  Enumeration enumeration{GetCurrentThreadId(), GetForegroundWindow()};
  EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&enumeration));
  for (const SuspendedWindow* record = suspendedWindows; record != nullptr; record = record->next) {
    if (record->thread == enumeration.thread && record->wasTopmost != 0)
      PlaceInBand(record->window, HWND_NOTOPMOST);
  }
}

void EndModal() {
  const DWORD thread = GetCurrentThreadId();
  SuspendedWindow** link = &suspendedWindows;
  while (*link != nullptr) {
    SuspendedWindow* record = *link;
    if (record->thread != thread) {
      link = &record->next;
      continue;
    }
    if (record->disabledHere != 0) EnableWindow(record->window, TRUE);
    if (record->wasTopmost != 0) PlaceInBand(record->window, HWND_TOPMOST);
    *link = record->next;
    delete record;
  }
}

}  // namespace meshfold
