#include "converter/looks/MaterialLook.h"

#include <algorithm>

#include "text/StringOperations.h"

namespace meshfold {

namespace {

Text VectorText(std::initializer_list<double> values) {
  char16_t units[128];
  return Text(units, AppendDecimalVector(units, values));
}

// The image of map, or false with a warning that says what stands instead.
bool UsableImage(const Material& material, TextView map, TextView instead, const ImageSetting& setting,
                 FoundImage& image, std::vector<Text>& warnings) {
  if (map.empty()) return false;
  Text why = u"needs texture coordinates on every face";
  if (setting.uvMapped && setting.images.Find(material.folder, map, image, why)) return true;
  warnings.push_back(JoinedText({u"material ", material.name, u": image ", map, u" ", why, u"; ", instead}));
  return false;
}

// A modeller never shows a wholly invisible surface, and exporters disagree
// on what Tr means: such a material was meant opaque, its image too.
double Transmit(const Material& material, std::vector<Text>& warnings) {
  const double transmit = std::clamp(1 - material.opacity, 0.0, 1.0);
  if (transmit < 1) return transmit;
  warnings.push_back(JoinedText({u"material ", material.name, u" would be wholly invisible (",
                                 material.opacitySaid, u"); it stands opaque instead"}));
  return 0;
}

Text Pigment(const Material& material, const ImageSetting& setting, std::vector<Text>& warnings) {
  const double transmit = Transmit(material, warnings);
  const Vector3& kd = material.diffuse;
  FoundImage image;
  if (!UsableImage(material, material.diffuseMap, u"its Kd colour stands instead", setting, image,
                   warnings)) {
    if (transmit == 0) return JoinedText({u"pigment { rgb ", VectorText({kd[0], kd[1], kd[2]}), u" }"});
    return JoinedText({u"pigment { rgbt ", VectorText({kd[0], kd[1], kd[2], transmit}), u" }"});
  }
  return JoinedText({u"pigment { uv_mapping image_map { ", image.kind, u" \"", image.written, u"\"",
                     transmit > 0 ? u" transmit all " : u"", transmit > 0 ? DecimalText(transmit) : u"",
                     u" } }"});
}

Text Finish(const Material& material) {
  const Vector3& ks = material.specular;
  const double highlight = material.illumination < 2 ? 0 : (ks[0] + ks[1] + ks[2]) / 3;
  const Vector3& ke = material.emission;
  const bool emits = ke[0] > 0 || ke[1] > 0 || ke[2] > 0;
  if (highlight <= 0 && !emits) return {};
  Text finish = u"finish {";
  if (highlight > 0)
    AppendTexts(finish, {u" phong ", DecimalText(highlight), u" phong_size ",
                         DecimalText(std::max(material.shininess, 1.0))});
  if (emits) AppendTexts(finish, {u" emission rgb ", VectorText({ke[0], ke[1], ke[2]})});
  return finish + u" }";
}

Text Normal(const Material& material, const ImageSetting& setting, std::vector<Text>& warnings) {
  FoundImage image;
  if (!UsableImage(material, material.bumpMap, u"it has no bump map", setting, image, warnings)) return {};
  return JoinedText({u"normal { uv_mapping bump_map { ", image.kind, u" \"", image.written, u"\" bump_size ",
                     DecimalText(material.bumpSize), u" } }"});
}

}  // namespace

MaterialLook LookOf(const Material& material, const ImageSetting& setting, std::vector<Text>& warnings) {
  MaterialLook look{Pigment(material, setting, warnings), Finish(material)};
  const Text normal = Normal(material, setting, warnings);
  if (!normal.empty()) look.rest += (look.rest.empty() ? u"" : u" ") + normal;
  return look;
}

Text TextureText(TextView pigment, TextView rest) {
  return JoinedText({u"texture { ", pigment, rest.empty() ? u"" : u" ", rest, u" }"});
}

}  // namespace meshfold
