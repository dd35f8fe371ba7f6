// Any byte stream read line by line gives the lines that the line ends cut
// from it, wherever the buffer boundaries fall and with no buffer at all; a
// failed read is never taken for a clean end.
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/FakeOsFiles.h"
#include "text/CodePage.h"
#include "text/TextFileReader.h"

namespace {

using namespace meshfold;
constexpr char16_t Path[] = u"/fuzz/input.obj";

// Each line ends at LF, CR, CR LF or NUL, or at the end of the bytes; the end
// right after a terminator starts no further line.
std::vector<std::string> ModelLines(const std::string& bytes) {
  std::vector<std::string> lines(1);
  for (size_t at = 0; at < bytes.size(); ++at) {
    const char byte = bytes[at];
    if (byte != '\0' && byte != '\n' && byte != '\r') {
      lines.back().push_back(byte);
      continue;
    }
    if (byte == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') ++at;
    if (at + 1 < bytes.size()) lines.emplace_back();
  }
  if (bytes.empty()) lines.clear();
  return lines;
}

// Reads bytes (after a padding line that moves the buffer boundaries) with
// readFault failing from then on; checks what comes out.
void CheckReading(const std::string& data, size_t padding, bool buffered, int readFault) {
  const std::string bytes = padding == 0 ? data : std::string(padding - 1, 'p') + '\n' + data;
  testing::FakeOsFiles fake;
  testing::ScopedFakeOsFiles scope(fake);
  fake.files[Path].bytes = bytes;
  fake.FailCall(testing::FakeCall::Read, readFault, 5, true);
  fake.noBuffers = !buffered;
  OsError error = 0;
  const FileHandle file = OpenTextFile(AnyHandle, Path, error);
  std::vector<std::string> lines;
  while (!AtEnd(file)) {
    TextToAnsi(ReadLine(file, EncodingAnsi), lines.emplace_back());
    FuzzCheck(lines.size() <= bytes.size() + 1, "the reader moves on");
  }
  FuzzCheck(ReadLine(file, EncodingAnsi).empty() && AtEnd(file), "nothing after the end");
  const bool faulted = fake.Count(testing::FakeCall::Read) > readFault && readFault >= 0;
  FuzzCheck(CloseTextFile(file) == (faulted ? 5 : 0), "a failed read is reported, and only then");
  const bool marked =
      bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
  FuzzCheck(faulted || marked || lines == ModelLines(bytes),
            "the lines are those the line ends cut, unmarked");
  FuzzCheck(fake.files[Path].bytes == bytes, "the file is only read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const size_t padding = (data[0] | data[1] << 8) % (3 * FileBufferSize);
  const std::string bytes(reinterpret_cast<const char*>(data + 3), size - 3);
  CheckReading(bytes, padding, true, -1);
  CheckReading(bytes, 0, false, -1);
  CheckReading(bytes, padding, data[2] % 2 == 0, data[2] % 8);
  // Short inputs are read with each of their bytes as the last of a buffer.
  for (size_t last = 0; bytes.size() <= 16 && last <= bytes.size(); ++last)
    CheckReading(bytes, FileBufferSize - last, true, -1);
  return 0;
}
