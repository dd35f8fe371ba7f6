#include "app/CommandLine.h"

#include "converter/ProgramName.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

bool IsOption(TextView argument) { return argument.size() > 1 && argument.front() == u'-'; }

}  // namespace

CommandLine ParseCommandLine(const std::vector<Text>& arguments) {
  CommandLine command;
  bool optionsEnded = false;
  bool help = false;
  bool version = false;
  for (const Text& argument : arguments) {
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
    } else if (command.problem.empty()) {
      command.problem = JoinedText({u"unknown option ", argument});
    }
  }
  if (help) return {CommandKind::ShowHelp, {}, {}, command.reportPlace};
  if (version) return {CommandKind::ShowVersion, {}, {}, command.reportPlace};
  if (!command.problem.empty()) return {CommandKind::Misuse, {}, command.problem, command.reportPlace};
  command.kind = command.files.empty() ? CommandKind::ChooseFile : CommandKind::ConvertFiles;
  return command;
}

TextView UsageText() {
  return u"usage: meshfold [FILE.obj...]\r"
         u"Converts each Wavefront OBJ file into a POV-Ray include file beside it,\r"
         u"named after it with the extension .inc. Without files, asks for one in a\r"
         u"file-open dialog.\r"
         u"  --help     show this help and exit\r"
         u"  --version  show the version and exit\r"
         u"  --desktop  show the outcome in a message box, not on the terminal\r"
         u"  --         every later argument is a file name\r";
}

Text VersionText() { return JoinedText({ProgramVersion, u"\r"}); }

}  // namespace meshfold
