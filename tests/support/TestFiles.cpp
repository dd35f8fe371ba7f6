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
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TemporaryDirectory::TemporaryDirectory() {
  static std::atomic<int> serial{0};
  path_ = std::filesystem::temp_directory_path() /
          ("meshfold-test-" + std::to_string(std::random_device()()) + "-" + std::to_string(serial++));
  std::filesystem::create_directories(path_);
}

Text TemporaryDirectory::TextPath(const std::string& name) const {
  const std::u16string native = (path_ / name).u16string();
  return Text(native.begin(), native.end());
}

Text T(std::string_view utf8) {
  const std::u16string wide = std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).u16string();
  return Text(wide.begin(), wide.end());
}

}  // namespace meshfold::testing
