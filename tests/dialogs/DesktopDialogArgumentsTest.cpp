#include "dialogs/posix/DesktopDialogArguments.h"

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::T;
using testing::U8;
using Arguments = std::vector<std::string>;

const FileFilter Obj = {u"obj (*.obj)", u"*.obj"};
const FileFilter Any = {u"all files", u"*"};
const FileFilter Meshes = {u"meshes", u"*.obj;*.OBJ"};

TEST(DesktopDialogArguments, FilterPairsOfAFilterList) {
  struct Case {
    TextView list;
    std::vector<std::pair<std::string, std::string>> pairs;
  } const cases[] = {
      {TextView(u"obj (*.obj)\0*.obj\0\0\0", 20), {{"obj (*.obj)", "*.obj"}}},
      {TextView(u"a\0*.a\0b\0*.b\0\0", 14), {{"a", "*.a"}, {"b", "*.b"}}},
      {TextView(u"\0\0\0", 3), {}},
      {TextView(u"a\0\0b\0*.b\0\0", 11), {}},                 // an empty string ends the list
      {TextView(u"a\0*.a\0lonely\0\0", 15), {{"a", "*.a"}}},  // a label without pattern
      {TextView(u"a\0*.a", 5), {{"a", "*.a"}}},               // no terminator at all
  };
  for (const Case& c : cases) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const FileFilter& filter : FilterPairs(c.list))
      pairs.emplace_back(U8(filter.label), U8(filter.pattern));
    EXPECT_EQ(pairs, c.pairs) << U8(c.list);
  }
}

TEST(DesktopDialogArguments, FileChooser) {
  struct Case {
    const char* what;
    DesktopProgram program;
    FileChooserSetup setup;
    Arguments expected;
  } const cases[] = {
      {"the converter's request",
       DesktopProgram::Zenity,
       {u"open obj file", {Obj}, 0, u"/home/u/file.obj"},
       {"zenity", "--file-selection", "--title=open obj file", "--filename=/home/u/file.obj",
        "--file-filter=obj (*.obj) | *.obj"}},
      {"the converter's request",
       DesktopProgram::Kdialog,
       {u"open obj file", {Obj}, 0, u"/home/u/file.obj"},
       {"kdialog", "--title", "open obj file", "--getopenfilename", "/home/u/file.obj", "*.obj|obj (*.obj)"}},
      {"second filter selected",
       DesktopProgram::Zenity,
       {u"t", {Obj, Any, Meshes}, 1, u"/d/"},
       {"zenity", "--file-selection", "--title=t", "--filename=/d/", "--file-filter=all files | *",
        "--file-filter=obj (*.obj) | *.obj", "--file-filter=meshes | *.obj *.OBJ"}},
      {"last filter selected",
       DesktopProgram::Kdialog,
       {u"t", {Obj, Any, Meshes}, 2, u"/d/"},
       {"kdialog", "--title", "t", "--getopenfilename", "/d/",
        "*.obj *.OBJ|meshes\n*.obj|obj (*.obj)\n*|all files"}},
      {"selection beyond the list",
       DesktopProgram::Zenity,
       {u"t", {Obj, Any}, 7, u"/d/"},
       {"zenity", "--file-selection", "--title=t", "--filename=/d/", "--file-filter=obj (*.obj) | *.obj",
        "--file-filter=all files | *"}},
      {"no filters, no preset",
       DesktopProgram::Zenity,
       {u"", {}, 0, u""},
       {"zenity", "--file-selection", "--title="}},
      {"no filters, no preset",
       DesktopProgram::Kdialog,
       {u"", {}, 0, u""},
       {"kdialog", "--title", "", "--getopenfilename", "."}},
      {"texts that look like options or quotes",
       DesktopProgram::Kdialog,
       {u"-t \"x\"", {{u"a | b", u"*.a"}}, 0, u"/d/-n 'q'.obj"},
       {"kdialog", "--title", "-t \"x\"", "--getopenfilename", "/d/-n 'q'.obj", "*.a|a | b"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileChooserArguments(c.program, c.setup), c.expected) << c.what;
  }
}

TEST(DesktopDialogArguments, FileChooserKeepsNonAsciiBytes) {
  const FileChooserSetup setup = {T("öffnen"), {Obj}, 0, T("/home/ü/file.obj")};
  const Arguments arguments = FileChooserArguments(DesktopProgram::Zenity, setup);
  EXPECT_EQ(arguments[2], "--title=öffnen");
  EXPECT_EQ(arguments[3], "--filename=/home/ü/file.obj");
}

TEST(DesktopDialogArguments, MessageBox) {
  struct Case {
    TextView caption;
    TextView text;
    std::string lines;  // the text as both programs are given it
  } const cases[] = {
      {u"Meshfold 0.1  k.dorsel 11.21.23", u"tri.inc created \r3  vertexs\r1  vertex normals\r1  faces\r",
       "tri.inc created \n3  vertexs\n1  vertex normals\n1  faces"},
      {u"Info:", u"canceled", "canceled"},
      {u"c", u"one\r\ntwo\r\n", "one\ntwo"},
      {u"c", u"gap\r\rafter", "gap\n\nafter"},
      {u"c", u"", ""},
      {u"-c", u"-x <b>bold</b> & C:\\new\\tab 'q' \"q\"", "-x <b>bold</b> & C:\\new\\tab 'q' \"q\""},
  };
  for (const Case& c : cases) {
    const std::string caption = U8(c.caption);
    EXPECT_EQ(MessageBoxArguments(DesktopProgram::Zenity, c.caption, c.text),
              (Arguments{"zenity", "--info", "--title=" + caption, "--text=" + c.lines, "--no-markup"}))
        << U8(c.text);
    EXPECT_EQ(MessageBoxArguments(DesktopProgram::Kdialog, c.caption, c.text),
              (Arguments{"kdialog", "--title", caption, "--msgbox", c.lines}))
        << U8(c.text);
  }
}

TEST(DesktopDialogArguments, DialogEnvironmentMakesTheCharacterSetUtf8) {
  struct Case {
    Arguments ours;
    Arguments theirs;
  } const cases[] = {
      {{"PATH=/bin", "LANG=de_DE.UTF-8"}, {"PATH=/bin", "LANG=de_DE.UTF-8", "LC_CTYPE=C.UTF-8"}},
      {{"LANG=C", "LC_CTYPE=C", "DISPLAY=:0"}, {"LANG=C", "DISPLAY=:0", "LC_CTYPE=C.UTF-8"}},
      {{"LC_ALL=fr_FR", "LANG=de_DE", "LC_MESSAGES=C"}, {"LC_MESSAGES=C", "LANG=fr_FR", "LC_CTYPE=C.UTF-8"}},
      {{"LC_ALL=", "LANG=C"}, {"LANG=C", "LC_CTYPE=C.UTF-8"}},
      {{"LC_ALLX=1", "LANGUAGE=de"}, {"LC_ALLX=1", "LANGUAGE=de", "LC_CTYPE=C.UTF-8"}},
      {{}, {"LC_CTYPE=C.UTF-8"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DialogEnvironment(c.ours), c.theirs) << (c.ours.empty() ? "" : c.ours.front());
  }
}

}  // namespace
}  // namespace meshfold
