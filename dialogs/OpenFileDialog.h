#pragma once
// The file-open dialog: a caption, a starting directory and file name preset
// from a default path, and file-type filters given as "label|pattern|...".

#include <array>
#include <cstdint>

#include "dialogs/FileDialogRequest.h"
#include "text/Text.h"

namespace meshfold {

// patterns copied into a zero-filled block of its length plus 3, every
// vertical bar turned into NUL: the platform's list of NUL-ended strings.
Text FilterList(TextView patterns);

// The starting directory and file buffer preset from a default path.
struct DialogPreset {
  Text initialDirectory;                                // the text before the last backslash, or ""
  std::array<char16_t, FileBufferLength> fileBuffer{};  // the name, or all NUL
};

// Splits defaultFile at its last backslash (one that is not its first code
// unit); the name is cut to 259 code units and dropped when it is not valid.
DialogPreset PresetFromDefaultFile(TextView defaultFile);

// False for "" and for a name holding a control code or any of " * / : < > ? \ |.
bool IsValidFileName(TextView name);

// Shows the file-open dialog and returns the full path of the chosen file,
// or "" when the user cancels or the dialog fails. form is what its boxes were
// left at when the file was chosen: all false otherwise, and where the
// platform shows no boxes.
Text OpenFileDialog(TextView title, TextView defaultFile, TextView patterns, int32_t selectedPattern,
                    FormChoice& form);

}  // namespace meshfold
