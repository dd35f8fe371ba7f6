#pragma once
// Small helpers for tests that touch real files or compare texts.

#include <filesystem>
#include <string>

#include "text/Text.h"

namespace meshfold::testing {

// The bytes of the file at path ("" when it cannot be read).
std::string ReadBytes(const std::filesystem::path& path);

// Replaces the file at path with bytes.
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// A new empty directory for one test, removed by its destructor.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  // The text of the path of name inside the directory.
  Text TextPath(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// An ASCII or UTF-8 literal as a text (test data only).
Text T(std::string_view utf8);

// A text as UTF-8 bytes, for readable failure messages.
std::string U8(TextView text);

// The path of a file in testdata/.
std::filesystem::path TestData(const std::string& name);

}  // namespace meshfold::testing
