#pragma once
// The one pseudo-random generator of a run: a linear congruential generator
//   seed := seed * 134775813 + 1 (mod 2^32),
// with a draw in 0..range-1 being the high 32 bits of range * seed (after the step). The seed is 0
// when the program starts and is never reseeded, so a fresh process repeats its runs exactly.

#include <cstdint>

namespace quarvel {

struct RandomGenerator {
  uint32_t seed = 0;
};

// Steps the generator and returns a draw in 0..range-1 (0 when range is 0).
uint32_t RandomBelow(RandomGenerator& generator, uint32_t range);

// Steps the generator `count` times, as that many discarded draws would, in O(log count).
void SkipDraws(RandomGenerator& generator, uint64_t count);

}  // namespace quarvel
