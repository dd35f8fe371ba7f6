#include "converter/ConvertObjFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "converter/IncludeNames.h"
#include "tests/support/FakeOsFiles.h"
#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::FakeCall;
using testing::FakeOsFiles;
using testing::ReadBytes;
using testing::ScopedFakeOsFiles;
using testing::T;
using testing::TemporaryDirectory;
using testing::TestData;
using testing::U8;
using testing::WriteBytes;

TEST(IncludeNames, DropFourCharactersWhateverTheyAre) {
  struct Case {
    const char* objPath;
    const char* baseName;
    const char* includePath;
  } const cases[] = {
      {"C:\\models\\cube.obj", "cube", "C:\\models\\cube.inc"},
      {"C:\\models\\CUBE.OBJ", "CUBE", "C:\\models\\CUBE.inc"},
      {"C:\\models\\mesh.objx", "mesh.", "C:\\models\\mesh..inc"},
      {"C:\\models\\mesh", "", "C:\\models\\.inc"},
      {"C:\\models\\ab", "", "C:\\models\\.inc"},
      {"C:\\models\\scene.inc", "scene", "C:\\models\\scene.inc"},
      {"/home/user/mesh.obj", "mesh", "/home/user/mesh.inc"},
  };
  for (const Case& c : cases) {
    const Text objPath = T(c.objPath);
    const IncludeNames names = DeriveIncludeNames(objPath);
    EXPECT_EQ(U8(names.BaseName), c.baseName);
    EXPECT_EQ(U8(names.IncludePath), c.includePath);
  }
}

class ConvertObjFileTest : public ::testing::Test {
 protected:
  ConversionOutcome Convert(const std::string& name) { return ConvertObjFile(directory_.TextPath(name)); }
  std::filesystem::path In(const std::string& name) const { return directory_.Path() / name; }

  TemporaryDirectory directory_;
};

TEST_F(ConvertObjFileTest, MeshesConvertToTheirGoldenFiles) {
  struct Case {
    const char* name;
    const char* summary;
  } const cases[] = {
      {"tri", "tri.inc created \r3  vertexs\r1  vertex normals\r1  faces\r"},
      {"cube", "cube.inc created \r8  vertexs\r6  vertex normals\r12  faces\r"},
      {"odd", "odd.inc created \r3  vertexs\r2  vertex normals\r9  faces\r"},
      {"mac", "mac.inc created \r3  vertexs\r1  vertex normals\r1  faces\r"},
  };
  for (const Case& c : cases) {
    const std::string obj = std::string(c.name) + ".obj";
    const std::string golden = ReadBytes(TestData("meshes/" + std::string(c.name) + ".inc"));
    ASSERT_FALSE(golden.empty()) << c.name;
    std::filesystem::copy_file(TestData("meshes/" + obj), In(obj));
    WriteBytes(In(std::string(c.name) + ".inc"), std::string(20000, '#'));  // replaced whole
    const ConversionOutcome outcome = Convert(obj);
    EXPECT_TRUE(outcome.converted) << c.name;
    EXPECT_EQ(U8(outcome.message), c.summary);
    EXPECT_EQ(ReadBytes(In(std::string(c.name) + ".inc")), golden) << c.name;
  }
}

TEST_F(ConvertObjFileTest, EmptyFilesGiveTheSevenLineFile) {
  WriteBytes(In("empty.obj"), "");
  WriteBytes(In("other.obj"), "# nothing\nvt 1 1\n\n");
  for (const char* name : {"empty", "other"}) {
    const ConversionOutcome outcome = Convert(std::string(name) + ".obj");
    EXPECT_EQ(U8(outcome.message),
              std::string(name) + ".inc created \r0  vertexs\r0  vertex normals\r0  faces\r");
    EXPECT_EQ(ReadBytes(In(std::string(name) + ".inc")),
              "//   smooth triangles from " + std::string(name) +
                  ".obj\r\n//   face count: 0\r\n//   k.dorsel 11.21.2023\r\n\r\n#declare " + name +
                  " = \r\n   union {\r\n   }\r\n");
  }
}

TEST_F(ConvertObjFileTest, AFileThatCannotBeOpenedIsNamedWithTheReason) {
  const ConversionOutcome outcome = Convert("missing.obj");
  EXPECT_FALSE(outcome.converted);
  const std::string message = U8(outcome.message);
  EXPECT_EQ(message.rfind(U8(directory_.TextPath("missing.obj")) + "\rcould not be opened: ", 0), 0u)
      << message;
  EXPECT_GT(message.size(), U8(directory_.TextPath("missing.obj")).size() + 24) << "the reason follows";
  EXPECT_FALSE(std::filesystem::exists(In("missing.inc")));
}

TEST_F(ConvertObjFileTest, AnIncludeFileThatCannotBeWrittenIsNeverCalledCreated) {
  WriteBytes(In("mesh.obj"), "v 1 2 3\n");
  std::filesystem::create_directory(In("mesh.inc"));
  const ConversionOutcome outcome = Convert("mesh.obj");
  EXPECT_FALSE(outcome.converted);
  EXPECT_EQ(U8(outcome.message).rfind(U8(directory_.TextPath("mesh.inc")) + "\rcould not be written: ", 0),
            0u)
      << U8(outcome.message);
  EXPECT_EQ(U8(outcome.message).find("created"), std::string::npos);
}

TEST_F(ConvertObjFileTest, TheChosenFileIsNeverReplaced) {
  WriteBytes(In("scene.inc"), "v 1 2 3\n");
  WriteBytes(In("alias.inc"), "v 4 5 6\n");
  std::vector<std::string> chosen = {"scene.inc"};
  std::error_code error;
  std::filesystem::create_hard_link(In("alias.inc"), In("alias.obj"), error);
  if (!error) chosen.push_back("alias.obj");  // a second name for the include file itself
  for (const std::string& name : chosen) {
    const ConversionOutcome outcome = Convert(name);
    EXPECT_FALSE(outcome.converted) << name;
    EXPECT_NE(U8(outcome.message).find("would replace the chosen file"), std::string::npos) << name;
  }
  EXPECT_EQ(ReadBytes(In("scene.inc")), "v 1 2 3\n");
  EXPECT_EQ(ReadBytes(In("alias.inc")), "v 4 5 6\n");
}

TEST(ConvertObjFileFaults, AReadErrorLeavesTheIncludeFileUntouched) {
  FakeOsFiles fake;
  ScopedFakeOsFiles scope(fake);
  fake.files[u"/m/mesh.obj"].bytes = std::string(5000, 'v');
  fake.files[u"/m/mesh.inc"].bytes = "previous";
  fake.FailCall(FakeCall::Read, 1, 5, true);
  const ConversionOutcome outcome = ConvertObjFile(u"/m/mesh.obj");
  EXPECT_FALSE(outcome.converted);
  EXPECT_EQ(U8(outcome.message).rfind("/m/mesh.obj\rcould not be read; nothing was written: ", 0), 0u)
      << U8(outcome.message);
  EXPECT_EQ(fake.files[u"/m/mesh.inc"].bytes, "previous");
}

}  // namespace
}  // namespace meshfold
