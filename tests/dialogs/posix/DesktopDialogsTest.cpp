// The desktop dialogs: which program is found, what it is asked to show, and
// what its exit status and output mean, with scripts standing in for zenity.
#include "dialogs/posix/DesktopDialogs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/support/TestFiles.h"
#include "text/CodePage.h"

namespace meshfold {
namespace {

using testing::T;
using testing::U8;
using Arguments = std::vector<std::string>;
namespace fs = std::filesystem;

const FileFilter Obj = {u"obj (*.obj)", u"*.obj"}, Any = {u"all files", u"*"},
                 Meshes = {u"m", u"*.obj;*.OBJ"};

TEST(DesktopDialogArguments, FilterPairsAndFileChoosers) {
  const std::pair<TextView, size_t> lists[] = {{TextView(u"a\0*.a\0b\0*.b\0\0", 14), 2},
                                               {TextView(u"a\0\0b\0*.b\0\0", 11), 0},
                                               {TextView(u"a\0*.a\0lonely\0\0", 15), 1},
                                               {TextView(u"a\0*.a", 5), 1}};
  for (const auto& [list, pairs] : lists) EXPECT_EQ(FilterPairs(list).size(), pairs) << U8(list);
  EXPECT_EQ(U8(FilterPairs(TextView(u"a\0*.a", 5))[0].pattern), "*.a");
  const std::tuple<DesktopProgram, FileChooserSetup, Arguments> cases[] = {
      {DesktopProgram::Zenity,
       {u"open obj file", {Obj}, 0, T("/ü/file.obj")},
       {"zenity", "--file-selection", "--title=open obj file", "--filename=/ü/file.obj",
        "--file-filter=obj (*.obj) | *.obj"}},
      {DesktopProgram::Kdialog,
       {u"t", {Obj}, 0, u"/u/f.obj"},
       {"kdialog", "--title", "t", "--getopenfilename", "/u/f.obj", "*.obj|obj (*.obj)"}},
      {DesktopProgram::Zenity,
       {u"t", {Obj, Any, Meshes}, 1, u"/d/"},
       {"zenity", "--file-selection", "--title=t", "--filename=/d/", "--file-filter=all files | *",
        "--file-filter=obj (*.obj) | *.obj", "--file-filter=m | *.obj *.OBJ"}},
      {DesktopProgram::Kdialog,
       {u"t", {Obj, Any, Meshes}, 2, u"/d/"},
       {"kdialog", "--title", "t", "--getopenfilename", "/d/",
        "*.obj *.OBJ|m\n*.obj|obj (*.obj)\n*|all files"}},
      {DesktopProgram::Zenity,
       {u"t", {Obj, Any}, 7, u""},
       {"zenity", "--file-selection", "--title=t", "--file-filter=obj (*.obj) | *.obj",
        "--file-filter=all files | *"}},
      {DesktopProgram::Kdialog, {u"", {}, 0, u""}, {"kdialog", "--title", "", "--getopenfilename", "."}}};
  for (const auto& [program, setup, expected] : cases)
    EXPECT_EQ(FileChooserArguments(program, setup), expected);
}

TEST(DesktopDialogArguments, MessageBoxesAndTheirEnvironment) {
  const std::pair<TextView, std::string> texts[] = {
      {u"tri.inc created \r3  vertexs\r", "tri.inc created \n3  vertexs"},
      {u"one\r\ntwo\r\n", "one\ntwo"},
      {u"gap\r\rafter", "gap\n\nafter"},
      {u"", ""},
      {u"-x <b>b</b> & 'q'", "-x <b>b</b> & 'q'"}};
  for (const auto& [text, lines] : texts) {
    EXPECT_EQ(MessageBoxArguments(DesktopProgram::Zenity, u"Info:", text),
              (Arguments{"zenity", "--info", "--title=Info:", "--text=" + lines, "--no-markup"}));
    EXPECT_EQ(MessageBoxArguments(DesktopProgram::Kdialog, u"-c", text),
              (Arguments{"kdialog", "--title", "-c", "--msgbox", lines}));
  }
  const std::pair<Arguments, Arguments> environments[] = {
      {{"PATH=/bin", "LANG=de_DE.UTF-8"}, {"PATH=/bin", "LANG=de_DE.UTF-8", "LC_CTYPE=C.UTF-8"}},
      {{"LANG=C", "LC_CTYPE=C", "DISPLAY=:0"}, {"LANG=C", "DISPLAY=:0", "LC_CTYPE=C.UTF-8"}},
      {{"LC_ALL=fr_FR", "LANG=de_DE", "LC_X=C"}, {"LC_X=C", "LANG=fr_FR", "LC_CTYPE=C.UTF-8"}},
      {{"LC_ALL=", "LANG=C"}, {"LANG=C", "LC_CTYPE=C.UTF-8"}},
      {{"LC_ALLX=1"}, {"LC_ALLX=1", "LC_CTYPE=C.UTF-8"}}};
  for (const auto& [ours, theirs] : environments) EXPECT_EQ(DialogEnvironment(ours), theirs);
}

class DesktopDialogs : public ::testing::Test {
 protected:
  // A script at folder/name with mode; a zenity by default, recording its arguments.
  std::string Script(const std::string& name, const std::string& body = "", mode_t mode = 0755) {
    const fs::path path = folder_.Path() / name;
    fs::create_directories(path.parent_path());
    testing::WriteBytes(path, "#!/bin/sh\nprintf '%s\\n' \"$@\" >'" + Recorded() + "'\n" + body + "\n");
    chmod(path.c_str(), mode);
    return path.string();
  }
  std::string Recorded() const { return (folder_.Path() / "arguments").string(); }
  DesktopDialogProgram Zenity(const std::string& body) {
    return {DesktopProgram::Zenity, Script("zenity", body)};
  }
  testing::TemporaryDirectory folder_;
};

TEST_F(DesktopDialogs, FindsZenityElseKdialogWhereADisplayIsSet) {
  const std::string both = fs::path(Script("both/zenity")).parent_path().string();
  const std::string kde = fs::path(Script("kde/kdialog")).parent_path().string();
  Script("both/kdialog");
  const std::string plain = fs::path(Script("plain/zenity", "", 0644)).parent_path().string();
  fs::create_directories(folder_.Path() / "folder/zenity");
  const std::string folder = (folder_.Path() / "folder").string();
  const std::pair<DesktopEnvironment, std::string> cases[] = {
      {{":0", "", both}, both + "/zenity"},
      {{"", "wayland-0", both}, both + "/zenity"},
      {{"", "", both}, ""},
      {{":0", "", kde}, kde + "/kdialog"},
      {{":0", "", kde + ":" + both}, both + "/zenity"},
      {{":0", "", plain + ":" + folder + ":" + kde}, kde + "/kdialog"},
      {{":0", "", "::"}, ""},
      {{":0", "", plain}, ""}};
  for (const auto& [environment, executable] : cases) {
    const auto program = FindDesktopDialogProgram(environment);
    EXPECT_EQ(program ? program->executable : "", executable) << environment.searchPath;
    if (program) {
      EXPECT_EQ(program->kind == DesktopProgram::Kdialog, executable.ends_with("kdialog"));
    }
  }
}

TEST_F(DesktopDialogs, TheChosenPathIsWhatASuccessfulChooserPrinted) {
  const std::pair<std::string, std::string> cases[] = {{"echo /m/a.obj", "/m/a.obj"},
                                                       {"printf ' /m/a b.obj '", " /m/a b.obj "},
                                                       {"printf '/m/\\374.obj\\n'", "/m/\xfc.obj"},
                                                       {"exit 1", ""},
                                                       {"echo /m/a.obj; exit 1", ""},
                                                       {"exit 0", ""},
                                                       {"echo /m/a.obj; kill -9 $$", ""}};
  FileDialogRequest request;
  request.title = u"open obj file";
  request.filterList = Text(u"obj (*.obj)\0*.obj\0\0\0", 20);
  for (const auto& [body, path] : cases) {
    Text chosen = u"untouched";
    EXPECT_EQ(DesktopFileChooser(Zenity(body), request, chosen), !path.empty()) << body;
    std::string bytes;
    TextToAnsi(chosen, bytes);
    EXPECT_EQ(path.empty() ? "" : bytes, path) << body;
  }
  const std::string here = fs::current_path().string(), there = folder_.Path().string();
  const std::pair<Text, std::string> starts[] = {{u"C:", here + "/file.obj"},
                                                 {T(there), there + "/file.obj"},
                                                 {T(there + "/zenity"), here + "/file.obj"}};
  std::copy_n(u"file.obj", 8, request.fileBuffer.begin());
  for (const auto& [directory, filename] : starts) {
    request.initialDirectory = directory;
    Text chosen;
    DesktopFileChooser(Zenity("exit 1"), request, chosen);
    EXPECT_EQ(testing::ReadBytes(Recorded()), "--file-selection\n--title=open obj file\n--filename=" +
                                                  filename + "\n--file-filter=obj (*.obj) | *.obj\n");
  }
}

TEST_F(DesktopDialogs, AMessageBoxIsOkOnceTheUserClosedIt) {
  const std::pair<std::string, int32_t> cases[] = {
      {"exit 0", 1}, {"exit 1", 1}, {"exit 5", 0}, {"kill -9 $$", 0}, {"cat >/dev/null", 1}};
  for (const auto& [body, button] : cases)
    EXPECT_EQ(DesktopMessageBox(Zenity(body), u"a\rb\r", u"Info:"), button) << body;
  EXPECT_EQ(testing::ReadBytes(Recorded()), "--info\n--title=Info:\n--text=a\nb\n--no-markup\n");
  const DesktopDialogProgram missing = {DesktopProgram::Zenity, "/nonexistent/zenity"};
  Text chosen;
  EXPECT_FALSE(DesktopFileChooser(missing, FileDialogRequest{}, chosen));
  EXPECT_EQ(DesktopMessageBox(missing, u"text", u"caption"), 0);
}

}  // namespace
}  // namespace meshfold
