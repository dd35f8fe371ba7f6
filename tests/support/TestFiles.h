#pragma once
// Small helpers for tests that touch real files or compare texts.

#include <filesystem>
#include <string>

#include "text/Text.h"

namespace meshfold::testing {

// The bytes of the file at path ("" when it cannot be read); WriteBytes replaces it.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// A new empty directory for one test, removed by its destructor.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory() { std::filesystem::remove_all(path_, ignored_); }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  Text TextPath(const std::string& name) const;  // the path of name inside the directory

 private:
  std::filesystem::path path_;
  std::error_code ignored_;
};

// A UTF-8 literal as a text.
Text T(std::string_view utf8);

}  // namespace meshfold::testing
