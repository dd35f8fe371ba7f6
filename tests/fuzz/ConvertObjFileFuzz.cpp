// Any bytes as an OBJ file convert, within the memory checks of the sanitizer
// builds: the OBJ file is only read, and the include file is its frame around
// triangle and comment lines, each one line however the OBJ file's lines were
// made. What each line counts as is the end-to-end bad input's model.
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
  FuzzCheck(outcome.Converted(), "any bytes convert");
  FuzzCheck(fake.files[u"/f/mesh.obj"].bytes == bytes, "the OBJ file is only read");
  const std::string& include = fake.files[u"/f/mesh.inc"].bytes;
  FuzzCheck(
      include.starts_with("//   smooth triangles from mesh.obj\r\n") && include.ends_with("\r\n   }\r\n"),
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
