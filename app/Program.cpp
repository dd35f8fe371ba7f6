#include "app/Program.h"

#include "app/CommandLine.h"
#include "app/ConversionRun.h"
#include "app/ConvertGivenFiles.h"
#include "app/OutcomeReport.h"
#include "text/FileTable.h"

namespace meshfold {

namespace {

constexpr int MisuseExitCode = 2;

int RunCommand(const CommandLine& command) {
  switch (command.kind) {
    case CommandKind::ChooseFile:
      ConversionRun();
      return 0;
    case CommandKind::ConvertFiles: {
      const std::vector<ConversionOutcome> outcomes = ConvertGivenFiles(
          command.files, command.options,
          [&](const ConversionOutcome& outcome) { ReportFileOutcome(outcome, command.reportPlace); });
      ReportAllOutcomes(outcomes, command.reportPlace);
      return ExitCodeOf(outcomes);
    }
    case CommandKind::ShowHelp:
      ShowInformation(UsageText(), command.reportPlace);
      return 0;
    case CommandKind::ShowVersion:
      ShowInformation(VersionText(), command.reportPlace);
      return 0;
    case CommandKind::Misuse:
      ReportMisuse(command.problem, command.reportPlace);
      return MisuseExitCode;
  }
  return MisuseExitCode;
}

}  // namespace

int RunProgram(const std::vector<Text>& arguments) {
  PlatformStartUp();
  const int exitCode = RunCommand(ParseCommandLine(arguments));
  // Files the run left open still get their pending output written.
  CloseAllTextFiles();
  return exitCode;
}

}  // namespace meshfold
