// The prime knot table up to 13 crossings: for every knot, its PD code and its braid give the same
// knot (the Alexander polynomial over F_13 for all of them, the S_5 invariant for a spread of
// them), and the PD reader's crossing signs are those of the braid up to the Reidemeister I moves
// that took the braid's closure to the minimal diagram (a mirror image would flip them).
#include <gtest/gtest.h>

#include <cstdlib>

#include "alexander/isotopy_invariant.h"
#include "diagram_alexander.h"
#include "group/diagram_text.h"
#include "group/knot_table_data.h"
#include "group/table_knots.h"

namespace quarvel::testing {
namespace {

// The sanitizer build checks every QUARVEL_TABLE_STRIDE-th knot: the same code paths, in a
// sixteenth of the 40 seconds the whole table takes it.
#ifndef QUARVEL_TABLE_STRIDE
#define QUARVEL_TABLE_STRIDE 1
#endif
constexpr size_t kStride = QUARVEL_TABLE_STRIDE;
constexpr int kSampled = static_cast<int>((knot_data::kPrimeKnots.size() + kStride - 1) / kStride);

// The table's braid when it is within the braid limits.
std::optional<ClosedBraid> TableBraid(const knot_data::PrimeKnot& knot) {
  Result<ClosedBraid> braid = CloseDiagram(NormaliseDiagramText(knot.braid));
  if (!braid) return std::nullopt;
  return *braid;
}

TEST(PrimeKnotTable, PdCodesAndBraidsGiveTheSameAlexanderPolynomial) {
  int compared = 0;
  for (size_t i = 0; i < knot_data::kPrimeKnots.size(); i += kStride) {
    const knot_data::PrimeKnot& knot = knot_data::kPrimeKnots[i];
    if (!TableBraid(knot)) continue;
    Result<Polynomial> fromPd = DiagramAlexander(knot.pd);
    Result<Polynomial> fromBraid = DiagramAlexander(knot.braid);
    ASSERT_TRUE(fromPd.ok() && fromBraid.ok()) << knot.name;
    ASSERT_EQ(*fromPd, *fromBraid) << knot.name;
    ++compared;
  }
  EXPECT_GE(compared, kSampled - 158);  // the braids longer than 47 letters are left out
}

// Each Reidemeister I move changes the crossing number by one and the writhe by one, the other
// moves change the writhe by nothing: the writhes differ by at most the crossings removed (and the
// four extra crossings the search for some minimal diagrams allowed), with the same parity.
TEST(PrimeKnotTable, PdCrossingSignsAreTheBraidsUpToReidemeisterOneMoves) {
  int sameWrithe = 0;
  int chiralCandidates = 0;
  for (size_t i = 0; i < knot_data::kPrimeKnots.size(); i += kStride) {
    const knot_data::PrimeKnot& knot = knot_data::kPrimeKnots[i];
    const std::optional<ClosedBraid> braid = TableBraid(knot);
    if (!braid) continue;
    const ClosedBraid pd = CloseDiagram(std::string(knot.pd)).value();
    const int removed = braid->CrossingCount() - pd.CrossingCount();
    const int change = Writhe(*braid) - Writhe(pd);
    ASSERT_EQ(std::abs(change) % 2, removed % 2) << knot.name;
    ASSERT_LE(std::abs(change), removed + 8) << knot.name;
    if (change == 0) ++sameWrithe;
    if (Writhe(pd) != 0 && std::abs(Writhe(*braid) + Writhe(pd)) > removed + 8) ++chiralCandidates;
  }
  // The check sees mirror images: for these knots a mirrored reading would break the bound.
  EXPECT_GT(chiralCandidates, 1000 / static_cast<int>(kStride));
  EXPECT_GT(sameWrithe, 1000 / static_cast<int>(kStride));
}

// The product up to a unit: lowest term t^0, constant term 1.
Polynomial Normalised(Polynomial f, const PrimeField& field) {
  size_t lowest = 0;
  while (lowest < f.coefficients.size() && f.coefficients[lowest] == 0) ++lowest;
  f.coefficients.erase(f.coefficients.begin(), f.coefficients.begin() + static_cast<long>(lowest));
  if (f.coefficients.empty()) return f;
  const Residue inverse = field.inverseTable[f.coefficients.front()];
  for (Residue& c : f.coefficients) c = MultiplyModP(field, c, inverse);
  return f;
}

struct S5Result {
  size_t classes = 0;
  Polynomial product;
};

S5Result S5Invariant(std::string_view diagram) {
  Result<Presentation> presentation = BraidPresentation(diagram, false);
  EXPECT_TRUE(presentation.ok()) << diagram;
  RandomGenerator random;
  NoRunControl control;
  SimplificationProgress quiet;
  Result<Simplified> simplified = SimplifyPresentation(*presentation, 50, random, control, quiet);
  ListSurvivingGenerators(*presentation, simplified->simplification);
  PrimeField field;
  SetCurrentPrime(field, 13);
  IsotopyGroup group = MakeIsotopyGroup("s5");
  FindConjugacyClasses(group);
  EnumerationProgress progress;
  Result<IsotopyInvariant> invariant =
      ComputeIsotopyInvariant(*presentation, simplified->simplification, group, field, {}, control, progress);
  EXPECT_TRUE(invariant.ok()) << diagram;
  return {invariant->classes.size(), Normalised(invariant->product, field)};
}

TEST(PrimeKnotTable, PdCodesAndBraidsGiveTheSameS5InvariantOverASpreadOfKnots) {
  int compared = 0;
  for (size_t i = 0; i < knot_data::kPrimeKnots.size(); i += 43 * kStride) {
    const knot_data::PrimeKnot& knot = knot_data::kPrimeKnots[i];
    if (!TableBraid(knot)) continue;
    const S5Result fromPd = S5Invariant(knot.pd);
    const S5Result fromBraid = S5Invariant(knot.braid);
    EXPECT_EQ(fromPd.classes, fromBraid.classes) << knot.name;
    EXPECT_EQ(fromPd.product, fromBraid.product) << knot.name;
    ++compared;
  }
  EXPECT_GT(compared, 290 / static_cast<int>(kStride));
}

}  // namespace
}  // namespace quarvel::testing
