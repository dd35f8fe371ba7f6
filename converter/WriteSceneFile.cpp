#include "converter/WriteSceneFile.h"

#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

// The scene after its #include line; the model is Model.
constexpr TextView SceneBody[] = {
    u"",
    u"// OBJ files are right-handed, with +Y up and their front toward +Z; POV-Ray is",
    u"// left-handed. Scaling z by -1 turns the one frame into the other without",
    u"// mirroring the model: its front then faces -z, where the camera stands.",
    u"#declare Model = object { MESH scale <1, 1, -1> }",
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
    u"camera {",
    u"  location Middle + vnormalize(<0.45, 0.35, -1>) * 1.7 * Size",
    u"  look_at Middle",
    u"  right x * image_width / image_height",
    u"  angle 40",
    u"}",
    u"light_source { Middle + <-1, 2, -1.5> * 2 * Size color rgb 1 }",
    u"light_source { Middle + <1.5, 0.5, -1> * 2 * Size color rgb 0.35 shadowless }",
    u"background { color rgb <0.6, 0.65, 0.72> }",
    u"// Faces the include file gives no texture of their own are light grey.",
    u"object { Model texture { pigment { color rgb 0.8 } } }",
};

}  // namespace

OsError WriteSceneFile(TextView scenePath, TextView includeName, TextView declared) {
  OsError error = 0;
  const FileHandle file = CreateTextFile(AnyHandle, scenePath, error);
  if (file == 0) return error;
  WriteLine(
      file,
      JoinedText({u"// The scene of ", includeName, u", as Meshfold wrote it: povray ", FilePart(scenePath)}),
      EncodingAnsi);
  WriteLine(file, u"#version 3.7;", EncodingAnsi);
  WriteLine(file, u"global_settings { assumed_gamma 1.0 }", EncodingAnsi);
  WriteLine(file, JoinedText({u"#include \"", includeName, u"\""}), EncodingAnsi);
  for (TextView line : SceneBody) {
    const size_t mesh = line.find(u"MESH");
    WriteLine(file,
              mesh == TextView::npos ? Text(line)
                                     : JoinedText({line.substr(0, mesh), declared, line.substr(mesh + 4)}),
              EncodingAnsi);
  }
  return CloseTextFile(file);
}

}  // namespace meshfold
