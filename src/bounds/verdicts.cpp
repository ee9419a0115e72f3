#include "bounds/verdicts.h"

#include <algorithm>

namespace quarvel {

FiberingVerdict TestFibering(const FiberingTest& t) {
  const double k = static_cast<double>(t.k);
  const double upper = static_cast<double>(t.twistedDegree - t.correction.low) / k;
  const double lower = static_cast<double>(t.twistedDegree - t.correction.high) / k;
  FiberingVerdict verdict{t.positiveRank, t.positiveRank};
  // The untwisted degree less that of the untwisted zeroth and second polynomials: x(phi) when fibered.
  const double u = static_cast<double>(t.untwistedDegree - (1 + t.b3) * t.phiMultiple);
  if (u < lower || u > upper) verdict.notFibered = true;
  for (int64_t a = 1; a <= t.fieldCount; ++a) {
    for (int64_t b = a + 1; b <= t.fieldCount; ++b) {
      if (!t.fieldSelected[a] || !t.fieldSelected[b]) continue;
      if (t.fieldDegree[a] != t.fieldDegree[b] && t.permutationGroupOnly) {
        verdict.notFibered = verdict.nonMonic = true;
      }
      if (t.fieldBound[a] != t.fieldBound[b] && upper == lower) verdict.nonMonic = true;
    }
  }
  return verdict;
}

int32_t FieldBound(int32_t twistedDegree, const ZerothCorrection& correction) {
  return static_cast<int32_t>(std::max<int64_t>(twistedDegree - correction.bound, 0));
}

StopVerdict PolynomialStopVerdict(StopCondition stopCondition, bool untwisted, bool vanishes) {
  StopVerdict verdict;
  if (untwisted) {
    verdict.stopConditionMet =
        vanishes && (stopCondition == StopCondition::notFibered || stopCondition == StopCondition::vanishes);
  } else {
    verdict.stopConditionMet =
        stopCondition == StopCondition::first || (vanishes && stopCondition == StopCondition::vanishes);
  }
  verdict.polynomialVanished = vanishes && stopCondition == StopCondition::vanishes;
  return verdict;
}

}  // namespace quarvel
