#include "app/posix/LargePages.h"

namespace meshfold {

namespace {

std::string_view BaseName(std::string_view path) { return path.substr(path.find_last_of('/') + 1); }

bool Contains(const char* text, std::string_view part) {
  return text != nullptr && std::string_view(text).find(part) != std::string_view::npos;
}

}  // namespace

std::optional<std::string> TunablesForLargePages(const StartingProcess& process) {
  constexpr std::string_view Tunable = "glibc.malloc.hugetlb";
  const bool pays =
      process.hugePages.find("[madvise]") != std::string_view::npos && !Contains(process.tunables, Tunable);
  // A process that runs another file than its name says was started by a
  // loader; valgrind's preloaded libraries mark a process it emulates.
  const bool itself = !process.image.empty() && BaseName(process.image) == BaseName(process.name) &&
                      !Contains(process.preload, "/vgpreload_");
  if (!pays || !itself) return std::nullopt;
  std::string joined(process.tunables == nullptr ? "" : process.tunables);
  if (!joined.empty()) joined += ':';
  return joined.append(Tunable).append("=1");
}

}  // namespace meshfold
