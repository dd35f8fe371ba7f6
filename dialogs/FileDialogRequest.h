#pragma once
// What a file-open dialog is given, shared by the dialog and the platform
// backends that show it.

#include <array>
#include <cstdint>
#include <vector>

#include "text/Text.h"

namespace meshfold {

// A platform window, opaque here; nullptr is no window.
using WindowHandle = void*;

// Code units of the dialog's file buffer: 259 of path and a terminating NUL.
inline constexpr size_t FileBufferLength = 260;

// OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY.
inline constexpr uint32_t OpenFileDialogFlags = 0x0008080C;

// The boxes below the file-type row that choose what the run writes.
struct FormChoice {
  bool mesh2 = false;   // the mesh2 form, with its materials
  bool scene = false;   // a scene beside the include file
  bool groups = false;  // each group an object of its own; only with mesh2
};

// Everything the platform's file chooser is given.
struct FileDialogRequest {
  WindowHandle owner = nullptr;
  Text title;
  Text filterList;                                      // from FilterList
  uint32_t filterIndex = 1;                             // 1-based pair selected at the start
  std::array<char16_t, FileBufferLength> fileBuffer{};  // preset name, NUL-ended
  Text initialDirectory;
  uint32_t flags = OpenFileDialogFlags;
  FormChoice form;  // what the boxes were left at; all false where the platform shows none
};

// One entry of a file chooser's type list: "obj (*.obj)" showing "*.obj".
struct FileFilter {
  Text label;
  Text pattern;  // one or more wildcards, separated by ';'
};

// The label and pattern pairs of a NUL-separated filter list, in order. An
// empty string ends the list; a label without a pattern is dropped.
std::vector<FileFilter> FilterPairs(TextView filterList);

}  // namespace meshfold
