#include "dialogs/posix/PosixPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "text/CodePage.h"
#include "text/StringOperations.h"

namespace meshfold {

bool IsDirectory(TextView path) {
  struct stat status {};
  return !path.empty() && stat(AnsiBytes(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

Text CurrentDirectory() {
  std::vector<char> bytes(4096);
  while (getcwd(bytes.data(), bytes.size()) == nullptr) {
    if (errno != ERANGE) return u".";
    bytes.resize(bytes.size() * 2);
  }
  Text directory;
  const std::string native(bytes.data());
  AnsiToText(reinterpret_cast<const uint8_t*>(native.data()), native.size(), directory);
  return directory;
}

Text PathInFolder(TextView folder, TextView name) {
  const bool separated = !folder.empty() && folder.back() == u'/';
  return JoinedText({folder, separated ? u"" : u"/", name});
}

Text AbsolutePath(TextView path) {
  if (!path.empty() && path.front() == u'/') return Text(path);
  return PathInFolder(CurrentDirectory(), path);
}

Text StartingFolder(TextView initialDirectory) {
  if (initialDirectory.empty()) return CurrentDirectory();
  Text folder = AbsolutePath(initialDirectory);
  return IsDirectory(folder) ? folder : CurrentDirectory();
}

TextView PresetName(const FileDialogRequest& request) {
  const auto& buffer = request.fileBuffer;
  return TextView(buffer.data(), std::find(buffer.begin(), buffer.end(), u'\0') - buffer.begin());
}

}  // namespace meshfold
