#include "dialogs/posix/DesktopDialogs.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <vector>

#include "dialogs/posix/PosixPaths.h"
#include "text/CodePage.h"
#include "text/StringOperations.h"

extern char** environ;

namespace meshfold {

namespace {

// Dialog programs answer 0 for OK and 1 for cancel or a closed window;
// anything else is a failure of the program.
constexpr int ClosedByUser = 1;

struct ProgramRun {
  bool finished = false;  // started, and ended by itself
  int exitStatus = -1;
  std::string output;
};

bool IsExecutableFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindOnSearchPath(const std::string& searchPath, const std::string& name) {
  size_t start = 0;
  while (start <= searchPath.size()) {
    const size_t end = std::min(searchPath.find(':', start), searchPath.size());
    const std::string folder = searchPath.substr(start, end - start);
    if (!folder.empty() && IsExecutableFile(folder + "/" + name)) return folder + "/" + name;
    start = end + 1;
  }
  return std::nullopt;
}

std::string ReadAll(int fd) {
  std::string bytes;
  char chunk[4096];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return bytes;
    bytes.append(chunk, static_cast<size_t>(got));
  }
}

int WaitFor(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

// The pointers to strings that exec calls take, ended by a null pointer.
std::vector<char*> NullEnded(const std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (const std::string& each : strings) pointers.push_back(const_cast<char*>(each.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

std::vector<std::string> OurEnvironment() {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) entries.emplace_back(*entry);
  return entries;
}

// How the program is started: its standard output on outputFd, its other
// streams on /dev/null (GTK's warnings do not belong on the user's terminal),
// and the signals we ignore for ourselves back at their defaults.
struct SpawnSettings {
  explicit SpawnSettings(int outputFd) {
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGXFSZ);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSettings() {
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
};

// The started program's process, or -1 when it could not be started.
pid_t Start(const std::string& executable, const std::vector<std::string>& arguments, int outputFd) {
  const std::vector<std::string> environment = DialogEnvironment(OurEnvironment());
  const SpawnSettings settings(outputFd);
  pid_t child = -1;
  const int failed = posix_spawn(&child, executable.c_str(), &settings.actions, &settings.attributes,
                                 NullEnded(arguments).data(), NullEnded(environment).data());
  return failed == 0 ? child : -1;
}

ProgramRun RunDialogProgram(const std::string& executable, const std::vector<std::string>& arguments) {
  ProgramRun run;
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return run;
  fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);
  fcntl(pipeFds[1], F_SETFD, FD_CLOEXEC);
  const pid_t child = Start(executable, arguments, pipeFds[1]);
  close(pipeFds[1]);
  if (child > 0) run.output = ReadAll(pipeFds[0]);
  close(pipeFds[0]);
  if (child <= 0) return run;
  const int status = WaitFor(child);
  run.finished = status >= 0 && WIFEXITED(status);
  run.exitStatus = run.finished ? WEXITSTATUS(status) : -1;
  return run;
}

FileChooserSetup SetupOf(const FileDialogRequest& request) {
  FileChooserSetup setup;
  setup.title = request.title;
  setup.filters = FilterPairs(request.filterList);
  setup.selected = request.filterIndex - 1;
  setup.presetPath = PathInFolder(StartingFolder(request.initialDirectory), PresetName(request));
  return setup;
}

}  // namespace

DesktopEnvironment CurrentDesktopEnvironment() {
  const auto variable = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value != nullptr ? value : "");
  };
  return {variable("DISPLAY"), variable("WAYLAND_DISPLAY"), variable("PATH")};
}

std::optional<DesktopDialogProgram> FindDesktopDialogProgram(const DesktopEnvironment& environment) {
  if (environment.display.empty() && environment.waylandDisplay.empty()) return std::nullopt;
  if (auto zenity = FindOnSearchPath(environment.searchPath, "zenity")) {
    return DesktopDialogProgram{DesktopProgram::Zenity, *zenity};
  }
  if (auto kdialog = FindOnSearchPath(environment.searchPath, "kdialog")) {
    return DesktopDialogProgram{DesktopProgram::Kdialog, *kdialog};
  }
  return std::nullopt;
}

bool DesktopFileChooser(const DesktopDialogProgram& program, const FileDialogRequest& request,
                        Text& chosenPath) {
  const ProgramRun run =
      RunDialogProgram(program.executable, FileChooserArguments(program.kind, SetupOf(request)));
  std::string path = run.output;
  if (!path.empty() && path.back() == '\n') path.pop_back();
  if (!run.finished || run.exitStatus != 0 || path.empty()) return false;
  AnsiToText(reinterpret_cast<const uint8_t*>(path.data()), path.size(), chosenPath);
  return true;
}

int32_t DesktopMessageBox(const DesktopDialogProgram& program, TextView text, TextView caption) {
  const ProgramRun run =
      RunDialogProgram(program.executable, MessageBoxArguments(program.kind, caption, text));
  const bool closed = run.finished && (run.exitStatus == 0 || run.exitStatus == ClosedByUser);
  return closed ? 1 : 0;
}

}  // namespace meshfold
