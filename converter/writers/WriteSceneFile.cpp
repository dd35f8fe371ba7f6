#include "converter/writers/WriteSceneFile.h"

#include <span>

#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

// Why the model is turned as it is, for a file with +Y up and for one with +Z up.
constexpr TextView YUpComment[] = {
    u"// OBJ files are right-handed, with +Y up and their front toward +Z; POV-Ray is",
    u"// left-handed. Scaling z by -1 turns the one frame into the other without",
    u"// mirroring the model: its front then faces -z, where the camera stands.",
};
constexpr TextView ZUpComment[] = {
    u"// OBJ files are right-handed, and this one has +Z up and its front toward -Y;",
    u"// POV-Ray is left-handed, with +Y up. Swapping y and z turns the one frame into",
    u"// the other without mirroring the model: its front then faces -z, where the",
    u"// camera stands.",
};

// The scene after the line that declares the model as Model.
constexpr TextView SceneBody[] = {
    u"",
    u"#declare Low = min_extent(Model);",
    u"#declare High = max_extent(Model);",
    u"#if (High.x < Low.x | vlength(High - Low) > 1e9)  // nothing to frame",
    u"  #declare Low = <-1, -1, -1>;",
    u"  #declare High = <1, 1, 1>;",
    u"#end",
    u"#declare Middle = (Low + High) / 2;",
    u"#declare Size = max(vlength(High - Low), 1e-6);",
    u"",
    u"// The camera looks at the middle from in front, a little above and to the",
    u"// right, as near as lets each corner of the extent into the picture with a",
    u"// margin, across and up, at whatever size the picture is rendered.",
    u"#declare Angle = 40;  // across the picture",
    u"#declare Reach = 0.85;  // of the half width or height, that a corner may take",
    u"#declare Forward = -vnormalize(<0.45, 0.35, -1>);",
    u"#declare Across = vnormalize(vcross(y, Forward));",
    u"#declare Upward = vcross(Forward, Across);",
    u"#declare Wide = Reach * tan(radians(Angle / 2));",
    u"#declare Tall = Wide * image_height / image_width;",
    u"#declare Distance = 0.6 * Size;  // outside the sphere around the extent",
    u"#for (Corner, 0, 7)",
    u"  #declare Offset = (High - Low) / 2",
    u"    * <2 * mod(Corner, 2) - 1, 2 * mod(div(Corner, 2), 2) - 1, 2 * div(Corner, 4) - 1>;",
    u"  #declare Distance = max(Distance, max(abs(vdot(Offset, Across)) / Wide,",
    u"                                        abs(vdot(Offset, Upward)) / Tall) - vdot(Offset, Forward));",
    u"#end",
    u"",
    u"camera {",
    u"  location Middle - Distance * Forward",
    u"  look_at Middle",
    u"  right x * image_width / image_height",
    u"  angle Angle",
    u"}",
    u"light_source { Middle + <-1, 2, -1.5> * 2 * Size color rgb 1 }",
    u"light_source { Middle + <1.5, 0.5, -1> * 2 * Size color rgb 0.35 shadowless }",
    u"background { color rgb <0.6, 0.65, 0.72> }",
    u"// Faces the include file gives no texture of their own are light grey.",
    u"object { Model texture { pigment { color rgb 0.8 } } }",
};

}  // namespace

TextView ModelTurn(UpAxis up) {
  return up == UpAxis::Z ? u"matrix <1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0>" : u"scale <1, 1, -1>";
}

OsError WriteSceneFile(TextView scenePath, TextView includeName, TextView declared, UpAxis up) {
  return WriteTextFile(scenePath, [&](FileHandle file) {
    WriteLine(file,
              JoinedText({u"// The scene of ", includeName, u", as Meshfold wrote it: povray ",
                          FilePart(scenePath)}),
              EncodingAnsi);
    WriteLine(file, u"#version 3.7;", EncodingAnsi);
    WriteLine(file, u"global_settings { assumed_gamma 1.0 }", EncodingAnsi);
    WriteLine(file, JoinedText({u"#include \"", includeName, u"\""}), EncodingAnsi);
    WriteLine(file, u"", EncodingAnsi);
    for (TextView line :
         up == UpAxis::Z ? std::span<const TextView>(ZUpComment) : std::span<const TextView>(YUpComment))
      WriteLine(file, line, EncodingAnsi);
    WriteLine(file, JoinedText({u"#declare Model = object { ", declared, u" ", ModelTurn(up), u" }"}),
              EncodingAnsi);
    for (TextView line : SceneBody) WriteLine(file, line, EncodingAnsi);
  });
}

}  // namespace meshfold
