#pragma once
// What the program's arguments ask for. Without arguments it asks for a file
// in the file-open dialog; with file names it converts those files.

#include <vector>

#include "text/Text.h"

namespace meshfold {

// The one thing a run does.
enum class CommandKind {
  ChooseFile,    // no arguments: the interactive run
  ConvertFiles,  // file names: convert each in turn
  ShowHelp,      // --help
  ShowVersion,   // --version
  Misuse,        // an option we do not know
};

// What the arguments ask for, with what it needs.
struct CommandLine {
  CommandKind kind = CommandKind::ChooseFile;
  std::vector<Text> files;  // for ConvertFiles, in the order given
  Text problem;             // for Misuse: what is wrong, for the user
};

// Reads the arguments (the program's own name not among them). --help and
// --version win wherever they stand before "--"; any other argument that
// starts with "-" before "--" is misuse, except "-" itself; "--" makes every
// later argument a file name.
CommandLine ParseCommandLine(const std::vector<Text>& arguments);

// The short usage shown for --help and after misuse; lines end in CR.
TextView UsageText();

// The program's name and version, ended by CR.
TextView VersionText();

}  // namespace meshfold
