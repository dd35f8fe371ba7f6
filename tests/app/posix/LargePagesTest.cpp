// When the program starts itself again to have glibc ask for large pages: only
// where the kernel waits to be asked, and never over what the user told glibc.
#include "app/posix/LargePages.h"

#include <gtest/gtest.h>

namespace meshfold {
namespace {

TEST(TunablesForLargePages, OnlyWhereAskingChangesSomething) {
  constexpr std::string_view Madvise = "always [madvise] never";
  const struct {
    const char* tunables;
    std::string_view hugePages;
    std::optional<std::string> expected;
  } cases[] = {
      {nullptr, Madvise, "glibc.malloc.hugetlb=1"},
      {"", Madvise, "glibc.malloc.hugetlb=1"},
      {"glibc.malloc.arena_max=2", Madvise, "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"},
      {"glibc.malloc.hugetlb=0", Madvise, std::nullopt},
      {"glibc.malloc.arena_max=2:glibc.malloc.hugetlb=2", Madvise, std::nullopt},
      {nullptr, "[always] madvise never", std::nullopt},
      {nullptr, "always madvise [never]", std::nullopt},
      {nullptr, "", std::nullopt},  // no such file: a kernel without them
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TunablesForLargePages(c.tunables, c.hugePages), c.expected)
        << (c.tunables ? c.tunables : "(unset)") << " / " << c.hugePages;
  }
}

}  // namespace
}  // namespace meshfold
