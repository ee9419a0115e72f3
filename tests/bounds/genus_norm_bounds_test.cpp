#include "bounds/genus_norm_bounds.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/run_settings.h"
#include "bounds/verdicts.h"
#include "group/presentation.h"

namespace quarvel {
namespace {

std::vector<int64_t> BoundLowHigh(const ZerothCorrection& d) {
  return {d.bound, d.low, d.high};
}

TEST(BoundTexts, TwoDecimalsAndRoundingUp) {
  EXPECT_EQ(TwoDecimals(1.0), "1.00");
  EXPECT_EQ(TwoDecimals(0.5), "0.50");
  EXPECT_EQ(TwoDecimals(2.0 / 3.0), "0.67");
  EXPECT_EQ(BoundText(1.25), "2");
  EXPECT_EQ(BoundText(2.0), "2");
  EXPECT_EQ(BoundText(0.0), "0");
  EXPECT_EQ(BoundText(0.00005), "0");
}

// Arguments: trivial pass, kind, k, b3, d, deg0 + deg2.
TEST(ZerothCorrection, ByRepresentationKind) {
  EXPECT_EQ(ZerothCorrectionFor(true, RepFamily::permutation, 4, 0, 1, 2).bound,
            2);  // 1 + b3, raised to deg0 + deg2
  EXPECT_EQ(BoundLowHigh(ZerothCorrectionFor(false, RepFamily::permutation, 4, 0, 1, 2)),
            (std::vector<int64_t>{2, 2, 2}));
  EXPECT_EQ(BoundLowHigh(ZerothCorrectionFor(false, RepFamily::abelian, 1, 1, 1, 0)),
            (std::vector<int64_t>{2, 0, 2}));
  // The bound is raised to deg0 + deg2; the interval keeps its own values.
  EXPECT_EQ(BoundLowHigh(ZerothCorrectionFor(false, RepFamily::metabelian, 1, 0, 1, 5)),
            (std::vector<int64_t>{5, 1, 1}));
}

// phi = 3 phi_0: the offsets known for a primitive class are three times as large.
TEST(ZerothCorrection, ScalesWithTheMultipleOfAPrimitivePhi) {
  Presentation presentation;
  for (int g : {1, 2}) presentation.generatorUsed[g] = true;
  presentation.phi[1] = 3;
  presentation.phi[2] = -6;
  presentation.phi[3] = 1;  // not a generator of the presentation
  const int64_t d = PhiMultiple(presentation);
  EXPECT_EQ(d, 3);
  EXPECT_EQ(BoundLowHigh(ZerothCorrectionFor(false, RepFamily::abelian, 1, 0, d, 0)),
            (std::vector<int64_t>{3, 0, 3}));
  EXPECT_EQ(BoundLowHigh(ZerothCorrectionFor(false, RepFamily::metabelian, 1, 1, d, 0)),
            (std::vector<int64_t>{6, 6, 6}));
}

TEST(GenusNormBounds, FromTheDegreeClampedAtZeroAndZeroForPositiveRank) {
  struct Case {
    int32_t degree;
    int64_t correction, k, phiMultiple, b3;
    bool positiveRank;
    double norm, genus;
  };
  for (const Case& c : {Case{2, 1, 1, 1, 0, false, 1.0, 1.0},
                        // k = 3, D = 2, phi = 2 phi_0, closed: norm 4, genus (4 / 2 + 1 + 1) / 2 = 2.
                        Case{14, 2, 3, 2, 1, false, 4.0, 2.0}, Case{0, 3, 1, 1, 0, false, 0.0, 0.0},
                        Case{14, 2, 3, 2, 1, true, 0.0, 0.0}}) {
    const GenusNormBounds bounds =
        BoundsFromDegree(c.degree, c.correction, c.k, c.phiMultiple, c.b3, c.positiveRank);
    EXPECT_DOUBLE_EQ(bounds.norm, c.norm) << c.degree << " " << c.positiveRank;
    EXPECT_DOUBLE_EQ(bounds.genus, c.genus) << c.degree << " " << c.positiveRank;
  }
}

TEST(Verdicts, FiberingFromTheDegreeIntervalAndTheComparedFields) {
  FiberingTest test;
  test.twistedDegree = 4;
  test.untwistedDegree = 2;
  test.correction = {1, 1, 1};
  EXPECT_TRUE(TestFibering(test).notFibered);  // x(phi) = 1, the degree allows only 3
  test.twistedDegree = 2;
  EXPECT_FALSE(TestFibering(test).notFibered);
  EXPECT_FALSE(TestFibering(test).nonMonic);
  test.positiveRank = true;
  EXPECT_TRUE(TestFibering(test).notFibered && TestFibering(test).nonMonic);
  test.positiveRank = false;

  std::array<int32_t, kSelectableFields + 1> degrees{0, 2, 4};
  std::array<int32_t, kSelectableFields + 1> bounds{0, 1, 3};
  std::array<bool, kSelectableFields + 1> selected{false, true, true};
  test.fieldCount = 2;
  test.fieldDegree = degrees;
  test.fieldBound = bounds;
  test.fieldSelected = selected;
  EXPECT_FALSE(TestFibering(test).notFibered);  // different degrees count only with the permutation group
  EXPECT_TRUE(TestFibering(test).nonMonic);     // different bounds with D_lo = D_hi
  test.permutationGroupOnly = true;
  EXPECT_TRUE(TestFibering(test).notFibered);
  selected[2] = false;
  EXPECT_FALSE(TestFibering(test).notFibered || TestFibering(test).nonMonic);
  EXPECT_EQ(FieldBound(4, {1, 1, 1}), 3);
  EXPECT_EQ(FieldBound(0, {1, 1, 1}), 0);
}

// Arguments: stop condition, untwisted, vanishes.
TEST(Verdicts, StopConditionsOfAComputedPolynomial) {
  EXPECT_TRUE(PolynomialStopVerdict(StopCondition::first, false, false).stopConditionMet);
  EXPECT_FALSE(PolynomialStopVerdict(StopCondition::first, true, true).stopConditionMet);
  EXPECT_TRUE(PolynomialStopVerdict(StopCondition::notFibered, true, true).stopConditionMet);
  EXPECT_FALSE(PolynomialStopVerdict(StopCondition::notFibered, true, true).polynomialVanished);
  EXPECT_FALSE(PolynomialStopVerdict(StopCondition::notFibered, false, true).stopConditionMet);
  EXPECT_FALSE(PolynomialStopVerdict(StopCondition::vanishes, true, false).stopConditionMet);
  for (bool untwisted : {false, true}) {
    const StopVerdict vanished = PolynomialStopVerdict(StopCondition::vanishes, untwisted, true);
    EXPECT_TRUE(vanished.stopConditionMet && vanished.polynomialVanished);
  }
  EXPECT_FALSE(PolynomialStopVerdict(StopCondition::improved, false, true).stopConditionMet);
}

}  // namespace
}  // namespace quarvel
