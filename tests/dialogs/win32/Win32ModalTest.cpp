// The owner and the modal bracket on real windows of the test process.
#include <gtest/gtest.h>

#include "dialogs/DialogPlatform.h"
#include "dialogs/MessageDialog.h"
#include "dialogs/OpenFileDialog.h"
#include "tests/dialogs/win32/TestWindows.h"

namespace meshfold {
namespace {

using testing::BringToForeground;
using testing::MakeWindow;
using testing::OtherThreadWindow;
using testing::PumpMessages;
using testing::ScopedDialogCapture;
using testing::StateOf;
using testing::WindowState;

struct WindowCase {
  const char* what;
  WindowState before;
  bool foreground;
  WindowState during;  // while a dialog is up
};

const WindowCase Cases[] = {
    {"foreground, topmost", {true, true, true}, true, {true, true, false}},
    {"plain", {true, true, false}, false, {true, false, false}},
    {"topmost", {true, true, true}, false, {true, false, false}},
    {"disabled", {true, false, false}, false, {true, false, false}},
    {"disabled, topmost", {true, false, true}, false, {true, false, false}},
    {"hidden", {false, true, false}, false, {false, true, false}},
    {"hidden, topmost", {false, true, true}, false, {false, true, true}},
    {"hidden, disabled", {false, false, false}, false, {false, false, false}},
};

class Win32Modal : public ::testing::Test {
 protected:
  void TearDown() override {
    for (HWND window : windows_) DestroyWindow(window);
    PumpMessages();
  }

  // The windows of Cases, the foreground one brought to the front.
  void MakeCaseWindows() {
    for (const WindowCase& c : Cases) {
      const HWND window = MakeWindow(c.before);
      if (window == nullptr) GTEST_SKIP() << "the platform cannot make windows here (no display)";
      windows_.push_back(window);
    }
    if (!BringToForeground(windows_[0])) GTEST_SKIP() << "no foreground window here";
  }

  // Putting a window back into or out of the topmost band also activates it,
  // so each bracket starts from the case's own foreground window.
  void RestoreForeground() { ASSERT_TRUE(BringToForeground(windows_[0])); }

  std::vector<WindowState> States() const {
    std::vector<WindowState> states;
    for (HWND window : windows_) states.push_back(StateOf(window));
    return states;
  }

  std::vector<HWND> windows_;
};

std::vector<WindowState> Expected(WindowState WindowCase::*which) {
  std::vector<WindowState> states;
  for (const WindowCase& c : Cases) states.push_back(c.*which);
  return states;
}

TEST_F(Win32Modal, EveryDialogSuspendsThisThreadsWindowsAndRestoresThemExactly) {
  OtherThreadWindow other({true, true, true});
  MakeCaseWindows();
  if (IsSkipped()) return;
  ASSERT_NE(other.Window(), nullptr);
  ASSERT_EQ(States(), Expected(&WindowCase::before));
  const auto showFileDialog = [] {
    OpenFileDialog(u"open obj file", u"C:\\file.obj", u"obj (*.obj)|*.obj", 0);
  };
  const auto showMessage = [] { MessageDialog(u"Info:", u"canceled", 0); };
  for (const auto& show : {std::function<void()>(showFileDialog), std::function<void()>(showMessage)}) {
    ScopedDialogCapture capture;
    std::vector<WindowState> during;
    WindowState otherDuring;
    capture.duringDialog = [&] {
      during = States();
      otherDuring = StateOf(other.Window());
    };
    RestoreForeground();
    show();
    for (size_t at = 0; at < during.size(); ++at) {
      EXPECT_EQ(during[at], Cases[at].during) << Cases[at].what;
      EXPECT_EQ(StateOf(windows_[at]), Cases[at].before) << Cases[at].what << ", afterwards";
    }
    EXPECT_EQ(during.size(), windows_.size());
    EXPECT_EQ(otherDuring, (WindowState{true, true, true})) << "another thread's window is left alone";
    EXPECT_EQ(capture.fileDialog.fields.hwndOwner, capture.fileDialog.calls == 1 ? windows_[0] : nullptr);
    EXPECT_EQ(capture.messageBox.owner, capture.messageBox.calls == 1 ? windows_[0] : nullptr);
  }
}

TEST_F(Win32Modal, BracketsNestAndEachRestoresItsOwnChanges) {
  MakeCaseWindows();
  if (IsSkipped()) return;
  BeginModal();
  const std::vector<WindowState> firstDuring = States();
  RestoreForeground();
  BeginModal();
  EXPECT_EQ(States(), firstDuring) << "a second bracket finds nothing more to change";
  EndModal();
  EXPECT_EQ(States(), Expected(&WindowCase::before)) << "the inner end restores every record of the thread";
  EndModal();
  EXPECT_EQ(States(), Expected(&WindowCase::before));
}

TEST_F(Win32Modal, TheOwnerIsTheForegroundWindowOnlyWhenItIsOurs) {
  const HWND window = MakeWindow({true, true, false});
  if (window == nullptr) GTEST_SKIP() << "the platform cannot make windows here (no display)";
  windows_.push_back(window);
  if (!BringToForeground(window)) GTEST_SKIP() << "no foreground window here";
  EXPECT_EQ(DialogOwner(), window);

  DestroyWindow(window);
  windows_.clear();
  PumpMessages();
  const HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  ASSERT_NE(process, GetCurrentProcessId()) << "no window of ours is left to be in the foreground";
  EXPECT_EQ(DialogOwner(), nullptr);
  ScopedDialogCapture capture;
  MessageDialog(u"Info:", u"canceled", 0);
  EXPECT_EQ(capture.messageBox.owner, nullptr);
}

}  // namespace
}  // namespace meshfold
