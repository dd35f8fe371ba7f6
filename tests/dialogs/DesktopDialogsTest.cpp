#include "dialogs/posix/DesktopDialogs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/support/TestFiles.h"
#include "text/CodePage.h"

namespace meshfold {
namespace {

using testing::ReadBytes;
using testing::T;
using testing::TemporaryDirectory;
using testing::U8;
using testing::WriteBytes;
namespace fs = std::filesystem;

// Writes a shell script at path with the given mode.
void WriteScript(const fs::path& path, const std::string& body, mode_t mode = 0755) {
  fs::create_directories(path.parent_path());
  WriteBytes(path, "#!/bin/sh\n" + body + "\n");
  chmod(path.c_str(), mode);
}

TEST(DesktopDialogs, FindsZenityElseKdialogWhereADisplayIsSet) {
  TemporaryDirectory folder;
  const fs::path root = folder.Path();
  WriteScript(root / "both/zenity", "");
  WriteScript(root / "both/kdialog", "");
  WriteScript(root / "kde/kdialog", "");
  WriteScript(root / "plain/zenity", "", 0644);
  fs::create_directories(root / "folder/zenity");
  const std::string both = (root / "both").string(), kde = (root / "kde").string();
  const std::string plain = (root / "plain").string(), folderNamedZenity = (root / "folder").string();

  struct Case {
    const char* what;
    DesktopEnvironment environment;
    std::optional<DesktopProgram> kind;
    std::string executable;
  } const cases[] = {
      {"X display", {":0", "", both}, DesktopProgram::Zenity, both + "/zenity"},
      {"Wayland display", {"", "wayland-0", both}, DesktopProgram::Zenity, both + "/zenity"},
      {"no display", {"", "", both}, std::nullopt, ""},
      {"only kdialog", {":0", "", kde}, DesktopProgram::Kdialog, kde + "/kdialog"},
      {"zenity later on the path still wins",
       {":0", "", kde + ":" + both},
       DesktopProgram::Zenity,
       both + "/zenity"},
      {"not executable, then a folder, are passed over",
       {":0", "", plain + ":" + folderNamedZenity + ":" + kde},
       DesktopProgram::Kdialog,
       kde + "/kdialog"},
      {"empty entries are not the current directory", {":0", "", "::"}, std::nullopt, ""},
      {"neither program", {":0", "", plain}, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    const auto program = FindDesktopDialogProgram(c.environment);
    ASSERT_EQ(program.has_value(), c.kind.has_value()) << c.what;
    if (!program) continue;
    EXPECT_EQ(program->kind, *c.kind) << c.what;
    EXPECT_EQ(program->executable, c.executable) << c.what;
  }
}

class FakeDialogProgram : public ::testing::Test {
 protected:
  // A dialog program that records its arguments, one per line, then runs body.
  DesktopDialogProgram Fake(const std::string& body) {
    WriteScript(folder_.Path() / "zenity", "printf '%s\\n' \"$@\" >'" + ArgumentsFile() + "'\n" + body);
    return {DesktopProgram::Zenity, (folder_.Path() / "zenity").string()};
  }
  std::string ArgumentsFile() const { return (folder_.Path() / "arguments").string(); }
  std::string RecordedArguments() const { return ReadBytes(ArgumentsFile()); }
  static FileDialogRequest Request(TextView initialDirectory, TextView name) {
    FileDialogRequest request;
    request.title = u"open obj file";
    request.filterList = Text(u"obj (*.obj)\0*.obj\0\0\0", 20);
    request.initialDirectory = Text(initialDirectory);
    std::copy(name.begin(), name.end(), request.fileBuffer.begin());
    return request;
  }
  TemporaryDirectory folder_;
};

TEST_F(FakeDialogProgram, FileChooserTakesThePathPrintedOnSuccessOnly) {
  struct Case {
    std::string body;
    bool chosen;
    std::string path;
  } const cases[] = {
      {"echo /m/a.obj", true, "/m/a.obj"},
      {"printf '/m/a b.obj'", true, "/m/a b.obj"},
      {"echo ' /m/x.obj '", true, " /m/x.obj "},
      {"printf '/m/\\374.obj\\n'", true, "/m/\xfc.obj"},
      {"exit 1", false, ""},
      {"echo /m/a.obj; exit 1", false, ""},
      {"exit 0", false, ""},
      {"echo /m/a.obj; exit 255", false, ""},
      {"echo /m/a.obj; kill -9 $$", false, ""},
  };
  for (const Case& c : cases) {
    Text chosen = u"untouched";
    const bool result = DesktopFileChooser(Fake(c.body), Request(u"", u"file.obj"), chosen);
    EXPECT_EQ(result, c.chosen) << c.body;
    if (c.chosen) {
      std::string bytes;
      TextToAnsi(chosen, bytes);
      EXPECT_EQ(bytes, c.path) << c.body;
    }
  }
}

TEST_F(FakeDialogProgram, FileChooserStartsInAnExistingFolderElseTheCurrentOne) {
  const std::string here = fs::current_path().string();
  const std::string there = folder_.Path().string();
  struct Case {
    Text initialDirectory;
    Text name;
    std::string filename;
  } const cases[] = {
      {u"C:", u"file.obj", here + "/file.obj"},
      {u"", u"file.obj", here + "/file.obj"},
      {folder_.TextPath(""), u"file.obj", there + "/file.obj"},
      {T(there), u"", there + "/"},
      {T(there + "/no-such-folder"), u"x.obj", here + "/x.obj"},
      {T(there + "/zenity"), u"x.obj", here + "/x.obj"},  // a file, not a folder
  };
  for (const Case& c : cases) {
    Text chosen;
    DesktopFileChooser(Fake("exit 1"), Request(c.initialDirectory, c.name), chosen);
    EXPECT_EQ(RecordedArguments(), "--file-selection\n--title=open obj file\n--filename=" + c.filename +
                                       "\n--file-filter=obj (*.obj) | *.obj\n")
        << U8(c.initialDirectory);
  }
}

TEST_F(FakeDialogProgram, MessageBoxIsOkOnceTheUserClosedIt) {
  struct Case {
    std::string body;
    int32_t button;
  } const cases[] = {
      {"exit 0", 1},          // OK
      {"exit 1", 1},          // closed by the window's close button
      {"exit 5", 0},          // a failure of the program
      {"kill -9 $$", 0},      // ended from outside
      {"cat >/dev/null", 1},  // its input is empty, so it cannot hang on it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DesktopMessageBox(Fake(c.body), u"a\rb\r", u"Info:"), c.button) << c.body;
  }
  EXPECT_EQ(RecordedArguments(), "--info\n--title=Info:\n--text=a\nb\n--no-markup\n");
}

TEST(DesktopDialogs, AProgramThatCannotBeStartedIsAFailure) {
  const DesktopDialogProgram missing = {DesktopProgram::Zenity, "/nonexistent/zenity"};
  Text chosen;
  EXPECT_FALSE(DesktopFileChooser(missing, FileDialogRequest{}, chosen));
  EXPECT_EQ(DesktopMessageBox(missing, u"text", u"caption"), 0);
}

}  // namespace
}  // namespace meshfold
