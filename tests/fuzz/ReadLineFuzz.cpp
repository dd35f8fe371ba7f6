// Any byte stream read line by line gives the lines that the line-end rules
// cut from it, wherever the buffer boundaries fall and with no buffer at all.
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/FakeOsFiles.h"
#include "text/CodePage.h"
#include "text/TextFileReader.h"

namespace {

using meshfold::testing::FakeCall;
using meshfold::testing::FakeOsFiles;
using meshfold::testing::ScopedFakeOsFiles;

constexpr uint8_t CR = 13;
constexpr uint8_t LF = 10;
constexpr char16_t Path[] = u"/fuzz/input.obj";

// The lines of bytes: each ends at LF, CR, CR LF or NUL, or at the end of the
// bytes; an end of the bytes right after a terminator starts no further line.
std::vector<std::string> ModelLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < bytes.size()) {
    std::string line;
    while (at < bytes.size()) {
      const auto byte = static_cast<uint8_t>(bytes[at++]);
      if (byte == 0 || byte == LF) break;
      if (byte == CR) {
        if (at < bytes.size() && static_cast<uint8_t>(bytes[at]) == LF) ++at;
        break;
      }
      line.push_back(static_cast<char>(byte));
    }
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> ReadAllLines(meshfold::FileHandle file, size_t byteCount) {
  std::vector<std::string> lines;
  while (!meshfold::AtEnd(file)) {
    std::string bytes;
    meshfold::TextToAnsi(meshfold::ReadLine(file, meshfold::EncodingAnsi), bytes);
    lines.push_back(bytes);
    // Every line consumes at least one byte, so a file of n bytes ends after
    // n lines at most; more would mean the reader stands still.
    FuzzCheck(lines.size() <= byteCount, "the reader moves on");
  }
  return lines;
}

// Reads bytes placed after padding bytes (a line of 'p' and its LF).
void CheckReading(const std::string& data, size_t padding, bool buffered) {
  const std::string bytes = padding == 0 ? data : std::string(padding - 1, 'p') + '\n' + data;
  FakeOsFiles fake;
  ScopedFakeOsFiles scope(fake);
  fake.files[Path].bytes = bytes;
  meshfold::FailBufferAllocationForTesting(!buffered);
  const meshfold::FileHandle file = meshfold::OpenTextFile(meshfold::AnyHandle, Path);
  meshfold::FailBufferAllocationForTesting(false);
  FuzzCheck(file != 0, "the file opens");
  FuzzCheck(ReadAllLines(file, bytes.size()) == ModelLines(bytes), "the lines are those the line ends cut");
  FuzzCheck(meshfold::ReadLine(file, meshfold::EncodingAnsi).empty(), "nothing after the end");
  FuzzCheck(meshfold::AtEnd(file), "the end stays");
  FuzzCheck(meshfold::CloseTextFile(file) == 0, "no error without a fault");
  FuzzCheck(fake.files[Path].bytes == bytes, "the file is only read");
}

// A read that fails is never taken for a clean end of the data.
void CheckReadFault(const std::string& data, int failingRead) {
  FakeOsFiles fake;
  ScopedFakeOsFiles scope(fake);
  fake.files[Path].bytes = data;
  fake.FailCall(FakeCall::Read, failingRead, 5);
  const meshfold::FileHandle file = meshfold::OpenTextFile(meshfold::AnyHandle, Path);
  ReadAllLines(file, data.size() + 1);  // the failed read may end one empty line
  const bool failedReadMade = fake.Count(FakeCall::Read) > failingRead;
  FuzzCheck(meshfold::CloseTextFile(file) == (failedReadMade ? 5 : 0), "a failed read is reported");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const size_t chosenPadding = (data[0] | data[1] << 8) % (3 * meshfold::FileBufferSize);
  const int failingRead = data[2] % 8;
  const std::string bytes(reinterpret_cast<const char*>(data + 3), size - 3);
  CheckReading(bytes, chosenPadding, true);
  CheckReading(bytes, 0, false);
  // Short inputs are read with each of their bytes as the last of a buffer.
  if (bytes.size() <= 16) {
    const size_t buffer = meshfold::FileBufferSize;
    for (size_t last = 0; last <= bytes.size(); ++last) CheckReading(bytes, buffer - last, true);
  }
  CheckReadFault(bytes, failingRead);
  return 0;
}
