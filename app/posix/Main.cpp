#include <limits.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "app/Program.h"
#include "app/posix/LargePages.h"
#include "text/CodePage.h"

namespace {

// Starts the program again, as the same process with the same arguments,
// with glibc told to ask for large pages, where that pays. Returns when it
// does not or cannot: the program then runs as it is, only slower.
void StartAgainWithLargePages(char** argv) {
  std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string hugePages;
  std::getline(setting, hugePages);
  char image[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", image, sizeof image);
  if (length <= 0 || length == static_cast<ssize_t>(sizeof image) || argv[0] == nullptr) return;
  const auto tunables = meshfold::TunablesForLargePages({std::getenv("GLIBC_TUNABLES"), hugePages,
                                                         std::string_view(image, static_cast<size_t>(length)),
                                                         argv[0], std::getenv("LD_PRELOAD")});
  if (!tunables || setenv("GLIBC_TUNABLES", tunables->c_str(), 1) != 0) return;
  image[length] = '\0';
  execv(image, argv);
}

}  // namespace

// Arguments arrive as bytes in the system's code page, like file names.
int main(int argc, char** argv) {
  StartAgainWithLargePages(argv);
  std::vector<meshfold::Text> arguments(argc > 1 ? static_cast<size_t>(argc - 1) : 0);
  for (size_t index = 0; index < arguments.size(); ++index) {
    const char* bytes = argv[index + 1];
    meshfold::AnsiToText(reinterpret_cast<const uint8_t*>(bytes), std::strlen(bytes), arguments[index]);
  }
  return meshfold::RunProgram(arguments);
}
