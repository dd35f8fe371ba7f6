// When the program starts itself again to have glibc ask for large pages:
// only where the kernel waits to be asked, never over what the user told
// glibc, and only where the file it runs is the program itself.
#include "app/posix/LargePages.h"

#include <gtest/gtest.h>

namespace meshfold {
namespace {

TEST(TunablesForLargePages, OnlyWhereAskingChangesSomethingAndTheProgramIsItself) {
  constexpr std::string_view Madvise = "always [madvise] never", Image = "/opt/mf/bin/meshfold";
  constexpr const char* Valgrind = "/usr/libexec/valgrind/vgpreload_core-amd64-linux.so";
  const struct {
    StartingProcess process;
    std::optional<std::string> expected;
  } cases[] = {
      {{nullptr, Madvise, Image, "meshfold", nullptr}, "glibc.malloc.hugetlb=1"},
      {{"", Madvise, Image, "/opt/mf/bin/meshfold", ""}, "glibc.malloc.hugetlb=1"},
      {{"glibc.malloc.arena_max=2", Madvise, Image, "./meshfold", "/lib/other.so"},
       "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"},
      // Told already: by the user, or by the start before.
      {{"glibc.malloc.hugetlb=0", Madvise, Image, "meshfold", nullptr}, std::nullopt},
      {{"glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1", Madvise, Image, "meshfold", nullptr},
       std::nullopt},
      // Pages that come unasked, or never; a kernel without the file.
      {{nullptr, "[always] madvise never", Image, "meshfold", nullptr}, std::nullopt},
      {{nullptr, "always madvise [never]", Image, "meshfold", nullptr}, std::nullopt},
      {{nullptr, "", Image, "meshfold", nullptr}, std::nullopt},
      // Run by the dynamic loader, through a link of another name, or under valgrind.
      {{nullptr, Madvise, "/usr/lib/x86_64-linux-gnu/ld-linux-x86-64.so.2", "./meshfold", nullptr},
       std::nullopt},
      {{nullptr, Madvise, Image, "mf", nullptr}, std::nullopt},
      {{nullptr, Madvise, "", "meshfold", nullptr}, std::nullopt},
      {{nullptr, Madvise, Image, "meshfold", Valgrind}, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TunablesForLargePages(c.process), c.expected)
        << (c.process.tunables ? c.process.tunables : "(unset)") << " / " << c.process.hugePages << " / "
        << c.process.image << " as " << c.process.name << " / "
        << (c.process.preload ? c.process.preload : "");
  }
}

}  // namespace
}  // namespace meshfold
