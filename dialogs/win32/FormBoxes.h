#pragma once
// The boxes below the file-open dialog's file-type row that choose what the
// run writes: a child dialog of the explorer-style dialog, and its hook.
// Backend and tests only.

#include <windows.h>

#include <vector>

namespace meshfold {

// The boxes' control ids, clear of those the common dialog uses.
enum FormBoxId : int { Mesh2BoxId = 0x0601, SceneBoxId = 0x0602, GroupsBoxId = 0x0603 };

// The child dialog's template in memory: three unticked auto check boxes
// laid out in dialog units, the groups box disabled.
std::vector<WORD> FormBoxesTemplate();

// The child dialog's hook: keeps the groups box reachable only while the
// mesh2 box is ticked, and on Open writes the boxes' state into the
// FormChoice that the dialog's lCustData points at.
UINT_PTR CALLBACK FormBoxesHook(HWND boxes, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace meshfold
