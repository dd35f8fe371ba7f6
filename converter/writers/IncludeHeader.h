#pragma once
// What both include forms open with: their comment lines, the turn into
// POV-Ray's frame when a scene comes beside them, an empty line; and the line
// every declaration of theirs begins with.

#include <initializer_list>

#include "converter/ConversionOptions.h"
#include "text/FileTable.h"
#include "text/Text.h"

namespace meshfold {

// Writes comments, each a line, then with options.scene the comment on
// showing the mesh declared as declared as its modeller did, then an empty
// line.
void WriteIncludeHeader(FileHandle file, std::initializer_list<TextView> comments, TextView declared,
                        const ConversionOptions& options);

// Writes "#declare name = " as a line.
void WriteDeclare(FileHandle file, TextView name);

// The comment line that says how to show the mesh declared as declared, in
// a file whose up is up, as its modeller did: OBJ files are right-handed,
// POV-Ray is left-handed.
Text OrientationComment(TextView declared, UpAxis up);

}  // namespace meshfold
