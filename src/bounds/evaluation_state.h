#pragma once
// The verdicts and texts of the evaluation: per evaluation, per knot (reset by the driver) and
// per run. The reports and the knot-list writer read them.

#include <array>
#include <cstdint>
#include <string>

#include "base/run_settings.h"

namespace quarvel {

struct PolynomialTexts {
  std::string plain;
  std::string latex;
};

struct EvaluationState {
  // This evaluation.
  int32_t twistedDegree = 0;
  double genusBound = 0;
  double normBound = 0;
  std::string boundText;
  bool improvedBound = false;
  bool showsNotFibered = false;
  bool showsNonMonic = false;
  PolynomialTexts twistedPolynomialText;
  std::string wadaText;  // empty unless the presentation has deficiency one and the matrix is small
  // The knot.
  int32_t untwistedDegree = 0;
  PolynomialTexts untwistedPolynomialText;
  std::string integerAlexanderText;  // the Alexander polynomial over Z, from the trivial pass
  double bestBound = 0;
  double bestNormBound = 0;
  bool possiblyFibered = true;
  bool possiblyMonic = true;
  bool stopConditionMet = false;
  bool boundImproved = false;
  bool polynomialVanished = false;
  // The compared fields of the current representation, by position 1..10.
  std::array<int32_t, kSelectableFields + 1> fieldDegree{};
  std::array<int32_t, kSelectableFields + 1> fieldBound{};
  std::array<PolynomialTexts, kSelectableFields + 1> fieldPolynomialTexts;
  // The run.
  int32_t solutionCount = 0;
};

}  // namespace quarvel
