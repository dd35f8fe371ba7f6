#pragma once
// Whether the 16-byte SSE2 paths are built. MESHFOLD_PORTABLE turns them off,
// so that a build on x86-64 runs, and tests, the portable paths that other
// processors take.
#if defined(__SSE2__) && !defined(MESHFOLD_PORTABLE)
#define MESHFOLD_SSE2 1
#else
#define MESHFOLD_SSE2 0
#endif
