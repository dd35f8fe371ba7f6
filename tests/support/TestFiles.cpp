#include "tests/support/TestFiles.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

namespace meshfold::testing {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TemporaryDirectory::TemporaryDirectory() {
  static std::atomic<int> serial{0};
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("meshfold-test-" + std::to_string(random()) + "-" + std::to_string(serial++));
  std::filesystem::create_directories(path_);
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

Text TemporaryDirectory::TextPath(const std::string& name) const {
  const std::u16string native = (path_ / name).u16string();
  return Text(native.begin(), native.end());
}

Text T(std::string_view utf8) {
  const std::u8string bytes(utf8.begin(), utf8.end());
  const std::u16string wide = std::filesystem::path(bytes).u16string();
  return Text(wide.begin(), wide.end());
}

std::string U8(TextView text) {
  const std::u8string bytes = std::filesystem::path(std::u16string(text)).u8string();
  return std::string(bytes.begin(), bytes.end());
}

std::filesystem::path TestData(const std::string& name) {
  return std::filesystem::path(MESHFOLD_TESTDATA_DIR) / name;
}

}  // namespace meshfold::testing
