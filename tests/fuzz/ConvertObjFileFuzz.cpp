// Any bytes as an OBJ file convert, within the memory checks of the sanitizer
// builds: the outcome counts every line of a kind, the OBJ file is only read,
// and the include file is its frame around triangle and comment lines, each
// one line however the OBJ file's lines were made.
#include <algorithm>
#include <string>

#include "converter/ConvertObjFile.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/FakeOsFiles.h"

namespace {

// The bytes as far as line kinds go: a UTF-8 mark skipped, UTF-16 units as ASCII or 'x'.
std::string Units(const std::string& bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return bytes.substr(3);
  const bool le = bytes.starts_with("\xFF\xFE");
  if (!le && !bytes.starts_with("\xFE\xFF")) return bytes;
  std::string units;
  for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
    const auto low = static_cast<uint8_t>(bytes[at + (le ? 0 : 1)]);
    units += bytes[at + (le ? 1 : 0)] == 0 && low < 128 ? static_cast<char>(low) : 'x';
  }
  return units;
}

// Takes the keyword off line when it begins with it after blanks and tabs and a blank or tab follows.
bool Take(std::string_view& line, std::string_view keyword) {
  const size_t at = std::min(line.find_first_not_of(" \t"), line.size()), after = at + keyword.size();
  if (line.substr(at, keyword.size()) != keyword || after >= line.size()) return false;
  if (line[after] != ' ' && line[after] != '\t') return false;
  line.remove_prefix(after + 1);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  meshfold::testing::FakeOsFiles fake;
  meshfold::testing::ScopedFakeOsFiles scope(fake);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fake.files[u"/f/mesh.obj"].bytes = bytes;
  const meshfold::ConversionOutcome outcome = meshfold::ConvertObjFile(u"/f/mesh.obj");
  const std::string units = Units(bytes);
  int64_t counts[3] = {};
  for (size_t begin = 0, end = 0; begin <= units.size(); begin = end + 1) {
    end = std::min(units.find_first_of(std::string_view("\r\n\0", 3), begin), units.size());
    std::string_view line(units.data() + begin, end - begin);
    counts[0] += Take(line, "v");
    counts[1] += Take(line, "vn");
    counts[2] += Take(line, "f");
  }
  FuzzCheck(outcome.Converted() && outcome.vertices == counts[0] && outcome.normals == counts[1] &&
                outcome.faces == counts[2],
            "every record is counted");
  FuzzCheck(fake.files[u"/f/mesh.obj"].bytes == bytes, "the OBJ file is only read");
  const std::string& include = fake.files[u"/f/mesh.inc"].bytes;
  FuzzCheck(include.starts_with("//   smooth triangles from mesh.obj\r\n") && include.ends_with("\r\n   }\r\n"),
            "the include file has its frame");
  size_t lines = 0, shaped = 0;
  for (size_t at = 0, end; at < include.size(); at = end + 2, ++lines) {
    end = include.find("\r\n", at);
    FuzzCheck(end != std::string::npos, "every line ends in CR LF");
    const std::string_view line(include.data() + at, end - at);
    FuzzCheck(line.find_first_of(std::string_view("\r\n\0", 3)) == line.npos, "one line stays one line");
    const bool triangle = line.starts_with("   smooth_triangle { ") || line.starts_with("   triangle { ");
    shaped += (triangle && line.ends_with(" }")) || line.starts_with("   // face line ");
  }
  FuzzCheck(lines == shaped + 7, "a triangle or comment line for each line of the union");
  return 0;
}
