#pragma once
// A big conversion touches each of hundreds of megabytes once. Where the
// kernel gives 2 MB pages only to memory that asks for them, the store's
// blocks ask (LargeBlocks), but the rest of the heap (positions, the plan,
// the normals' work) comes from glibc, which asks only when told so as the
// process starts (GLIBC_TUNABLES); without it every 4 KB of that costs a page
// fault, dearly so in a virtual machine.

#include <optional>
#include <string>
#include <string_view>

namespace meshfold {

// What the decision to start again reads of the process as it started.
struct StartingProcess {
  const char* tunables;        // GLIBC_TUNABLES, null when unset
  std::string_view hugePages;  // the first line of the kernel's transparent_hugepage "enabled" file
  std::string_view image;      // the file the process runs (/proc/self/exe)
  std::string_view name;       // the program's name as started (argv[0])
  const char* preload;         // LD_PRELOAD, null when unset
};

// The GLIBC_TUNABLES to start the program's image again with; none where that
// would change nothing (the kernel gives large pages unasked or never, or the
// tunables already say whether to ask) or would start something else: the
// dynamic loader that ran the program, or, under valgrind, the program outside
// the tool's hands.
std::optional<std::string> TunablesForLargePages(const StartingProcess& process);

}  // namespace meshfold
