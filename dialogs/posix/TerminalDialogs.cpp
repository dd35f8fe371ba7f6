#include "dialogs/posix/TerminalDialogs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "dialogs/posix/PosixPaths.h"
#include "text/CodePage.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

void WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    done += static_cast<size_t>(written);
  }
}

// Reads one line byte by byte, so that nothing after it is taken from the
// input that a later dialog reads. False at end of input before any byte.
bool ReadInputLine(Text& line) {
  std::string bytes;
  bool sawAnything = false;
  for (;;) {
    char byte = 0;
    const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    sawAnything = true;
    if (byte == '\n') break;
    bytes.push_back(byte);
  }
  if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
  // Answers piped in are not echoed by a terminal; show them so the
  // conversation reads the same in a log.
  if (sawAnything && isatty(STDIN_FILENO) == 0) WriteAll(STDERR_FILENO, bytes + "\n");
  AnsiToText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), line);
  return sawAnything;
}

// The folder a path names its file in: everything before its last slash.
Text FolderOf(TextView path) {
  const size_t lastSlash = path.rfind(u'/');
  return Text(lastSlash == 0 ? path.substr(0, 1) : path.substr(0, lastSlash));
}

// The preset name in the starting directory; where that directory does not
// exist here (as "C:" does not), in the current directory.
Text PresetPath(const FileDialogRequest& request) {
  if (PresetName(request).empty()) return {};
  return PathInFolder(StartingFolder(request.initialDirectory), PresetName(request));
}

void ShowPrompt(const FileDialogRequest& request) {
  WriteTerminalText(STDERR_FILENO, {request.title, u"\n"});
  const std::vector<FileFilter> filters = FilterPairs(request.filterList);
  for (size_t pair = 0; pair < filters.size(); ++pair) {
    const bool selected = pair + 1 == request.filterIndex;
    WriteTerminalText(STDERR_FILENO,
                      {selected ? u" * " : u"   ", filters[pair].label, u"  ", filters[pair].pattern, u"\n"});
  }
  WriteTerminalText(STDERR_FILENO, {u"file name [", PresetName(request), u"]: "});
}

// Why path cannot be chosen, or "" when it can.
TextView Refusal(TextView path) {
  if (path.empty()) return u"no file name given";
  if (!IsDirectory(FolderOf(path))) return u"the folder does not exist";
  if (IsDirectory(path)) return u"this is a folder, not a file";
  return {};
}

}  // namespace

void WriteTerminalText(int fd, std::initializer_list<TextView> parts) {
  std::string bytes = AnsiBytes(JoinedText(parts));
  std::replace(bytes.begin(), bytes.end(), '\r', '\n');
  WriteAll(fd, bytes);
}

bool TerminalFileChooser(const FileDialogRequest& request, Text& chosenPath) {
  ShowPrompt(request);
  Text line;
  for (;;) {
    if (!ReadInputLine(line)) {
      WriteTerminalText(STDERR_FILENO, {u"\n"});
      return false;
    }
    const Text path = line.empty() ? PresetPath(request) : AbsolutePath(line);
    const TextView refusal = Refusal(path);
    if (refusal.empty()) {
      chosenPath = path;
      return true;
    }
    WriteTerminalText(STDERR_FILENO, {path, u": ", refusal, u"\nfile name [", PresetName(request), u"]: "});
  }
}

int32_t TerminalMessageBox(TextView text, TextView caption) {
  const bool endsLine = !text.empty() && (text.back() == CarriageReturn || text.back() == LineFeed);
  WriteTerminalText(STDOUT_FILENO, {caption, u"\n", text, endsLine ? u"" : u"\n"});
  if (isatty(STDIN_FILENO) != 0) WriteTerminalText(STDERR_FILENO, {u"[OK] "});
  Text answer;
  ReadInputLine(answer);
  return 1;
}

}  // namespace meshfold
