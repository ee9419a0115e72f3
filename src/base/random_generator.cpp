#include "base/random_generator.h"

namespace quarvel {
namespace {

constexpr uint32_t kMultiplier = 134775813u;
constexpr uint32_t kIncrement = 1u;

// The affine map seed -> a * seed + c (mod 2^32).
struct AffineStep {
  uint32_t a;
  uint32_t c;
};

// First `first`, then `second`.
AffineStep Then(AffineStep first, AffineStep second) {
  return {second.a * first.a, second.a * first.c + second.c};
}

}  // namespace

uint32_t RandomBelow(RandomGenerator& generator, uint32_t range) {
  generator.seed = generator.seed * kMultiplier + kIncrement;
  return static_cast<uint32_t>((static_cast<uint64_t>(range) * generator.seed) >> 32);
}

void SkipDraws(RandomGenerator& generator, uint64_t count) {
  AffineStep total{1u, 0u};
  AffineStep power{kMultiplier, kIncrement};
  for (; count != 0; count >>= 1) {
    if (count & 1u) total = Then(total, power);
    power = Then(power, power);
  }
  generator.seed = total.a * generator.seed + total.c;
}

}  // namespace quarvel
