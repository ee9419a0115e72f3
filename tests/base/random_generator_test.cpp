#include "base/random_generator.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

// Seeds and draws below 100 from seed 0, worked out from seed := seed * 134775813 + 1 (mod 2^32)
// and draw := (100 * seed) >> 32.
TEST(RandomGenerator, FirstDrawsFromSeedZero) {
  RandomGenerator random;
  const uint32_t seeds[] = {1u, 134775814u, 3698175007u, 870078620u, 1172187917u, 2884733762u};
  const uint32_t draws[] = {0, 3, 86, 20, 27, 67};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(RandomBelow(random, 100), draws[i]) << i;
    EXPECT_EQ(random.seed, seeds[i]) << i;
  }
}

TEST(RandomGenerator, DrawsStayBelowTheirRange) {
  RandomGenerator random;
  for (uint32_t range : {1u, 2u, 3u, 52u, 4294967295u}) {
    for (int i = 0; i < 1000; ++i) EXPECT_LT(RandomBelow(random, range), range);
  }
  EXPECT_EQ(RandomBelow(random, 0), 0u);
}

TEST(RandomGenerator, SkippingEqualsDrawingOneByOne) {
  for (uint64_t count : {0ull, 1ull, 2ull, 7ull, 1000ull, 65537ull}) {
    RandomGenerator skipped{12345u};
    RandomGenerator drawn{12345u};
    SkipDraws(skipped, count);
    for (uint64_t i = 0; i < count; ++i) RandomBelow(drawn, 3);
    EXPECT_EQ(skipped.seed, drawn.seed) << count;
  }
  RandomGenerator random;
  SkipDraws(random, 1000);
  EXPECT_EQ(random.seed, 1995684248u);
  RandomGenerator warmedUp;
  SkipDraws(warmedUp, 7'432'272 + 5'214'572);
  EXPECT_EQ(warmedUp.seed, 1251199460u);
}

}  // namespace
}  // namespace quarvel
