#include "dialogs/win32/FormBoxes.h"

#include <commdlg.h>

#include <iterator>
#include <string_view>

#include "dialogs/FileDialogRequest.h"
#include "dialogs/win32/Win32DialogCalls.h"

namespace meshfold {

namespace {

// A child of the explorer-style dialog, in the shell's dialog font: its size
// and places are dialog units, which follow the font and so the DPI.
constexpr DWORD ChildStyle = WS_CHILD | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SHELLFONT;
constexpr DWORD BoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr int ButtonClass = 0x0080;
constexpr int ChildWidth = 200, BoxLeft = 6, BoxWidth = 180, BoxHeight = 10, BoxPitch = 13;

struct Box {
  FormBoxId id;
  std::wstring_view label;
  DWORD extraStyle;
};

constexpr Box Boxes[] = {{Mesh2BoxId, L"&mesh2 with materials", 0},
                         {SceneBoxId, L"&scene to render", 0},
                         {GroupsBoxId, L"&groups as objects", WS_DISABLED}};

// Numbers and texts in the order a template holds them; a DWORD is two WORDs, low first.
void PutWords(std::vector<WORD>& words, std::initializer_list<int> values) {
  for (int value : values) words.push_back(static_cast<WORD>(value));
}

// A style, then no extended style.
void PutStyle(std::vector<WORD>& words, DWORD style) {
  PutWords(words, {LOWORD(style), HIWORD(style), 0, 0});
}

void PutText(std::vector<WORD>& words, std::wstring_view text) {
  words.insert(words.end(), text.begin(), text.end());
  words.push_back(0);
}

bool Ticked(HWND boxes, FormBoxId box) { return Win32Calls().isDlgButtonChecked(boxes, box) == BST_CHECKED; }

// Groups are declared as mesh2s, so that box follows the mesh2 box.
void FollowMesh2Box(HWND boxes) {
  const bool mesh2 = Ticked(boxes, Mesh2BoxId);
  if (!mesh2) Win32Calls().checkDlgButton(boxes, GroupsBoxId, BST_UNCHECKED);
  Win32Calls().enableWindow(Win32Calls().getDlgItem(boxes, GroupsBoxId), mesh2 ? TRUE : FALSE);
}

void ReadChoice(HWND boxes, const OFNOTIFYW& notice) {
  auto& form = *reinterpret_cast<FormChoice*>(notice.lpOFN->lCustData);
  form.mesh2 = Ticked(boxes, Mesh2BoxId);
  form.scene = Ticked(boxes, SceneBoxId);
  // A groups box that could not be disabled still asks for nothing without mesh2.
  form.groups = form.mesh2 && Ticked(boxes, GroupsBoxId);
}

}  // namespace

std::vector<WORD> FormBoxesTemplate() {
  constexpr int count = std::size(Boxes);
  std::vector<WORD> words;
  PutStyle(words, ChildStyle);
  // The count, x, y, cx and cy; no menu, the dialog class, no title; the font's size.
  PutWords(words, {count, 0, 0, ChildWidth, BoxPitch * count + 6, 0, 0, 0, 8});
  PutText(words, L"MS Shell Dlg");
  for (int at = 0; at < count; ++at) {
    if (words.size() % 2 != 0) words.push_back(0);  // each item starts on a DWORD
    PutStyle(words, BoxStyle | Boxes[at].extraStyle);
    // x, y, cx, cy, the id, the button class; the label; no creation data.
    PutWords(words, {BoxLeft, 2 + BoxPitch * at, BoxWidth, BoxHeight, Boxes[at].id, 0xFFFF, ButtonClass});
    PutText(words, Boxes[at].label);
    PutWords(words, {0});
  }
  return words;
}

UINT_PTR CALLBACK FormBoxesHook(HWND boxes, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == Mesh2BoxId && HIWORD(wParam) == BN_CLICKED)
    FollowMesh2Box(boxes);
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_FILEOK)
    ReadChoice(boxes, *reinterpret_cast<const OFNOTIFYW*>(lParam));
  return 0;
}

}  // namespace meshfold
