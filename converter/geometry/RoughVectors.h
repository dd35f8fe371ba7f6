#pragma once
// The vectors of one kind in a store, its vertices' or its normals', as
// floats, read from their texts when first asked for: half the room of
// doubles, for tests that read the texts again where a float could mislead.

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "converter/RunTogether.h"
#include "converter/geometry/VertexPositions.h"
#include "text/TextArray.h"

namespace meshfold {

class RoughVectors {
 public:
  // texts holds count vectors, numbered from 1.
  RoughVectors(const TextArray& texts, int64_t count) : texts_(texts), count_(count) {}

  // Vector number (1 .. count) to within a float's precision; a coordinate
  // beyond a float's range is infinite.
  const std::array<float, 3>& At(uint32_t number) {
    if (vectors_.empty()) Prepare();
    std::array<float, 3>& vector = vectors_[number];
    if (std::isnan(vector[0])) {
      const Vector3 exact = ReadVectorText(texts_.Read(number));
      vector = {Rough(exact[0]), Rough(exact[1]), Rough(exact[2])};
    }
    return vector;
  }

  // Reads every vector now, on two threads when there are many: for a writer
  // that asks for nearly all of them, as it would one by one.
  void ReadAll() {
    if (vectors_.empty()) Prepare();
    RunInHalves(count_, [this](uint32_t number) { At(number); });
  }

 private:
  void Prepare() {
    vectors_.assign(static_cast<size_t>(count_) + 1, {std::numeric_limits<float>::quiet_NaN(), 0, 0});
  }

  // A double beyond a float's range has no float to cast to.
  static float Rough(double value) {
    constexpr double Largest = std::numeric_limits<float>::max();
    constexpr float Infinity = std::numeric_limits<float>::infinity();
    if (std::abs(value) > Largest) return value > 0 ? Infinity : -Infinity;
    return static_cast<float>(value);
  }

  const TextArray& texts_;
  int64_t count_;
  std::vector<std::array<float, 3>> vectors_;  // element 0 unused; NaN where not read yet
};

}  // namespace meshfold
