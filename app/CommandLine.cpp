#include "app/CommandLine.h"

#include <array>

#include "app/ProgramName.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

// The options given that only other options give a use.
struct Chosen {
  bool normals = false;  // --normals or --crease, for a mesh2
  bool up = false;       // --up, for the scene
};

bool IsOption(TextView argument) { return argument.size() > 1 && argument.front() == u'-'; }

// The crease angle a --crease argument gives: a number of degrees from 0 to
// 180, or a negative number when the text is none.
double CreaseDegrees(TextView text) {
  double degrees = -1;
  return TextToNumber(text, degrees) && degrees >= 0 && degrees <= 180 ? degrees : -1;
}

bool ReadNormalSource(TextView text, NormalSource& source) {
  constexpr std::array<std::pair<TextView, NormalSource>, 3> sources = {
      {{u"file", NormalSource::File}, {u"compute", NormalSource::Compute}, {u"none", NormalSource::None}}};
  for (const auto& [name, each] : sources) {
    if (text != name) continue;
    source = each;
    return true;
  }
  return false;
}

bool ReadUpAxis(TextView text, UpAxis& up) {
  if (text != u"y" && text != u"z") return false;
  up = text == u"z" ? UpAxis::Z : UpAxis::Y;
  return true;
}

// The value of an option that takes one, as "--name VALUE" or "--name=VALUE";
// at moves past a value in the next argument. Empty when none is given.
TextView OptionValue(const std::vector<Text>& arguments, size_t& at, TextView name) {
  const TextView argument = arguments[at];
  if (argument != name) return argument.substr(name.size() + 1);
  return at + 1 == arguments.size() ? TextView() : TextView(arguments[++at]);
}

bool TakesValue(TextView argument, TextView name) {
  return argument == name || (argument.starts_with(name) && argument.substr(name.size()).starts_with(u"="));
}

// Reads the options that choose the include file and the scene; at is the
// argument, and moves past the value of "--crease DEGREES" and "--up AXIS".
// False when argument is none of them; problem tells what is wrong with one
// that is.
bool ReadFormOption(const std::vector<Text>& arguments, size_t& at, CommandLine& command, Chosen& chosen) {
  const TextView argument = arguments[at];
  ConversionOptions& options = command.options;
  TextView problem;
  if (argument == u"--mesh2") {
    options.form = IncludeForm::Mesh2;
  } else if (argument == u"--groups") {
    options.groups = true;
  } else if (argument == u"--scene") {
    options.scene = true;
  } else if (argument.starts_with(u"--normals=")) {
    if (!ReadNormalSource(argument.substr(10), options.normals))
      problem = u"--normals takes file, compute or none";
  } else if (TakesValue(argument, u"--crease")) {
    options.creaseDegrees = CreaseDegrees(OptionValue(arguments, at, u"--crease"));
    if (options.creaseDegrees < 0) problem = u"--crease takes a number of degrees from 0 to 180";
  } else if (TakesValue(argument, u"--up")) {
    if (!ReadUpAxis(OptionValue(arguments, at, u"--up"), options.up)) problem = u"--up takes y or z";
  } else {
    return false;
  }
  chosen.normals = chosen.normals || argument.starts_with(u"--normals") || argument.starts_with(u"--crease");
  chosen.up = chosen.up || argument.starts_with(u"--up");
  if (command.problem.empty() && !problem.empty()) command.problem = problem;
  return true;
}

// The misuse of options that need others: an empty text when there is none.
Text FormProblem(const CommandLine& command, Chosen chosen) {
  const bool mesh2 = command.options.form == IncludeForm::Mesh2;
  if (chosen.normals && !mesh2) return u"--normals and --crease choose the normals of a mesh2; add --mesh2";
  if (command.options.groups && !mesh2) return u"--groups declares each group as a mesh2; add --mesh2";
  if (chosen.up && !command.options.scene) return u"--up turns the model upright in the scene; add --scene";
  if (mesh2 && command.files.empty()) return u"--mesh2 needs OBJ files to convert; name at least one";
  if (command.options.scene && command.files.empty())
    return u"--scene needs OBJ files to convert; name at least one";
  return {};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<Text>& arguments) {
  CommandLine command;
  bool optionsEnded = false;
  bool help = false;
  bool version = false;
  Chosen chosen;
  for (size_t at = 0; at < arguments.size(); ++at) {
    const Text& argument = arguments[at];
    if (!optionsEnded && argument == u"--") {
      optionsEnded = true;
    } else if (optionsEnded || !IsOption(argument)) {
      command.files.push_back(argument);
    } else if (argument == u"--help") {
      help = true;
    } else if (argument == u"--version") {
      version = true;
    } else if (argument == u"--desktop") {
      command.reportPlace = ReportPlace::MessageBox;
    } else if (!ReadFormOption(arguments, at, command, chosen) && command.problem.empty()) {
      command.problem = JoinedText({u"unknown option ", argument});
    }
  }
  if (help) return {CommandKind::ShowHelp, {}, {}, command.reportPlace, {}};
  if (version) return {CommandKind::ShowVersion, {}, {}, command.reportPlace, {}};
  if (command.problem.empty()) command.problem = FormProblem(command, chosen);
  if (!command.problem.empty()) return {CommandKind::Misuse, {}, command.problem, command.reportPlace, {}};
  command.kind = command.files.empty() ? CommandKind::ChooseFile : CommandKind::ConvertFiles;
  return command;
}

TextView UsageText() {
  return u"usage: meshfold [OPTION...] [FILE.obj...]\r"
         u"Converts each Wavefront OBJ file into a POV-Ray include file beside it,\r"
         u"named after it with the extension .inc: a union of smooth triangles, or\r"
         u"with --mesh2 a mesh2. Without files, asks for one in a file-open dialog.\r"
         u"  --mesh2            write a mesh2: every vector once with all its digits,\r"
         u"                     texture coordinates when every corner has one, the\r"
         u"                     materials of the MTL files and the vertex colours\r"
         u"  --normals=file     the file's normals, computed where a face has none\r"
         u"  --normals=compute  computed normals only\r"
         u"  --normals=none     no normals: flat triangles\r"
         u"  --crease DEGREES   edges sharper than this stay sharp (default 60);\r"
         u"                     a file's smoothing groups (s lines) decide instead\r"
         u"  --groups           with --mesh2, each o or g group a mesh2 of its own\r"
         u"  --scene            also write NAME.pov, a scene that renders the model\r"
         u"  --up y|z           with --scene, the axis the file has up: y (the default,\r"
         u"                     front toward +Z) or z (front toward -Y)\r"
         u"  --help             show this help and exit\r"
         u"  --version          show the version and exit\r"
         u"  --desktop          show the outcome in a message box, not on the terminal\r"
         u"  --                 every later argument is a file name\r";
}

Text VersionText() { return JoinedText({ProgramVersion, u"\r"}); }

}  // namespace meshfold
