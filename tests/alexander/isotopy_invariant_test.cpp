// The value functions of the public header: presentations from each input, the twisted polynomial
// of one representation, the isotopy invariant of a knot and the norm evaluation.
#include "alexander/isotopy_invariant.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quarvel/quarvel.h"

namespace quarvel {
namespace {

Presentation SimplifiedKnot(std::string_view braid, int64_t effort, Simplification& simplification) {
  Result<Presentation> presentation = BraidPresentation(braid, false);
  EXPECT_TRUE(presentation.ok()) << braid;
  RandomGenerator random;
  NoRunControl control;
  SimplificationProgress quiet;
  Result<Simplified> simplified = SimplifyPresentation(*presentation, effort, random, control, quiet);
  EXPECT_TRUE(simplified.ok());
  simplification = simplified->simplification;
  ListSurvivingGenerators(*presentation, simplification);
  return *presentation;
}

IsotopyGroup Tabulated(const char* name) {
  IsotopyGroup group = MakeIsotopyGroup(name);
  FindConjugacyClasses(group);
  return group;
}

Result<IsotopyInvariant> Invariant(std::string_view braid, const IsotopyGroup& group, int64_t effort,
                                   IsotopyRequest request = {}) {
  Simplification simplification;
  const Presentation p = SimplifiedKnot(braid, effort, simplification);
  PrimeField field;
  SetCurrentPrime(field, 13);
  NoRunControl control;
  NoEnumerationProgress quiet;
  return ComputeIsotopyInvariant(p, simplification, group, field, request, control, quiet);
}

std::string TableBraid(const char* name) {
  return *BuiltInKnotBraid(name);
}

class StopAtOnce : public RunControl {
 public:
  bool StopRequested() const override { return true; }
};

TEST(InputPresentation, BraidTextAndTableGiveTheSameGroup) {
  Result<Presentation> braid = BraidPresentation("1 1 1", false);
  ASSERT_TRUE(braid.ok());
  EXPECT_EQ(braid->braidText, "{1,1,1}");
  EXPECT_EQ(braid->generatorCount, 3);
  EXPECT_EQ(braid->relatorCount, 2);
  EXPECT_EQ(braid->inputRelatorCount, 2);
  EXPECT_EQ(braid->phi[1], 1);
  Result<Presentation> surgery = BraidPresentation("{1,1,1}", true);
  ASSERT_TRUE(surgery.ok());
  EXPECT_EQ(surgery->relatorCount, 3);  // the longitude

  Result<Presentation> text = PresentationFromText("-b-a+c+a\r\n-a-c+b+c\r\nb-1\r\n", false);
  ASSERT_TRUE(text.ok());
  EXPECT_TRUE(text->braidText.empty());
  EXPECT_EQ(text->generatorCount, 3);
  EXPECT_EQ(text->phi[2], -1);
  EXPECT_EQ(text->phi[1], 1);
  Result<Presentation> braidLine = PresentationFromText("{1,1,1}\n", false);
  ASSERT_TRUE(braidLine.ok());
  EXPECT_EQ(braidLine->relators, braid->relators);
}

TEST(InputPresentation, FailuresCarryTheProgramsMessages) {
  EXPECT_EQ(BraidPresentation("{1,0}", false).error(), "Not a valid braid description");
  EXPECT_EQ(BraidPresentation("{31}", false).error(), "Braid description has to many strands");
  EXPECT_EQ(PresentationFromText("hello\n", false).error(),
            "The text holds no braid, presentation or knot list");
  EXPECT_EQ(PresentationFromText("", false).error(), "The text holds no braid, presentation or knot list");
}

TEST(BuiltInKnotBraid, ReadsTheListsInThePickOrder) {
  EXPECT_EQ(BuiltInKnotBraid("3_1"), std::string(KnotBraid(1)));
  EXPECT_EQ(BuiltInKnotBraid("Knot 4_1"), BuiltInKnotBraid("4_1"));
  // 12-crossing mutants live in the mutants list only: the entry from its brace on.
  const std::optional<std::string> mutant = BuiltInKnotBraid("12_1979");
  ASSERT_TRUE(mutant.has_value());
  EXPECT_EQ(mutant->front(), '{');
  EXPECT_FALSE(BuiltInKnotBraid("99_1").has_value());
  EXPECT_FALSE(BuiltInKnotBraid("").has_value());
}

TEST(ComputeIsotopyInvariant, TrefoilInS3) {
  Result<IsotopyInvariant> invariant = Invariant("{1,1,1}", Tabulated("s3"), 20);
  ASSERT_TRUE(invariant.ok()) << invariant.error();
  EXPECT_EQ(invariant->alexanderPolynomial.coefficients, (std::vector<Residue>{1, 12, 1}));
  ASSERT_EQ(invariant->classes.size(), 1u);
  EXPECT_EQ(invariant->product.coefficients, (std::vector<Residue>{1, 12, 0, 1, 12}));
  EXPECT_EQ(invariant->counts.found, 1);
  // Every present generator has an image, the eliminated ones included.
  for (int g = 1; g <= 3; ++g) EXPECT_NE(invariant->classes[0].images[g], 0) << g;
}

// The invariant does not depend on the presentation: simplified with or without elimination trials,
// the classes count the same and the product agrees.
TEST(ComputeIsotopyInvariant, DoesNotChangeWithTheSimplification) {
  for (const char* group : {"s4", "a5"}) {
    const IsotopyGroup tabulated = Tabulated(group);
    for (const char* knot : {"5_2", "7_4", "8_20", "9_35", "10_132"}) {
      Result<IsotopyInvariant> plain = Invariant(TableBraid(knot), tabulated, 0);
      Result<IsotopyInvariant> simplified = Invariant(TableBraid(knot), tabulated, 150);
      ASSERT_TRUE(plain.ok() && simplified.ok()) << knot;
      EXPECT_EQ(plain->classes.size(), simplified->classes.size()) << knot << " " << group;
      EXPECT_EQ(plain->product, simplified->product) << knot << " " << group;
    }
  }
}

TEST(ComputeIsotopyInvariant, S1GivesTheAlexanderPolynomialAlone) {
  Result<IsotopyInvariant> invariant = Invariant(TableBraid("4_1"), Tabulated("s1"), 20);
  ASSERT_TRUE(invariant.ok());
  EXPECT_TRUE(invariant->classes.empty());
  EXPECT_EQ(invariant->product.coefficients, (std::vector<Residue>{1, 10, 1}));
}

// A split link's module has positive rank: 0 without torsion, the torsion polynomial with it.
TEST(ComputeIsotopyInvariant, TorsionOfASplitLink) {
  const IsotopyGroup s3 = Tabulated("s3");
  Result<IsotopyInvariant> plain = Invariant("{1,1,1,3,3,3}", s3, 20, {true, false});
  Result<IsotopyInvariant> torsion = Invariant("{1,1,1,3,3,3}", s3, 20, {true, true});
  ASSERT_TRUE(plain.ok() && torsion.ok());
  EXPECT_TRUE(plain->alexanderPolynomial.coefficients.empty());
  EXPECT_TRUE(plain->product.coefficients.empty());
  EXPECT_FALSE(torsion->product.coefficients.empty());
  EXPECT_EQ(plain->classes.size(), torsion->classes.size());
}

TEST(ComputeIsotopyInvariant, StopsWhenAsked) {
  Simplification simplification;
  const Presentation p = SimplifiedKnot("{1,1,1}", 0, simplification);
  NoEnumerationProgress quiet;
  StopAtOnce stop;
  Result<IsotopyInvariant> stopped =
      ComputeIsotopyInvariant(p, simplification, Tabulated("s3"), PrimeField{}, {}, stop, quiet);
  EXPECT_EQ(stopped.error(), kStoppedMessage);
}

TEST(AlexanderPolynomialOverZ, KnownKnotsAndTheSizeLimit) {
  Simplification simplification;
  Result<std::vector<int64_t>> figureEight =
      AlexanderPolynomialOverZ(SimplifiedKnot(TableBraid("4_1"), 20, simplification), 13);
  ASSERT_TRUE(figureEight.ok());
  EXPECT_TRUE(*figureEight == (std::vector<int64_t>{1, -3, 1}) ||
              *figureEight == (std::vector<int64_t>{-1, 3, -1}));
  // The unsimplified Conway knot has 11 generators.
  Result<Presentation> conway = BraidPresentation(TableBraid("11_401"), false);
  EXPECT_EQ(AlexanderPolynomialOverZ(*conway, 13).error(), kIntegerAlexanderSizeMessage);
}

TEST(EvaluateNorm, TrefoilInS3OnVBoundsTheGenusByOne) {
  Simplification simplification;
  const Presentation p = SimplifiedKnot("{1,1,1}", 20, simplification);
  const IsotopyGroup s3 = Tabulated("s3");
  Result<IsotopyInvariant> invariant = Invariant("{1,1,1}", s3, 20);
  ASSERT_TRUE(invariant.ok());
  // The class's images as a representation on V.
  Representation representation;
  for (int g = 1; g <= 3; ++g) {
    const SmallPermutation& image = s3.elements[invariant->classes[0].images[g]];
    for (int i = 1; i <= 3; ++i) {
      representation.generators[g].image[i] = image[i];
      representation.generators[g].inverseImage[image[i]] = i;
    }
  }
  BuildRepresentationMatrices(p, MatrixKind::reduced, 3, representation);
  PrimeField field;
  SetCurrentPrime(field, 13);
  NoRunControl control;
  PolyMatrix store;
  Result<NormEvaluation> evaluation =
      EvaluateNorm(p, representation, field, {RepFamily::permutation, 2, false, 2}, control, store);
  ASSERT_TRUE(evaluation.ok()) << evaluation.error();
  EXPECT_EQ(evaluation->twisted.polynomial.coefficients, (std::vector<Residue>{1, 0, 12}));
  EXPECT_EQ(evaluation->zerothDegree, 0);
  EXPECT_DOUBLE_EQ(evaluation->bounds.genus, 1.0);
  EXPECT_FALSE(evaluation->fibering.notFibered);
}

}  // namespace
}  // namespace quarvel
