#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/FuzzTarget.h"

void FuzzCheck(bool condition, const char* message) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", message);
  std::abort();
}
