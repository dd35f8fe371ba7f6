#include "converter/looks/MaterialLook.h"

#include <algorithm>
#include <cmath>

#include "text/StringOperations.h"

namespace meshfold {

namespace {

// The number AppendDecimal writes of value: looks that differ below a
// millionth write the same texture, so they must be equal looks too. Beyond a
// billion, a count of millionths is no longer exact, and value stays as it is.
double Written(double value) { return std::fabs(value) < 1e9 ? std::round(value * 1e6) / 1e6 : value; }

Vector3 Written(const Vector3& vector) {
  return {Written(vector[0]), Written(vector[1]), Written(vector[2])};
}

Text VectorText(std::initializer_list<double> values) {
  char16_t units[128];
  return Text(units, AppendDecimalVector(units, values));
}

Text VectorText(const Vector3& vector) { return VectorText({vector[0], vector[1], vector[2]}); }

// The image of map, or none with a warning that says what stands instead.
std::optional<FoundImage> UsableImage(const Material& material, TextView map, TextView instead,
                                      const ImageSetting& setting, std::vector<Text>& warnings) {
  if (map.empty()) return std::nullopt;
  FoundImage image;
  Text why = u"needs texture coordinates on every face";
  if (setting.uvMapped && setting.images.Find(material.folder, map, image, why)) return image;
  warnings.push_back(JoinedText({u"material ", material.name, u": image ", map, u" ", why, u"; ", instead}));
  return std::nullopt;
}

// A modeller never shows a wholly invisible surface, and exporters disagree
// on what Tr means: such a material was meant opaque, its image too.
std::optional<double> Transmit(const Material& material, std::vector<Text>& warnings) {
  const double transmit = std::clamp(1 - material.opacity, 0.0, 1.0);
  if (transmit < 1) return transmit > 0 ? std::optional(Written(transmit)) : std::nullopt;
  warnings.push_back(JoinedText({u"material ", material.name, u" would be wholly invisible (",
                                 material.opacitySaid, u"); it stands opaque instead"}));
  return std::nullopt;
}

std::optional<MaterialLook::Highlight> HighlightOf(const Material& material) {
  const Vector3& ks = material.specular;
  const double phong = material.illumination < 2 ? 0 : (ks[0] + ks[1] + ks[2]) / 3;
  if (phong <= 0) return std::nullopt;
  return MaterialLook::Highlight{Written(phong), Written(std::max(material.shininess, 1.0))};
}

std::optional<Vector3> EmissionOf(const Material& material) {
  const Vector3& ke = material.emission;
  if (ke[0] > 0 || ke[1] > 0 || ke[2] > 0) return Written(ke);
  return std::nullopt;
}

Text PigmentText(const MaterialLook& look) {
  if (const FoundImage* image = std::get_if<FoundImage>(&look.pigment))
    return JoinedText({u"pigment { uv_mapping image_map { ", image->kind, u" \"", image->written, u"\"",
                       look.transmit ? u" transmit all " : u"",
                       look.transmit ? DecimalText(*look.transmit) : u"", u" } }"});
  const Vector3& kd = std::get<Vector3>(look.pigment);
  if (!look.transmit) return JoinedText({u"pigment { rgb ", VectorText(kd), u" }"});
  return JoinedText({u"pigment { rgbt ", VectorText({kd[0], kd[1], kd[2], *look.transmit}), u" }"});
}

}  // namespace

MaterialLook LookOf(const Material& material, const ImageSetting& setting, std::vector<Text>& warnings) {
  MaterialLook look{Written(material.diffuse), Transmit(material, warnings), HighlightOf(material),
                    EmissionOf(material), std::nullopt};
  if (std::optional<FoundImage> image =
          UsableImage(material, material.diffuseMap, u"its Kd colour stands instead", setting, warnings))
    look.pigment = *image;
  if (std::optional<FoundImage> image =
          UsableImage(material, material.bumpMap, u"it has no bump map", setting, warnings))
    look.bump = MaterialLook::Bump{*image, Written(material.bumpSize)};
  return look;
}

Text RestText(const MaterialLook& look) {
  Text rest;
  if (look.highlight || look.emission) {
    rest = u"finish {";
    if (look.highlight)
      AppendTexts(rest, {u" phong ", DecimalText(look.highlight->phong), u" phong_size ",
                         DecimalText(look.highlight->size)});
    if (look.emission) AppendTexts(rest, {u" emission rgb ", VectorText(*look.emission)});
    rest += u" }";
  }
  if (look.bump)
    AppendTexts(rest,
                {rest.empty() ? u"" : u" ", u"normal { uv_mapping bump_map { ", look.bump->image.kind, u" \"",
                 look.bump->image.written, u"\" bump_size ", DecimalText(look.bump->size), u" } }"});
  return rest;
}

Text TextureText(const MaterialLook& look) {
  const Text rest = RestText(look);
  return JoinedText({u"texture { ", PigmentText(look), rest.empty() ? u"" : u" ", rest, u" }"});
}

}  // namespace meshfold
