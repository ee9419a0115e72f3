#pragma once
// What the degrees of the twisted Alexander polynomials say beyond the bounds.
//
// Fibering: for a fibered manifold (or knot) the twisted polynomial is monic of degree
// k x(phi) + D with D in [D_lo, D_hi] (genus_norm_bounds.h), and x(phi) is the untwisted degree
// less d (1 + b3), the degrees of the untwisted zeroth and second polynomials. A module of positive
// rank, an untwisted x(phi) outside [(deg - D_hi) / k, (deg - D_lo) / k], and two compared fields
// whose degrees differ (with the permutation group only) show that it does not fiber;
// two fields whose bounds differ while D_lo = D_hi show a non-monic polynomial.

#include <cstdint>
#include <span>

#include "bounds/genus_norm_bounds.h"

namespace quarvel {

struct FiberingTest {
  int32_t twistedDegree = 0;
  int32_t untwistedDegree = 0;
  ZerothCorrection correction;
  int64_t k = 1;
  int64_t b3 = 0;
  int64_t phiMultiple = 1;
  bool positiveRank = false;
  // The fields compared so far, 1 .. fieldCount (0 without a comparison), by field position.
  int64_t fieldCount = 0;
  std::span<const int32_t> fieldDegree;
  std::span<const int32_t> fieldBound;
  std::span<const bool> fieldSelected;
  bool permutationGroupOnly = false;
};

struct FiberingVerdict {
  bool notFibered = false;
  bool nonMonic = false;
};

FiberingVerdict TestFibering(const FiberingTest& test);

// The bound a compared field records: deg - D, at least 0.
int32_t FieldBound(int32_t twistedDegree, const ZerothCorrection& correction);

struct StopVerdict {
  bool stopConditionMet = false;
  bool polynomialVanished = false;
};

// The stop conditions a computed polynomial meets: 1 (any twisted polynomial), 2 (an untwisted
// polynomial that vanishes), 4 (a vanishing polynomial, which also counts as vanished).
StopVerdict PolynomialStopVerdict(StopCondition stopCondition, bool untwisted, bool vanishes);

}  // namespace quarvel
