// Any bytes as an OBJ file convert, in every form, into an include file POV-Ray can parse.
#include <algorithm>
#include <charconv>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "converter/ConvertObjFile.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/FakeOsFiles.h"

namespace {

using namespace meshfold;
using namespace std::string_view_literals;
using Lines = std::vector<std::string_view>;
constexpr char16_t ObjPath[] = u"/fuzz/m.obj", IncludePath[] = u"/fuzz/m.inc";
// The union's size grows with the product of line lengths: larger inputs would only find timeouts.
constexpr size_t MaxInput = 16 * 1024;

// An input is one option byte, its value % 181 the crease angle in degrees, then the OBJ file up
// to the first line that is this marker; what follows the marker is the material library m.mtl,
// which the OBJ file then names first, up to a second marker, after which come the bytes of the
// images i.png and i.tga (else a small valid PNG) it may name.
constexpr std::string_view NextFile = "\n#next file\n";
constexpr char16_t MtlPath[] = u"/fuzz/m.mtl", ScenePath[] = u"/fuzz/m.pov";
constexpr std::string_view Png =
    "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0\x90\x77\x53\xde"sv;

struct Files {
  std::string obj;
  std::string mtl;
  std::string image{Png};
};

Files SplitFiles(std::string_view files) {
  const size_t next = files.find(NextFile);
  if (next == std::string_view::npos) return {std::string(files), {}};
  Files split{"mtllib m.mtl\n" + std::string(files.substr(0, next)),
              std::string(files.substr(next + NextFile.size()))};
  if (const size_t image = split.mtl.find(NextFile); image != std::string::npos)
    split.image = split.mtl.substr(image + NextFile.size()), split.mtl.resize(image);
  return split;
}

Lines Split(std::string_view text, std::string_view separator) {
  Lines pieces;
  for (size_t end = 0; !text.empty(); text.remove_prefix(std::min(end + separator.size(), text.size())))
    pieces.push_back(text.substr(0, end = std::min(text.find(separator), text.size())));
  return pieces;
}

// Whether each text is a decimal number below count.
bool AllBelow(std::span<const std::string_view> texts, size_t count) {
  return std::all_of(texts.begin(), texts.end(), [&](std::string_view text) {
    size_t value = count;
    const char* end = text.data() + text.size();
    return std::from_chars(text.data(), end, value).ptr == end && value < count;
  });
}

void CheckBraces(const Lines& lines) {
  int64_t depth = 0;
  for (std::string_view line : lines)
    for (char unit : line.find("//") == line.find_first_not_of(' ') ? std::string_view() : line)
      FuzzCheck((depth += (unit == '{') - (unit == '}')) >= 0, "no brace closes before it opens");
  FuzzCheck(depth == 0, "every brace closes");
}

// Returns the union's triangles, those left out for want of area among them.
size_t CheckUnion(const Lines& lines) {
  CheckBraces(lines);
  const auto open = std::find(lines.begin(), lines.end(), "   union {");
  FuzzCheck(open != lines.end() && lines.back() == "   }", "the triangles stand in one union");
  size_t triangles = 0;
  for (auto line = open + 1; line < lines.end() - 1; ++line) {
    const bool triangle = line->ends_with(" }") &&
                          (line->starts_with("   smooth_triangle { ") || line->starts_with("   triangle { "));
    FuzzCheck(triangle || line->starts_with("   //"), "the union holds triangle lines only");
    triangles += triangle || line->ends_with(": a triangle without area left out");
  }
  return triangles;
}

// An entry line "    <a,b,c>" names three vectors; indices after it, textures of texture_list.
void CheckIndexEntry(std::string_view line, size_t vectors, size_t textures) {
  Lines parts = Split(line, ",");
  FuzzCheck(parts.size() >= 3 && parts[0].starts_with("    <") && parts[2].ends_with('>'), "an index vector");
  parts[0].remove_prefix(5), parts[2].remove_suffix(1);
  FuzzCheck(AllBelow(std::span(parts).first(3), vectors), "an index names a vector");
  FuzzCheck(AllBelow(std::span(parts).subspan(3), textures), "an index names a texture");
}

// Returns the mesh2's triangles, checked block by block; 0 for the empty union that stands instead.
size_t CheckMesh2(const Lines& lines) {
  CheckBraces(lines);
  const std::map<std::string_view, std::string_view> indexed = {
      {"face_indices", "vertex_vectors"}, {"normal_indices", "normal_vectors"}, {"uv_indices", "uv_vectors"}};
  std::map<std::string_view, size_t> entries;  // of each block so far
  std::string_view block, count;
  size_t triangles = 0;  // of the meshes before, with --groups
  for (std::string_view line : lines) {
    if (line == "mesh2 {") {
      triangles += entries["face_indices"];
      entries.clear();
    } else if (line == "  }") {
      FuzzCheck("    " + std::to_string(entries[block]) + "," == count, "a count is its entries");
      FuzzCheck(!indexed.contains(block) || entries[block] == entries["face_indices"], "one per triangle");
      block = count = {};
    } else if (block.empty()) {
      block = line.starts_with("  ") && line.ends_with(" {") ? line.substr(2, line.size() - 4) : "";
    } else if (count.empty()) {
      count = line;
    } else if (++entries[block]; indexed.contains(block)) {
      CheckIndexEntry(line, entries[indexed.at(block)], entries["texture_list"]);
    }
  }
  const bool empty = lines.size() >= 2 &&
                     lines.end()[-2] == "   // no triangles, and a mesh2 needs at least one" &&
                     lines.back() == "   union { }";
  triangles += entries["face_indices"];
  FuzzCheck(empty != (triangles > 0), "triangles in a mesh2, or the empty union");
  return triangles;
}

// Converts the files through a fresh fake file system; returns the include file, the scene
// checked when one is asked for.
std::string Convert(const Files& files, const ConversionOptions& options) {
  testing::FakeOsFiles fake;
  testing::ScopedFakeOsFiles scope(fake);
  fake.files[ObjPath].bytes = files.obj;
  if (!files.mtl.empty()) fake.files[MtlPath].bytes = files.mtl;
  fake.files[u"/fuzz/i.png"].bytes = fake.files[u"/fuzz/i.tga"].bytes = files.image;
  FuzzCheck(ConvertObjFile(ObjPath, options).Converted(), "the conversion comes through");
  FuzzCheck(fake.files.contains(IncludePath), "the include file is written");
  FuzzCheck(fake.files.contains(ScenePath) == options.scene, "the scene is written when asked for");
  if (options.scene) CheckBraces(Split(fake.files[ScenePath].bytes, "\r\n"));
  return fake.files[IncludePath].bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > MaxInput) return 0;
  const Files files = SplitFiles({reinterpret_cast<const char*>(data) + 1, size - 1});
  const size_t triangles = CheckUnion(Split(Convert(files, {}), "\r\n"));
  for (NormalSource normals : {NormalSource::File, NormalSource::Compute, NormalSource::None}) {
    // Groups and a scene (for a Z-up file) with the computed normals, whose indices a group numbers anew.
    const bool grouped = normals == NormalSource::Compute;
    ConversionOptions options{IncludeForm::Mesh2, normals, double(data[0] % 181), grouped, grouped};
    options.up = grouped ? UpAxis::Z : UpAxis::Y;
    FuzzCheck(CheckMesh2(Split(Convert(files, options), "\r\n")) == triangles, "the same triangles");
  }
  return 0;
}
