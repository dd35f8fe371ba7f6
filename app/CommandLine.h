#pragma once
// What the program's arguments ask for. Without arguments it asks for a file
// in the file-open dialog; with file names it converts those files.

#include <vector>

#include "converter/ConversionOptions.h"
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

// Where a run with arguments tells the user what came of it. Windows has no
// terminal to write to and always uses the message box.
enum class ReportPlace {
  Terminal,    // standard output and standard error, as each file is done
  MessageBox,  // --desktop: one message box at the end, for a desktop launcher
};

// What the arguments ask for, with what it needs.
struct CommandLine {
  CommandKind kind = CommandKind::ChooseFile;
  std::vector<Text> files;  // for ConvertFiles, in the order given
  Text problem;             // for Misuse: what is wrong, for the user
  ReportPlace reportPlace = ReportPlace::Terminal;
  ConversionOptions options;  // for ConvertFiles
};

// Reads the arguments (the program's own name not among them). --help and
// --version win wherever they stand before "--"; --desktop there chooses the
// message box for every kind of run; --mesh2, --normals=SOURCE, --crease
// DEGREES (or --crease=DEGREES), --groups, --scene and --up AXIS (or
// --up=AXIS, with --scene) choose what is written, and need files to
// convert; any other argument that starts with "-" before "--" is misuse,
// except "-" itself; "--" makes every later argument a file name.
CommandLine ParseCommandLine(const std::vector<Text>& arguments);

// The short usage shown for --help and after misuse; lines end in CR.
TextView UsageText();

// The program's name and version, ended by CR.
Text VersionText();

}  // namespace meshfold
