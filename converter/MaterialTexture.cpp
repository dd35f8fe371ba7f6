#include "converter/MaterialTexture.h"

#include <algorithm>
#include <string_view>

#include "text/StringOperations.h"

namespace meshfold {

namespace {

using namespace std::string_view_literals;

Text VectorText(std::initializer_list<double> values) {
  char16_t units[128];
  return Text(units, AppendDecimalVector(units, values));
}

bool EndsWithNoCase(TextView text, TextView ending) {
  if (text.size() < ending.size()) return false;
  return std::equal(ending.begin(), ending.end(), text.end() - static_cast<ptrdiff_t>(ending.size()),
                    [](char16_t a, char16_t b) { return (a | 0x20) == (b | 0x20); });
}

// The keyword POV-Ray reads an image with, by the image's first bytes; "" for
// an image it cannot read. A Targa file has no mark of its own: its name says
// it, and its third byte one of the image types POV-Ray reads.
TextView ImageKind(const uint8_t* bytes, int32_t count, TextView name) {
  const std::string_view start(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
  const std::pair<std::string_view, TextView> marks[] = {
      {"\x89PNG"sv, u"png"}, {"\xFF\xD8\xFF"sv, u"jpeg"},
      {"GIF8"sv, u"gif"},    {"II*\0"sv, u"tiff"},
      {"MM\0*"sv, u"tiff"},  {"P6"sv, u"ppm"},
      {"P3"sv, u"ppm"},      {"P5"sv, u"pgm"},
      {"P2"sv, u"pgm"},      {"#?RADIANCE"sv, u"hdr"},
      {"#?RGBE"sv, u"hdr"},  {"\x76\x2F\x31\x01"sv, u"exr"}};
  for (const auto& [mark, kind] : marks)
    if (start.starts_with(mark)) return kind;
  const uint8_t targaTypes[] = {1, 2, 3, 9, 10, 11};
  const bool targa =
      count >= 3 && std::find(std::begin(targaTypes), std::end(targaTypes), bytes[2]) != std::end(targaTypes);
  return targa && EndsWithNoCase(name, u".tga") ? TextView(u"tga") : TextView();
}

Text Slashed(TextView path) {
  Text text(path);
  std::replace(text.begin(), text.end(), u'\\', u'/');
  return text;
}

// An image a material names: how the scene names it, and its kind.
struct Image {
  Text written;
  TextView kind;
};

// The image map, relative to the MTL file's folder unless absolute, as a
// scene in the OBJ file's folder finds it. False, with why, for one that
// cannot be used.
bool FindImage(const Material& material, TextView map, const ImageSetting& setting, Image& image, Text& why) {
  if (!setting.uvMapped) {
    why = u"needs texture coordinates on every face";
    return false;
  }
  const Text slashed = Slashed(map);
  image.written = IsAbsolutePath(slashed) ? slashed : Slashed(material.folder) + slashed;
  if (image.written.find(u'"') != Text::npos) {
    why = u"has a quotation mark in its name";
    return false;
  }
  uint8_t bytes[16] = {};
  int32_t read = 0;
  const Text location =
      IsAbsolutePath(image.written) ? image.written : Text(setting.objFolder) + image.written;
  if (const OsError error = ReadLeadingBytes(location, bytes, sizeof bytes, read); error != 0) {
    why = JoinedText({u"could not be read: ", OsErrorText(error)});
    return false;
  }
  image.kind = ImageKind(bytes, read, slashed);
  if (image.kind.empty()) why = u"is in a format POV-Ray cannot read";
  return !image.kind.empty();
}

// The image of map, or false with a warning that says what stands instead.
bool UsableImage(const Material& material, TextView map, TextView instead, const ImageSetting& setting,
                 Image& image, std::vector<Text>& warnings) {
  Text why;
  if (map.empty() || FindImage(material, map, setting, image, why)) return !map.empty();
  warnings.push_back(JoinedText({u"material ", material.name, u": image ", map, u" ", why, u"; ", instead}));
  return false;
}

Text Pigment(const Material& material, const ImageSetting& setting, std::vector<Text>& warnings) {
  const double transmit = std::clamp(1 - material.opacity, 0.0, 1.0);
  const Vector3& kd = material.diffuse;
  Image image;
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
  Image image;
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
