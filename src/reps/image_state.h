#pragma once
// The image of the current permutation representation in S_m (m <= 7): its elements, each with a
// word in the generators that produces it, the phi divisor that the same pass yields, and the
// generator bound of the current knot. The list and the phi divisor are written by ComputeImage
// (image_order.h); the norm driver raises the generator bound by each image's generator count and
// resets it at each knot.

#include <array>
#include <cstdint>
#include <vector>

#include "group/word.h"
#include "reps/representation.h"

namespace quarvel {

inline constexpr int32_t kMaxImageDegree = 7;
inline constexpr int32_t kMaxImageElements = 5040;  // |S_7|

struct ImageElement {
  Permutation permutation{};
  Word word;  // "+"-letter pairs only; the identity has the empty word
};

struct ImageState {
  int32_t degree = 0;                  // m, the degree of the permutations in the list
  int32_t count = 0;                   // n, the number of elements
  std::vector<ImageElement> elements;  // positions 1..count; slot 0 unused
  // Position in the list of each permutation of 1..m by its rank in lexicographic order; 0 when
  // absent. Keeps FindImageElement at constant cost while the closure fills up to 5040 elements.
  std::array<int32_t, kMaxImageElements> positionOfRank{};
  // Whether the list belongs to the representation of this cycle: cleared before each image is
  // computed, set once the closure is complete.
  bool current = false;
  int32_t phiDivisor = 0;
  int32_t generatorBound = 1;  // never lowered during a knot's computation
};

}  // namespace quarvel
