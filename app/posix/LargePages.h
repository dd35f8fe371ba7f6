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

// The GLIBC_TUNABLES to start the program again with, from the current ones
// (null when unset) and the first line of the kernel's transparent_hugepage
// "enabled" file; none where that would change nothing: the kernel gives large
// pages unasked or never, or the tunables already say whether to ask.
std::optional<std::string> TunablesForLargePages(const char* tunables, std::string_view hugePages);

}  // namespace meshfold
