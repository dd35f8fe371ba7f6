#pragma once
// Finding equal elements among millions, as welding positions and numbering
// vertex colours both need: one open-addressing table of indices, no sort and
// no map of copies.

#include <bit>
#include <cstdint>
#include <vector>

namespace meshfold {

// What FirstEqual gives an element it skips.
inline constexpr uint32_t NoEqual = UINT32_MAX;

// The hash of numbers compared with ==: + 0 makes -0 and 0, which are equal,
// hash alike. The last steps spread every bit into the low ones the table
// takes: whole-number coordinates leave a double's low bits all 0.
template <typename Numbers>
size_t NumbersHash(const Numbers& numbers) {
  uint64_t hash = 0;
  for (const auto number : numbers) {
    const auto same = number + decltype(number){0};
    uint64_t bits = 0;
    if constexpr (sizeof same == 8) bits = std::bit_cast<uint64_t>(same);
    if constexpr (sizeof same == 4) bits = std::bit_cast<uint32_t>(same);
    hash = (hash ^ bits) * 0x9E3779B97F4A7C15u;
  }
  hash = (hash ^ hash >> 33) * 0xFF51AFD7ED558CCDu;
  return static_cast<size_t>(hash ^ hash >> 33);
}

// For each element of values, the index of the first element equal to it
// (its own when none before is); NoEqual for the indices skip(index) is true of.
template <typename T, typename Skip>
std::vector<uint32_t> FirstEqual(const std::vector<T>& values, Skip skip) {
  std::vector<uint32_t> first(values.size(), NoEqual);
  size_t slots = 1;
  while (slots < 2 * values.size()) slots *= 2;
  std::vector<uint32_t> table(slots, NoEqual);
  for (uint32_t index = 0; index < values.size(); ++index) {
    if (skip(index)) continue;
    size_t at = NumbersHash(values[index]) & (slots - 1);
    while (table[at] != NoEqual && !(values[table[at]] == values[index])) at = (at + 1) & (slots - 1);
    if (table[at] == NoEqual) table[at] = index;
    first[index] = table[at];
  }
  return first;
}

}  // namespace meshfold
