// Any bytes as an OBJ file convert, within the memory checks of the sanitizer
// builds: the summary counts every line of a kind, the OBJ file is only read,
// and the include file keeps its frame, each of its lines one line.
#include <algorithm>
#include <string>

#include "converter/ConvertObjFile.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/FakeOsFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  meshfold::testing::FakeOsFiles fake;
  meshfold::testing::ScopedFakeOsFiles scope(fake);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fake.files[u"/f/mesh.obj"].bytes = bytes;
  const meshfold::ConversionOutcome outcome = meshfold::ConvertObjFile(u"/f/mesh.obj");
  int64_t counts[3] = {};
  for (size_t begin = 0, end = 0; begin <= size; begin = end + 1) {
    end = std::min(bytes.find_first_of(std::string_view("\r\n\0", 3), begin), size);
    std::string_view line(bytes.data() + begin, end - begin);
    if (line.starts_with("v ")) ++counts[0], line.remove_prefix(2);
    if (line.starts_with("vn ")) ++counts[1], line.remove_prefix(3);
    counts[2] += line.starts_with("f ");
  }
  FuzzCheck(outcome.Converted() && outcome.vertices == counts[0] && outcome.normals == counts[1] &&
                outcome.faces == counts[2],
            "every record is counted");
  FuzzCheck(fake.files[u"/f/mesh.obj"].bytes == bytes, "the OBJ file is only read");
  const std::string& include = fake.files[u"/f/mesh.inc"].bytes;
  FuzzCheck(
      include.starts_with("//   smooth triangles from mesh.obj\r\n") && include.ends_with("\r\n   }\r\n"),
      "the include file has its frame");
  size_t lineEnds = 0;
  for (size_t at = include.find('\r'); at != std::string::npos; at = include.find('\r', at + 1)) {
    FuzzCheck(include[at + 1] == '\n', "a CR only ends a line");
    ++lineEnds;
  }
  FuzzCheck(include.find('\0') == std::string::npos &&
                std::count(include.begin(), include.end(), '\n') == static_cast<std::ptrdiff_t>(lineEnds),
            "every line is one line");
  return 0;
}
