#include "app/posix/LargePages.h"

namespace meshfold {

std::optional<std::string> TunablesForLargePages(const char* tunables, std::string_view hugePages) {
  constexpr std::string_view Tunable = "glibc.malloc.hugetlb";
  if (hugePages.find("[madvise]") == std::string_view::npos) return std::nullopt;
  const std::string_view current = tunables == nullptr ? std::string_view() : tunables;
  if (current.find(Tunable) != std::string_view::npos) return std::nullopt;
  std::string joined(current);
  if (!joined.empty()) joined += ':';
  return joined.append(Tunable).append("=1");
}

}  // namespace meshfold
