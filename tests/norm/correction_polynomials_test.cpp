#include "norm/correction_polynomials.h"

#include <gtest/gtest.h>

#include <sstream>

#include "alexander/alexander_test_support.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::EntryTerms;
using testing::Perm;
using testing::PrepareBraid;
using testing::SetPermutationRepresentation;
using testing::SetTrivialRepresentation;

using Terms = std::vector<int>;

constexpr const char* kZerothText = "Degree of zeroth twisted Alexander polynomial = ";
constexpr const char* kSecondText = "Degree of second twisted Alexander polynomial = ";

// One generator (number 1) with the given phi and k x k matrix and inverse, over F_p.
void OneGenerator(Workbench& wb, int32_t p, int32_t phi, const std::vector<std::vector<int32_t>>& matrix,
                  const std::vector<std::vector<int32_t>>& inverse) {
  SetCurrentPrime(wb.field, p);
  const int32_t k = static_cast<int32_t>(matrix.size());
  wb.current.degreeK = k;
  wb.presentation.generatorCount = 1;
  wb.presentation.generatorLetters[1] = 1;
  wb.presentation.phi[1] = phi;
  GeneratorImage& image = wb.representation.generators[1];
  image.matrix.Reset(k);
  image.inverseMatrix.Reset(k);
  for (int32_t a = 1; a <= k; ++a) {
    for (int32_t b = 1; b <= k; ++b) {
      image.matrix(a, b) = matrix[a - 1][b - 1];
      image.inverseMatrix(a, b) = inverse[a - 1][b - 1];
    }
  }
  image.abelianScalar = 3;  // the scalars take no part
}

// The trefoil over F_13 with the trivial representation, its drawing calls recorded.
struct TrivialTrefoil {
  Bench b;
  std::ostringstream transcript;
  TrivialTrefoil() {
    PrepareBraid(b.wb, "{1,1,1}", 20, 13);
    b.surface.RecordTranscript(transcript);
    SetTrivialRepresentation(b.wb);
  }
};

TEST(ZerothTwistedPolynomial, TrivialPassWithPhiOneHasDegreeOneAndShowsNothing) {
  TrivialTrefoil t;
  Bench& b = t.b;
  const std::ostringstream& transcript = t.transcript;
  b.wb.run.trivialPass = true;
  b.wb.run.outputLine = 30;
  ZerothTwistedPolynomial(b.wb);
  EXPECT_EQ(b.wb.twisted.deg0, 1);
  EXPECT_EQ(transcript.str(), "");
  EXPECT_EQ(b.wb.run.outputLine, 30);
  EXPECT_EQ(b.wb.run.savedPanelPosition, 0);
}

TEST(ZerothTwistedPolynomial, TheBlockIsOneMinusTheTransposedInverseAtMinusPhi) {
  // Stopped before the reduction, the store keeps the built and normalised block:
  // I - (A^-1)^T t^-1 with A^-1 = [[1, 2], [0, 1]] over F_5, times t.
  Bench b;
  OneGenerator(b.wb, 5, 1, {{1, 3}, {0, 1}}, {{1, 2}, {0, 1}});
  b.wb.panels.flags.stopRequested = true;
  ZerothTwistedPolynomial(b.wb);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (Terms{4, 1}));
  EXPECT_EQ(MatrixEntryDegree(b.wb.matrix, 1, 2), kEmptyEntryDegree);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 1), (Terms{3}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 2), (Terms{4, 1}));
}

TEST(SecondTwistedPolynomial, TheBlockIsOneMinusTheMatrixAtPhi) {
  Bench b;
  OneGenerator(b.wb, 5, 1, {{1, 2}, {0, 1}}, {{1, 3}, {0, 1}});
  b.wb.current.groupType = GroupType::closed;
  b.wb.panels.flags.stopRequested = true;
  SecondTwistedPolynomial(b.wb);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (Terms{1, 4}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 2), (Terms{0, 3}));
  EXPECT_EQ(MatrixEntryDegree(b.wb.matrix, 2, 1), kEmptyEntryDegree);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 2), (Terms{1, 4}));
}

TEST(ZerothTwistedPolynomial, AGeneratorWithPhiZeroGivesAConstantBlock) {
  // 1 - A^-1 = 1 - 4 = 4 over F_7: a unit, so degree 0 (the reduced entry, divided by its constant
  // term, is 1); at t^-1 it would have degree 1.
  Bench b;
  OneGenerator(b.wb, 7, 0, {{2}}, {{4}});
  ZerothTwistedPolynomial(b.wb);
  EXPECT_EQ(b.wb.twisted.deg0, 0);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (Terms{1}));
  // Second: 1 - A = 1 - 2 = 6, again a unit.
  Bench second;
  OneGenerator(second.wb, 7, 0, {{2}}, {{4}});
  second.wb.current.groupType = GroupType::closed;
  SecondTwistedPolynomial(second.wb);
  EXPECT_EQ(second.wb.twisted.deg2, 0);
  EXPECT_EQ(EntryTerms(second.wb.matrix, 1, 1), (Terms{1}));
}

TEST(ZerothAndSecond, KnownDegreesOfTheTrefoil) {
  // H_0 with the permutation representation onto S_3 is the trivial part F_p[t^+-1]/(t - 1) plus
  // the 2-dimensional part, which has no invariants: degree 1. For the closed manifold (group
  // type 3) the second polynomial is its mirror, also of degree 1.
  const std::map<int, Perm> s3 = {{1, {2, 1, 3}}, {2, {1, 3, 2}}, {3, {3, 2, 1}}};
  for (int32_t p : {5, 13, 53}) {
    Bench b;
    PrepareBraid(b.wb, "{1,1,1}", 20, p);
    SetPermutationRepresentation(b.wb, s3);
    b.wb.current.groupType = GroupType::closed;
    ZerothTwistedPolynomial(b.wb);
    SecondTwistedPolynomial(b.wb);
    EXPECT_EQ(b.wb.twisted.deg0, 1) << "p=" << p;
    EXPECT_EQ(b.wb.twisted.deg2, 1) << "p=" << p;
    EXPECT_FALSE(b.wb.twisted.positiveRank);
  }
  // phi = 2 on every generator: H_0 = F_p[t^+-1]/(t^2 - 1).
  Bench doubled;
  PrepareBraid(doubled.wb, "{1,1,1}", 20, 13);
  SetTrivialRepresentation(doubled.wb);
  for (int g = 1; g <= kMaxGenerators; ++g) doubled.wb.presentation.phi[g] = 2;
  ZerothTwistedPolynomial(doubled.wb);
  EXPECT_EQ(doubled.wb.twisted.deg0, 2);
}

TEST(ZerothAndSecond, LinesGoBelowTheSavedPositionOrTheOutputLine) {
  struct Case {
    int32_t saved;
    int32_t outputLine;
    int32_t zerothY;
    int32_t secondY;
    int32_t finalLine;
  } cases[] = {
      {0, 100, 107, 122, 130},  // the zeroth sets the saved position to line + 7
      {200, 100, 200, 215, 223},
  };
  for (const Case& c : cases) {
    TrivialTrefoil t;
    Bench& b = t.b;
    const std::ostringstream& transcript = t.transcript;
    b.wb.run.trivialPass = false;
    b.wb.run.outputPanel = 3;
    b.wb.run.savedPanelPosition = c.saved;
    b.wb.run.outputLine = c.outputLine;
    const int pumps = b.surface.MessagePumps();
    ZerothTwistedPolynomial(b.wb);
    EXPECT_EQ(b.wb.run.outputLine, c.zerothY + 8);
    SecondTwistedPolynomial(b.wb);  // group type 0: degree 0, still shown
    EXPECT_EQ(transcript.str(), "P3\t7\t" + std::to_string(c.zerothY) + "\t" + kZerothText + "1\n" +
                                    "P3\t7\t" + std::to_string(c.secondY) + "\t" + kSecondText + "0\n");
    EXPECT_EQ(b.wb.run.outputLine, c.finalLine);
    EXPECT_EQ(b.wb.twisted.deg2, 0);
    // The zeroth reduction pumps once per pass; each polynomial pumps once more before its line.
    EXPECT_GE(b.surface.MessagePumps() - pumps, 2);
  }
}

TEST(SecondTwistedPolynomial, TakesTheOutputLinePlus22WhenNoPositionWasSaved) {
  Bench b;
  std::ostringstream transcript;
  b.surface.RecordTranscript(transcript);
  b.wb.run.trivialPass = false;
  b.wb.run.outputPanel = 4;
  b.wb.run.outputLine = 50;
  b.wb.current.groupType = GroupType::link;
  SecondTwistedPolynomial(b.wb);
  EXPECT_EQ(transcript.str(), "P4\t7\t87\t" + std::string(kSecondText) + "0\n");
  EXPECT_EQ(b.wb.run.savedPanelPosition, 72);
  EXPECT_EQ(b.wb.run.outputLine, 95);
}

TEST(ZerothAndSecond, DoNothingAfterAFailure) {
  Bench b;
  PrepareBraid(b.wb, "{1,1,1}", 20, 13);
  SetTrivialRepresentation(b.wb);
  b.wb.current.groupType = GroupType::closed;
  b.wb.twisted.deg0 = 7;
  b.wb.twisted.deg2 = 8;
  Fail(b.wb.failure, "Too many generators!");
  const int pumps = b.surface.MessagePumps();
  ZerothTwistedPolynomial(b.wb);
  SecondTwistedPolynomial(b.wb);
  EXPECT_EQ(b.wb.twisted.deg0, 7);
  EXPECT_EQ(b.wb.twisted.deg2, 8);
  EXPECT_EQ(b.surface.MessagePumps(), pumps);
}

}  // namespace
}  // namespace quarvel
