#pragma once
// Copying the short texts that records and lines are joined from. A library
// copy call per part costs more than the copy itself for parts of a few code
// units, so short parts are copied inline.

#include <cstddef>
#include <cstring>

#include "text/Text.h"

namespace meshfold {

namespace copyunits {

// Copies Units code units from in to out as one fixed-size move.
template <size_t Units>
inline void Move(char16_t* out, const char16_t* in) {
  unsigned char block[Units * sizeof(char16_t)];
  std::memcpy(block, in, sizeof block);
  std::memcpy(out, block, sizeof block);
}

}  // namespace copyunits

// Copies part to out and returns the position after it. Reads nothing beyond
// part; out must have room for part.size() code units. A part of n units is
// moved as two fixed-size blocks that overlap, the first and the last block
// of its size class, so no loop runs over short parts.
[[gnu::always_inline]] inline char16_t* CopyUnits(char16_t* out, TextView part) {
  const char16_t* in = part.data();
  const size_t count = part.size();
  if (count > 32) {
    std::memcpy(out, in, count * sizeof(char16_t));
  } else if (count >= 16) {
    copyunits::Move<16>(out, in);
    copyunits::Move<16>(out + count - 16, in + count - 16);
  } else if (count >= 8) {
    copyunits::Move<8>(out, in);
    copyunits::Move<8>(out + count - 8, in + count - 8);
  } else if (count >= 4) {
    copyunits::Move<4>(out, in);
    copyunits::Move<4>(out + count - 4, in + count - 4);
  } else if (count >= 2) {
    copyunits::Move<2>(out, in);
    copyunits::Move<2>(out + count - 2, in + count - 2);
  } else if (count == 1) {
    *out = *in;
  }
  return out + count;
}

}  // namespace meshfold
