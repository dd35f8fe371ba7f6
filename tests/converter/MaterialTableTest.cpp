// What each MTL statement becomes in a mesh2's textures, and where its images are found, through the
// whole conversion over the fake file calls.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "converter/ConvertObjFile.h"
#include "tests/support/FakeOsFiles.h"

namespace meshfold {
namespace {

using namespace std::string_literals;

// A 1 x 1 PNG header, whose IHDR CRC holds; the same with that CRC broken.
const std::string Png = "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0\x90\x77\x53\xde"s;
const std::string BadPng = Png.substr(0, Png.size() - 1) + "\xdf";
const std::string Triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

struct Row {
  const char* what;
  std::string mtl;
  std::string expected;      // in the include file
  std::string warning = {};  // the only one
  std::string corners = Triangle;
  std::string library = "m.mtl";
  std::map<Text, std::string> images = {{u"/t/i.png", Png}};
};

const Row Rows[] = {
    {"Kd as the colour", "Kd 0.5 0.25 1", "texture { pigment { rgb <0.5,0.25,1> } }\r\n  }"},
    {"Tr transmits itself", "Kd 1 0 0\nTr 0.25", "{ pigment { rgbt <1,0,0,0.25> } }"},
    {"d transmits the rest", "Kd 1 0 0\nd 0.75", "{ pigment { rgbt <1,0,0,0.25> } }"},
    {"no highlight for illum 1", "Kd 1 0 0\nKs 1 1 1\nNs 9\nillum 1",
     "texture { pigment { rgb <1,0,0> } }\r\n  }"},
    {"Ks and Ns a phong", "Kd 1 0 0\nKs 1 0.5 0\nNs 9", "rgb <1,0,0> } finish { phong 0.5 phong_size 9 } }"},
    {"Ke an emission", "Ke 0 1 0", "finish { emission rgb <0,1,0> } }"},
    {"-bm the bump size", "bump -s 2 2 -bm 0.5 i.png", "bump_map { png \"i.png\" bump_size 0.5 } } }"},
    {"colours in bytes, one texture on a triangle of one", "",
     "pigment { rgb <1,0,0.2> } }\r\n  }\r\n"
     "  face_indices {\r\n    1,\r\n    <0,1,2>,2\r\n",
     "", "v 0 0 0 255 0 51\nv 1 0 0 255 0 51\nv 0 1 0 255 0 51\n"},
    {"Tr 1 made opaque", "Kd 1 0 0\nTr 1", "{ pigment { rgb <1,0,0> } }",
     "material m would be wholly invisible (Tr 1); it stands opaque instead"},
    {"d 0 on an image made opaque", "d 0.0\nmap_Kd i.png", "image_map { png \"i.png\" } } }",
     "material m would be wholly invisible (d 0.0); it stands opaque instead"},
    {"a Windows path by its file name", "map_Kd D:\\dev\\x\\i.png", "image_map { png \"i.png\" } }"},
    // clang-format off
    {"beside the MTL file first", "map_Kd i.png", "image_map { png \"sub/i.png\" } }", "", Triangle, "sub/m.mtl",
     {{u"/t/i.png", Png}, {u"/t/sub/i.png", Png}}},
    {"a name differing in case", "map_Kd sub/I.PNG", "png \"sub/i.png\" }", "", Triangle, "m.mtl",
     {{u"/t/sub/i.png", Png}}},
    {"a broken PNG leaves the colour", "Kd 1 0 0\nmap_Kd i.png", "{ pigment { rgb <1,0,0> } }",
     "material m: image i.png is a broken png file: its IHDR chunk fails its CRC; its Kd colour stands instead",
     Triangle, "m.mtl", {{u"/t/i.png", BadPng}}},
    {"a broken bump map left out", "Kd 1 0 0\nbump i.png", "{ pigment { rgb <1,0,0> } }",
     "material m: image i.png is a broken png file: its IHDR chunk fails its CRC; it has no bump map",
     Triangle, "m.mtl", {{u"/t/i.png", BadPng}}},
    // clang-format on
    {"a colour of words warned of, the grey kept", "Kd red", "<0,1>\r\n  }\r\n  face_indices",
     "m.mtl line 2: Kd takes numbers: red"},
    {"a shininess of words warned of, as if unsaid", "Kd 1 0 0\nKs 1 1 1\nNs shiny",
     "rgb <1,0,0> } finish { phong 1 phong_size 1 } }", "m.mtl line 4: Ns takes a number: shiny"},
    {"one Kd value for all three", "Kd 0.5", "texture { pigment { rgb <0.5,0.5,0.5> } }"},
    {"a finish and a bump map", "Ke 0 1 0\nbump i.png",
     "finish { emission rgb <0,1,0> } normal { uv_mapping bump_map { png \"i.png\" bump_size 1 } } }"},
    {"Kd a millionth off grey is the plain look", "Kd 0.8000001 0.8 0.8", "<0,1>\r\n  }\r\n  face_indices"},
};

struct Converted {
  testing::FakeOsFiles fake;
  ConversionOutcome outcome;
  explicit Converted(const Row& row, const std::string& moreObj = "", const std::string& moreMtl = "") {
    testing::ScopedFakeOsFiles scope(fake);
    fake.files[u"/t/m.obj"].bytes = "mtllib " + row.library + "\n" + row.corners +
                                    "vt 0 0\nvt 1 0\nvt 0 1\nusemtl m\nf 1/1 2/2 3/3\n" + moreObj;
    fake.files[u"/t/" + Text(row.library.begin(), row.library.end())].bytes =
        "newmtl m\n" + row.mtl + "\n" + moreMtl;
    for (const auto& [path, bytes] : row.images) fake.files[path].bytes = bytes;
    outcome = ConvertObjFile(u"/t/m.obj", {IncludeForm::Mesh2});
  }
};

TEST(MaterialTable, EachStatementAsPovRayDrawsIt) {
  for (const Row& row : Rows) {
    Converted run(row);
    EXPECT_NE(run.fake.files[u"/t/m.inc"].bytes.find(row.expected), std::string::npos) << row.what;
    const std::vector<Text> warnings(row.warning.empty() ? 0 : 1,
                                     Text(row.warning.begin(), row.warning.end()));
    EXPECT_EQ(run.outcome.warnings, warnings) << row.what;
  }
}

TEST(MaterialTable, AnImageNamedTwiceIsLookedUpOnce) {
  const Converted once(Rows[10]),
      twice(Rows[10], "usemtl n\nf 1/1 2/2 3/3\n", "newmtl n\nmap_Kd D:\\dev\\x\\i.png\n");
  EXPECT_EQ(twice.fake.Count(testing::FakeCall::Open), once.fake.Count(testing::FakeCall::Open));
}

}  // namespace
}  // namespace meshfold
