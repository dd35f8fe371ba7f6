#pragma once
// Copying the short texts that records and lines are joined from. A library
// copy call per part costs more than the copy itself for parts of a few code
// units, so short parts are copied inline.

#include <cstdint>
#include <cstring>

#include "text/Text.h"

namespace meshfold {

// Copies part to out and returns the position after it. Reads nothing beyond
// part; out must have room for part.size() code units.
inline char16_t* CopyUnits(char16_t* out, TextView part) {
  const char16_t* in = part.data();
  size_t count = part.size();
  if (count > 16) {
    std::memcpy(out, in, count * sizeof(char16_t));
    return out + count;
  }
  for (; count >= 4; count -= 4, in += 4, out += 4) {
    uint64_t word = 0;
    std::memcpy(&word, in, sizeof word);
    std::memcpy(out, &word, sizeof word);
  }
  if (count >= 2) {
    uint32_t pair = 0;
    std::memcpy(&pair, in, sizeof pair);
    std::memcpy(out, &pair, sizeof pair);
    count -= 2;
    in += 2;
    out += 2;
  }
  if (count == 1) *out++ = *in;
  return out;
}

}  // namespace meshfold
