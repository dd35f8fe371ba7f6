// Any bytes as an OBJ file convert: the summary counts every line of a kind,
// and the include file is its frame around one triangle line per face, each
// one line however the OBJ file's lines were made.
#include <string>

#include "converter/ConvertObjFile.h"
#include "converter/OutcomeMessage.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/FakeOsFiles.h"
#include "text/CodePage.h"
#include "text/StringOperations.h"

namespace {

constexpr char16_t ObjPath[] = u"/fuzz/mesh.obj";
constexpr char16_t IncludePath[] = u"/fuzz/mesh.inc";

// The summary the line kinds of bytes make: each test looks at what the one
// before left of the line, as the reader does.
std::string ExpectedSummary(const std::string& bytes) {
  int64_t counts[3] = {};
  size_t begin = 0;
  for (size_t at = 0; at <= bytes.size(); ++at) {
    if (at < bytes.size() && bytes[at] != '\0' && bytes[at] != '\n' && bytes[at] != '\r') continue;
    std::string_view line(bytes.data() + begin, at - begin);
    begin = at + 1;
    if (line.starts_with("v ")) ++counts[0], line.remove_prefix(2);
    if (line.starts_with("vn ")) ++counts[1], line.remove_prefix(3);
    if (line.starts_with("f ")) ++counts[2];
  }
  return "mesh.inc created \r" + std::to_string(counts[0]) + "  vertexs\r" + std::to_string(counts[1]) +
         "  vertex normals\r" + std::to_string(counts[2]) + "  faces\r";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  meshfold::testing::FakeOsFiles fake;
  meshfold::testing::ScopedFakeOsFiles scope(fake);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fake.files[ObjPath].bytes = bytes;
  const meshfold::ConversionOutcome outcome = meshfold::ConvertObjFile(ObjPath);
  std::string message;
  meshfold::TextToAnsi(meshfold::OutcomeMessage(outcome), message);
  FuzzCheck(outcome.Converted() && message == ExpectedSummary(bytes), "the summary counts every record");
  const std::string& include = fake.files[IncludePath].bytes;
  const std::string head = "//   smooth triangles from mesh.obj\r\n//   face count: ";
  FuzzCheck(include.starts_with(head) && include.ends_with("\r\n   }\r\n"), "the include file has its frame");
  size_t lines = 0, triangles = 0;
  for (size_t at = 0, end; at < include.size(); at = end + 2, ++lines) {
    end = include.find("\r\n", at);
    FuzzCheck(end != std::string::npos, "every line ends in CR LF");
    const std::string_view line(include.data() + at, end - at);
    FuzzCheck(line.find_first_of(std::string_view("\r\n\0", 3)) == line.npos, "one line stays one line");
    triangles += line.starts_with("   smooth_triangle { ") && line.ends_with(" }");
  }
  FuzzCheck(lines == triangles + 7 && message.ends_with("\r" + std::to_string(triangles) + "  faces\r"),
            "one triangle line per face");
  FuzzCheck(fake.files[ObjPath].bytes == bytes, "the OBJ file is only read");
  return 0;
}
