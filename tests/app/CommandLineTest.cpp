#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "app/ConvertGivenFiles.h"
#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::U8;

TEST(CommandLine, WhatTheArgumentsAskFor) {
  struct Case {
    std::vector<Text> arguments;
    CommandKind kind;
    std::vector<Text> files;
    std::string problem;
  } const cases[] = {
      {{}, CommandKind::ChooseFile, {}, ""},
      {{u"a.obj"}, CommandKind::ConvertFiles, {u"a.obj"}, ""},
      {{u"b.obj", u"a.obj", u"b.obj"}, CommandKind::ConvertFiles, {u"b.obj", u"a.obj", u"b.obj"}, ""},
      {{u"--help"}, CommandKind::ShowHelp, {}, ""},
      {{u"a.obj", u"--version"}, CommandKind::ShowVersion, {}, ""},
      {{u"--version", u"--help"}, CommandKind::ShowHelp, {}, ""},
      {{u"--bogus", u"--help"}, CommandKind::ShowHelp, {}, ""},
      {{u"a.obj", u"-x", u"--bogus"}, CommandKind::Misuse, {}, "unknown option -x"},
      {{u"--HELP"}, CommandKind::Misuse, {}, "unknown option --HELP"},
      {{u"-"}, CommandKind::ConvertFiles, {u"-"}, ""},
      {{u""}, CommandKind::ConvertFiles, {u""}, ""},
      {{u"--", u"--help", u"-x.obj", u"--"}, CommandKind::ConvertFiles, {u"--help", u"-x.obj", u"--"}, ""},
      {{u"--"}, CommandKind::ChooseFile, {}, ""},
      {{u"a.obj", u"--", u"b.obj"}, CommandKind::ConvertFiles, {u"a.obj", u"b.obj"}, ""},
  };
  for (const Case& c : cases) {
    std::string arguments;
    for (const Text& argument : c.arguments) arguments.append(1, '[').append(U8(argument)).append(1, ']');
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.kind, c.kind) << arguments;
    EXPECT_EQ(command.files, c.files) << arguments;
    EXPECT_EQ(U8(command.problem), c.problem) << arguments;
  }
}

TEST(CommandLine, OutcomesAsTheUserIsToldThem) {
  struct Case {
    const char* what;
    FileOutcome outcome;
    TextView told;
  } const cases[] = {
      {"a summary as it is",
       {u"m/tri.obj", {true, u"tri.inc created \r3  vertexs\r"}},
       u"tri.inc created \r3  vertexs\r"},
      {"a failure that names the file given",
       {u"m/x.obj", {false, u"m/x.obj\rcould not be opened\r"}},
       u"m/x.obj\rcould not be opened\r"},
      {"a failure that names the include file",
       {u"m/x.obj", {false, u"m/x.inc\rcould not be written: Permission denied\r"}},
       u"m/x.obj\rm/x.inc\rcould not be written: Permission denied\r"},
      {"a file whose name only begins the one in the message",
       {u"m/x", {false, u"m/x.obj\rcould not be opened\r"}},
       u"m/x\rm/x.obj\rcould not be opened\r"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(U8(DescribeOutcome(c.outcome)), U8(c.told)) << c.what;
  }
}

TEST(CommandLine, ExitCodeIsZeroOnlyWhenEveryFileConverted) {
  const FileOutcome converted = {u"a.obj", {true, u"a.inc created \r"}};
  const FileOutcome failed = {u"b.obj", {false, u"b.obj\rcould not be opened\r"}};
  struct Case {
    std::vector<FileOutcome> outcomes;
    int exitCode;
  } const cases[] = {
      {{converted}, 0},
      {{converted, converted}, 0},
      {{failed}, 1},
      {{converted, failed, converted}, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ExitCodeOf(c.outcomes), c.exitCode) << c.outcomes.size();
}

}  // namespace
}  // namespace meshfold
