#include "norm/evaluate_representation.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;

// A knot group with n generators and n - 1 relators whose 1 x 1 presentation block the test
// fills by hand: only entry (1, 1) matters when k = 1 and there is one generator and one relator.
void SetUpOneByOne(Bench& bench, std::initializer_list<int> coefficients, int32_t prime = 13) {
  Workbench& wb = bench.wb;
  SetCurrentPrime(wb.field, prime);
  wb.presentation.generatorCount = 1;
  wb.presentation.relatorCount = 1;
  wb.current.degreeK = 1;
  wb.current.groupType = GroupType::knot;
  wb.settings.saveMode = SaveMode::none;
  ResetMatrix(wb.matrix);
  int e = 0;
  for (int c : coefficients) MatrixSet(wb.matrix, 1, 1, e++, static_cast<Residue>(c), wb.failure);
  wb.run.outputPanel = 4;
  wb.run.outputLine = 0;
}

TEST(EvaluateRepresentation, UntwistedTrefoilGivesGenusOne) {
  Bench bench;
  SetUpOneByOne(bench, {1, 12, 1});
  Workbench& wb = bench.wb;
  wb.run.trivialPass = true;
  wb.twisted.deg0 = 1;
  EvaluateRepresentation(wb);
  ASSERT_FALSE(wb.failure.computationFailed);
  EXPECT_EQ(wb.evaluation.twistedDegree, 2);
  EXPECT_DOUBLE_EQ(wb.evaluation.genusBound, 1.0);
  EXPECT_EQ(wb.evaluation.boundText, "1");
  EXPECT_EQ(wb.evaluation.untwistedDegree, 2);
  EXPECT_EQ(wb.evaluation.untwistedPolynomialText.plain, " 1+12t+t^2 (in F_13)");
  EXPECT_EQ(bench.surface.PanelLines(ComputationWindow::norm, 4),
            (std::vector<std::string>{"Untwisted Alexander polynomial in F_13[t]", "1+12t+t^2",
                                      "Degree of untwisted Alexander polynomial: 2",
                                      "Lower bound for genus of K: 1.00"}));
  EXPECT_EQ(bench.surface.PanelText(ComputationWindow::norm, 7), "Maximal lower bound for genus of K: 1.00");
  EXPECT_EQ(wb.evaluation.solutionCount, 0);  // the untwisted pass is not a solution
}

TEST(EvaluateRepresentation, NegativeBoundIsZeroAndEqualBoundsDoNotImprove) {
  Bench bench;
  Workbench& wb = bench.wb;
  SetUpOneByOne(bench, {1});
  wb.twisted.deg0 = 3;  // (0 - 3) / 1 + 1 < 0
  EvaluateRepresentation(wb);
  EXPECT_DOUBLE_EQ(wb.evaluation.normBound, 0.0);
  EXPECT_DOUBLE_EQ(wb.evaluation.genusBound, 0.0);
  EXPECT_FALSE(wb.evaluation.improvedBound);
  EXPECT_EQ(bench.surface.PanelLines(ComputationWindow::norm, 4).back(), "Lower bound for genus of K: 0.00");

  SetUpOneByOne(bench, {1});
  wb.twisted.deg0 = 0;
  EvaluateRepresentation(wb);
  EXPECT_DOUBLE_EQ(wb.evaluation.genusBound, 0.5);
  EXPECT_TRUE(wb.evaluation.improvedBound);

  SetUpOneByOne(bench, {1});
  EvaluateRepresentation(wb);
  EXPECT_FALSE(wb.evaluation.improvedBound);
  EXPECT_EQ(wb.evaluation.solutionCount, 3);
}

TEST(EvaluateRepresentation, UntwistedDegreeOffTheIntervalShowsNotFibered) {
  Bench bench;
  SetUpOneByOne(bench, {1, 1, 1, 1, 1});  // twisted degree 4 with k = 1
  Workbench& wb = bench.wb;
  wb.settings.repFamily = RepFamily::permutation;
  wb.twisted.deg0 = 1;
  wb.evaluation.untwistedDegree = 2;
  EvaluateRepresentation(wb);
  // A fibered knot of untwisted degree 2 has norm 1; this degree allows only (4 - 1) / 1 = 3.
  EXPECT_TRUE(wb.evaluation.showsNotFibered);
  EXPECT_FALSE(wb.evaluation.possiblyFibered);
  // Without compared fields the verdict is kept but not shown.
  EXPECT_EQ(bench.surface.PanelText(ComputationWindow::norm, 6), "Number of solutions: 1");
}

TEST(EvaluateRepresentation, ComparedFieldsShowOneLineEachAndTheVerdict) {
  Bench bench;
  Workbench& wb = bench.wb;
  wb.settings.compareFields = true;
  wb.settings.fieldSelected[2] = wb.settings.fieldSelected[3] = true;  // F_3 and F_5
  wb.settings.stopCondition = StopCondition::notFibered;
  wb.evaluation.untwistedDegree = 2;
  for (int64_t field : {2, 3}) {
    SetUpOneByOne(bench, {1, 1, 1, 1, 1}, field == 2 ? 3 : 5);
    wb.settings.compareFields = true;
    wb.twisted.deg0 = 1;
    wb.run.fieldIndex = field;
    wb.run.fieldsDone = static_cast<int32_t>(field - 1);
    EvaluateRepresentation(wb);
  }
  std::vector<std::string> lines = bench.surface.PanelLines(ComputationWindow::norm, 4);
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "Degrees of the twisted Alexander polynomial over different finite fields."),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "Degree of twisted Alexander polynomial in F_3   = 4, resulting bound on genus = 2.00"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "Degree of twisted Alexander polynomial in F_5   = 4, resulting bound on genus = 2.00"),
            lines.end());
  EXPECT_TRUE(wb.evaluation.stopConditionMet);
  EXPECT_EQ(bench.surface.PanelLines(ComputationWindow::norm, 6).back(), "The knot is not fibered");
  EXPECT_EQ(wb.evaluation.solutionCount, 1);  // one representation, two fields
}

TEST(EvaluateRepresentation, VanishingPolynomialStopsWhenAsked) {
  Bench bench;
  Workbench& wb = bench.wb;
  SetUpOneByOne(bench, {1});
  wb.presentation.generatorCount = 3;  // 3 x 1 matrix: two zero rows give rank 3 - 1 - k = 1
  wb.presentation.relatorCount = 1;
  wb.settings.stopCondition = StopCondition::vanishes;
  wb.settings.keepTorsionSwitch = true;
  EvaluateRepresentation(wb);
  EXPECT_TRUE(wb.twisted.positiveRank);
  EXPECT_TRUE(wb.evaluation.stopConditionMet);
  EXPECT_TRUE(wb.evaluation.polynomialVanished);
  EXPECT_DOUBLE_EQ(wb.evaluation.genusBound, 0.0);
  EXPECT_EQ(wb.evaluation.twistedPolynomialText.plain, "0 in F_13[t]");
  EXPECT_TRUE(wb.evaluation.showsNotFibered);
}

TEST(EvaluateRepresentation, AReductionPastTheMemoryCeilingShowsAndCountsNothing) {
  Bench bench;
  Workbench& wb = bench.wb;
  SetUpOneByOne(bench, {1, 1}, 7);
  // Row 1: 1 + t and t^9998: the reduction's work space needs 4 blocks of 16384 residues.
  wb.presentation.generatorCount = 2;
  wb.presentation.relatorCount = 2;
  MatrixSet(wb.matrix, 1, 2, 9998, 3, wb.failure);
  MatrixSet(wb.matrix, 2, 1, 5, 2, wb.failure);
  MatrixSet(wb.matrix, 2, 2, 0, 4, wb.failure);
  wb.settings.repFamily = RepFamily::permutation;
  wb.settings.memoryCeilingBytes = MatrixStorageBytes(wb.matrix) + 16384;
  EvaluateRepresentation(wb);
  EXPECT_TRUE(wb.failure.polynomialErrorFlag);
  EXPECT_EQ(wb.failure.errorMessage, "Out of memory");
  EXPECT_EQ(wb.evaluation.solutionCount, 0);
  EXPECT_FALSE(wb.evaluation.improvedBound);
  EXPECT_TRUE(bench.surface.PanelLines(ComputationWindow::norm, 4).empty());
}

}  // namespace
}  // namespace quarvel
