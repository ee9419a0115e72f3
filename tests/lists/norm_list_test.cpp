// The fibration-and-norm walk over a knot list: which line a pass takes, the result line it
// writes back, and whole list runs through the driver.

#include "lists/norm_list.h"

#include <gtest/gtest.h>

#include "e2e/cli_runner.h"
#include "front/start.h"
#include "lists/knot_list.h"
#include "norm/norm_driver.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::Lines;
using testing::ReadWholeFile;
using testing::TempDir;

constexpr StopCondition kStopNever = StopCondition::never;
constexpr StopCondition kStopAtFirst = StopCondition::first;
constexpr StopCondition kStopNotFibered = StopCondition::notFibered;
constexpr StopCondition kStopVanishes = StopCondition::vanishes;

constexpr const char* kTrefoil = "{-1,-1,-1}";
constexpr const char* kFigureEight = "{-1,2,-1,2}";

// A list file and a workbench to walk it.
struct ListBench {
  explicit ListBench(const std::string& content) : path(dir.Write("list.txt", content).string()) {}

  // The lines of the list, written with LF as the list was.
  std::vector<std::string> FileLines() const {
    std::vector<std::string> lines = Lines(ReadWholeFile(path));
    for (const std::string& line : lines) EXPECT_FALSE(line.ends_with('\r')) << line;
    return lines;
  }

  TempDir dir;
  std::string path;
  Bench bench;
  Workbench& wb = bench.wb;
};

// Walks the list at `size` as a pass of the driver does.
void Next(ListBench& list, int64_t size, StopCondition stopCondition) {
  list.wb.current.degreeK = size;
  list.wb.settings.stopCondition = stopCondition;
  NextListKnot(list.wb, list.path);
}

// The state the driver leaves after the last cycle of a knot at size 3: untwisted polynomial
// 1+12t+t^2 over F_13 (so half its degree is 1), a nontrivial representation found.
void FinishKnot(Workbench& wb, int64_t line, double bestBound) {
  wb.run.listLineNumber = line;
  wb.run.savedSize = 3;
  wb.evaluation.untwistedPolynomialText.plain = " 1+12t+t^2 (in F_13)";
  wb.evaluation.untwistedDegree = 2;
  wb.evaluation.bestBound = bestBound;
  wb.evaluation.possiblyFibered = true;
  wb.representation.nontrivialCount = 1;
  wb.presentation.generatorCount = 3;
}

std::string WrittenLine(ListBench& list, int64_t line) {
  WriteListResult(list.wb, list.path);
  EXPECT_FALSE(list.wb.failure.computationFailed) << list.wb.failure.errorMessage;
  return list.FileLines().at(static_cast<size_t>(line - 1));
}

TEST(NextListKnot, SkipsCommentsAndTakesTheFirstFreshKnot) {
  ListBench list("% knots of the test\n7_4: {1,1,2,-1,2,2,3,-2,3}\n3_1 {-1,-1,-1}\nend\n");
  list.wb.current.writeKnotFiles = true;  // as a run from a picked file starts
  Next(list, 3, kStopNever);
  ASSERT_FALSE(list.wb.failure.computationFailed) << list.wb.failure.errorMessage;
  EXPECT_FALSE(list.wb.run.listDone);
  EXPECT_EQ(list.wb.run.listLineNumber, 2);
  EXPECT_EQ(list.wb.presentation.braidText, "{1,1,2,-1,2,2,3,-2,3}");
  EXPECT_GT(list.wb.presentation.generatorCount, 0);  // prepared and simplified
  EXPECT_FALSE(list.wb.current.writeKnotFiles);       // a knot of a list writes no export files
  EXPECT_EQ(list.bench.surface.PanelLines(ComputationWindow::norm, 5),
            std::vector<std::string>{"Knot number 2 Name: knot7_4"});
}

TEST(NextListKnot, ALineOfThisSizeIsSkippedAndTakenAtTheNextSize) {
  const std::string processed = std::string("3_1: reps of dim3n genus>=1.00 braid ") + kTrefoil;
  ListBench list(processed + "\n4_1 " + kFigureEight + "\n");
  Next(list, 3, kStopNever);
  EXPECT_EQ(list.wb.run.listLineNumber, 2);
  Next(list, 4, kStopNever);
  EXPECT_EQ(list.wb.run.listLineNumber, 1);
  EXPECT_EQ(list.wb.presentation.braidText, kTrefoil);
}

TEST(NextListKnot, AListWhoseKnotsMeetTheStopConditionIsSatisfied) {
  ListBench list(std::string("3_1: reps of dim3y braid ") + kTrefoil +
                 "\n% a comment\n4_1: reps of dim3n4y braid " + kFigureEight + "\nend\n");
  Next(list, 3, kStopAtFirst);
  EXPECT_TRUE(list.wb.run.listDone);
  EXPECT_TRUE(list.wb.run.listSatisfied);
  // Without a stop condition nothing is ever satisfied.
  Next(list, 5, kStopNever);
  EXPECT_EQ(list.wb.run.listLineNumber, 1);
  EXPECT_FALSE(list.wb.run.listSatisfied);
}

TEST(NextListKnot, NewMakesAProcessedLineBeTakenAgain) {
  ListBench list(std::string("3_1: reps of dim3y braid ") + kTrefoil + "\n4_1: new reps of dim3y braid " +
                 kFigureEight + "\n");
  Next(list, 3, kStopAtFirst);
  EXPECT_FALSE(list.wb.run.listDone);
  EXPECT_FALSE(list.wb.run.listSatisfied);
  EXPECT_EQ(list.wb.run.listLineNumber, 2);
}

TEST(NextListKnot, AProcessedLineLackingTheStopConditionKeepsTheListGoing) {
  ListBench list(std::string("3_1: reps of dim3y genus>=1.00 perhaps fibered braid ") + kTrefoil + "\nend\n");
  Next(list, 3, kStopNotFibered);
  EXPECT_TRUE(list.wb.run.listDone);
  EXPECT_FALSE(list.wb.run.listSatisfied);
}

TEST(NextListKnot, AListWithoutKnotsIsDoneAndSatisfied) {
  ListBench list("% nothing but a comment\nend\n");
  Next(list, 3, kStopNever);
  EXPECT_TRUE(list.wb.run.listDone);
  EXPECT_TRUE(list.wb.run.listSatisfied);
}

TEST(NextListKnot, EmptyLinesDoNotEndTheList) {
  ListBench list(std::string(150, '\n') + "3_1 " + kTrefoil + "\n");
  Next(list, 3, kStopNever);
  EXPECT_FALSE(list.wb.run.listDone);
  EXPECT_EQ(list.wb.run.listLineNumber, 151);
}

TEST(WriteListResult, FieldsStandAtTheirColumns) {
  ListBench list("% comment\n7_4: {1,1,2,-1,2,2,3,-2,3}\n3_1 {-1,-1,-1}\nend\n");
  FinishKnot(list.wb, 2, 1.0);
  const std::string line = WrittenLine(list, 2);
  EXPECT_EQ(line, "7_4:           1+12t+t^2 (in F_13)" + std::string(28, ' ') + "reps of dim3y" +
                      std::string(9, ' ') + "genus>=1.00" + std::string(2, ' ') + "perhaps fibered" +
                      std::string(2, ' ') + "braid {1,1,2,-1,2,2,3,-2,3}");
  EXPECT_EQ(line.find("reps of dim"), 62u);
  EXPECT_EQ(line.find("genus>="), 84u);
  // The other lines stay as they were, and "end" closes the list.
  EXPECT_EQ(list.FileLines(), (std::vector<std::string>{"% comment", line, "3_1 {-1,-1,-1}", "end"}));
}

TEST(WriteListResult, OptionalFieldsMoveTheColumnsOn) {
  ListBench list("k {1,1,1}\n");
  FinishKnot(list.wb, 1, 1.5);
  list.wb.evaluation.boundImproved = true;
  list.wb.evaluation.possiblyFibered = false;
  list.wb.evaluation.polynomialVanished = true;
  list.wb.settings.stopCondition = kStopVanishes;
  list.wb.settings.determineImageSize = true;
  list.wb.image.generatorBound = 2;
  const std::string line = WrittenLine(list, 1);
  EXPECT_EQ(line.substr(84),
            "genus>=1.50 (improved)   not fibered      zero twisted Alexander polynomial  "
            "generators>=2   braid {1,1,1}");
  EXPECT_EQ(line.find("not fibered"), 84u + 12 + 13);
}

TEST(WriteListResult, LongTextPushesLaterFieldsWithoutCuttingThem) {
  ListBench list("k {1,1,1}\n");
  FinishKnot(list.wb, 1, 1.0);
  list.wb.evaluation.untwistedPolynomialText.plain = " " + std::string(70, '1') + " (in F_13)";
  const std::string line = WrittenLine(list, 1);
  EXPECT_NE(line.find(std::string(70, '1') + " (in F_13)reps of dim3y"), std::string::npos);
}

TEST(WriteListResult, ANameWithAColonIsWrittenBackPaddedToFourteen) {
  ListBench list("7_4: {1,1,2,-1,2,2,3,-2,3}\n7_5 {1,1,1}\n");
  FinishKnot(list.wb, 1, 1.0);
  EXPECT_TRUE(WrittenLine(list, 1).starts_with("7_4:           1+12t"));
  FinishKnot(list.wb, 2, 1.0);
  EXPECT_TRUE(WrittenLine(list, 2).starts_with("7_5:           1+12t"));
}

TEST(WriteListResult, ALineWithoutABoundGetsThisPasssBound) {
  ListBench list("k {1,1,1}\n");
  FinishKnot(list.wb, 1, 1.75);
  EXPECT_NE(WrittenLine(list, 1).find("genus>=1.75"), std::string::npos);
  EXPECT_DOUBLE_EQ(list.wb.evaluation.bestBound, 1.75);
}

// A line as an earlier pass wrote it: the size tokens are followed by blanks up to the bound.
std::string ProcessedLine(const std::string& tokens, const std::string& rest) {
  std::string line = "k:" + std::string(60, ' ') + "reps of dim" + tokens;
  line.resize(84, ' ');
  return line + rest + "  braid {1,1,1}";
}

TEST(WriteListResult, AnEarlierLargerBoundStays) {
  ListBench list(ProcessedLine("3y", "genus>=2.00  perhaps fibered") + "\n");
  FinishKnot(list.wb, 1, 1.0);
  list.wb.run.savedSize = 4;
  const std::string line = WrittenLine(list, 1);
  EXPECT_NE(line.find("reps of dim3y4y"), std::string::npos);
  EXPECT_NE(line.find("genus>=2.00"), std::string::npos);
  EXPECT_DOUBLE_EQ(list.wb.evaluation.bestBound, 2.0);
}

TEST(WriteListResult, ABetterBoundBeatsTheEarlierOne) {
  ListBench list(ProcessedLine("3y", "genus>=1.00  perhaps fibered") + "\n");
  FinishKnot(list.wb, 1, 1.5);
  EXPECT_NE(WrittenLine(list, 1).find("genus>=1.50"), std::string::npos);
}

TEST(WriteListResult, ABoundFoundAtASmallerSizeIsKept) {
  // The earlier bound came from size 3; this pass at size 4 only reaches the untwisted bound.
  ListBench list("k {1,1,1} genus>=0.50 (dim 3)\n");
  FinishKnot(list.wb, 1, 1.0);
  list.wb.run.savedSize = 4;
  const std::string line = WrittenLine(list, 1);
  EXPECT_NE(line.find("genus>=0.50 (dim 3)"), std::string::npos);
  EXPECT_DOUBLE_EQ(list.wb.evaluation.bestBound, 0.5);
}

TEST(WriteListResult, AnOddUntwistedDegreeIsHalvedInWholeNumbers) {
  // A link's untwisted degree 3 counts as 1, below this pass's 1.50, which thus beats the bound
  // from size 3; as 1.5 it would not, and the earlier 1.00 would be kept.
  ListBench list("k {1,1,1} genus>=1.00 (dim 3)\n");
  FinishKnot(list.wb, 1, 1.5);
  list.wb.evaluation.untwistedDegree = 3;
  list.wb.run.savedSize = 4;
  EXPECT_NE(WrittenLine(list, 1).find("genus>=1.50"), std::string::npos);
  EXPECT_DOUBLE_EQ(list.wb.evaluation.bestBound, 1.5);
}

TEST(WriteListResult, AnEqualBoundOfAReducedRepresentationWithConstantZerothPolynomialStays) {
  for (int32_t deg0 : {0, 1}) {
    ListBench list("k {1,1,1} genus>=1.00 (dim 3)\n");
    FinishKnot(list.wb, 1, 1.004);
    list.wb.run.savedSize = 4;
    list.wb.settings.reducedPermutationRep = true;
    list.wb.twisted.deg0 = deg0;
    WrittenLine(list, 1);
    EXPECT_DOUBLE_EQ(list.wb.evaluation.bestBound, deg0 == 0 ? 1.004 : 1.0) << "deg0 " << deg0;
  }
}

TEST(WriteListResult, EarlierVerdictsAndTokensCarryOver) {
  ListBench list(ProcessedLine("3n4n5n6n7n", "genus>=1.00  not fibered      generators>=5") + "\n");
  FinishKnot(list.wb, 1, 1.0);
  list.wb.run.savedSize = 8;
  list.wb.settings.determineImageSize = true;
  list.wb.image.generatorBound = 2;
  std::string line = WrittenLine(list, 1);
  // 23 characters reach past the bound's column: the bound follows at once.
  EXPECT_NE(line.find("reps of dim3n4n5n6n7n8ygenus>=1.00"), std::string::npos) << line;
  EXPECT_NE(line.find("not fibered"), std::string::npos);
  EXPECT_FALSE(list.wb.evaluation.possiblyFibered);
  EXPECT_NE(line.find("generators>=5"), std::string::npos);
  // Only 21 characters of the earlier tokens are kept.
  FinishKnot(list.wb, 1, 1.0);
  list.wb.run.savedSize = 9;
  list.wb.representation.nontrivialCount = 0;
  line = WrittenLine(list, 1);
  EXPECT_NE(line.find("reps of dim3n4n5n6n7n9ngenus>="), std::string::npos) << line;
}

TEST(WriteListResult, NewDropsTheEarlierResults) {
  std::string processed = ProcessedLine("3y", "genus>=2.00  not fibered");
  ListBench list(processed.replace(3, 3, "new") + "\n");
  FinishKnot(list.wb, 1, 1.0);
  const std::string line = WrittenLine(list, 1);
  EXPECT_TRUE(line.starts_with("k:   "));
  EXPECT_NE(line.find("reps of dim3y "), std::string::npos);
  EXPECT_NE(line.find("genus>=1.00"), std::string::npos);
  EXPECT_NE(line.find("perhaps fibered"), std::string::npos);
  EXPECT_EQ(line.find("new"), std::string::npos);
}

TEST(WriteListResult, RefusesALongListAndLeavesItAsItWas) {
  std::string text;
  for (int i = 1; i <= kMaxKnotListLines + 1; ++i) text += "k" + std::to_string(i) + " {1,1,1}\n";
  ListBench list(text);
  FinishKnot(list.wb, 1, 1.0);
  WriteListResult(list.wb, list.path);
  EXPECT_EQ(list.wb.failure.errorMessage, "Knot list has more than 20000 lines");
  EXPECT_EQ(ReadWholeFile(list.path), text);
}

// Whole runs through the driver, as Start runs them.
class NormListRun : public ::testing::Test {
 protected:
  void Run(const std::string& content, StopCondition stop) {
    path_ = dir_.Write("list.txt", content).string();
    MainWindowOptions options = DefaultMainWindowOptions();
    options.pickedDirectory = dir_.directory();
    options.pickedName = "list.txt";
    options.endbox = OptionCode(stop);
    options.savetype = 2;
    ASSERT_TRUE(TakeStartSettings(options, bench_.wb));
    RunNormMode(bench_.wb);
  }
  std::string File() const { return ReadWholeFile(path_); }

  TempDir dir_;
  std::string path_;
  Bench bench_;
};

TEST_F(NormListRun, AFreshListWithAStopConditionIsProcessedKnotAfterKnot) {
  Run(std::string("% three knots\n3_1 ") + kTrefoil +
          "\n7_4 {1,1,2,-1,2,2,3,-2,3}\n5_2 {-1,2,1,1,1,2}\nend\n",
      kStopAtFirst);
  ASSERT_FALSE(bench_.wb.failure.computationFailed) << bench_.wb.failure.errorMessage;
  const std::vector<std::string> lines = Lines(File());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "% three knots");
  for (size_t i = 1; i <= 3; ++i) {
    EXPECT_NE(lines[i].find("braid {"), std::string::npos) << lines[i];
    EXPECT_NE(lines[i].find("y "), std::string::npos) << lines[i];
  }
  EXPECT_EQ(lines[4], "end");
  EXPECT_TRUE(bench_.wb.run.listSatisfied);
}

TEST_F(NormListRun, AListThatMeetsTheStopConditionEndsAfterOneScanUntouched) {
  const std::string content =
      std::string("3_1: reps of dim3y genus>=1.00 perhaps fibered braid ") + kTrefoil + "\nend\n";
  Run(content, kStopAtFirst);
  EXPECT_EQ(File(), content);
  EXPECT_EQ(bench_.wb.evaluation.solutionCount, 0);
}

TEST_F(NormListRun, AKnotWithoutRepresentationsAtThisSizeIsTakenAgainAtTheNext) {
  // The figure eight has no nontrivial representation into S_3, but one into S_4.
  Run(std::string("4_1 ") + kFigureEight + "\nend\n", kStopAtFirst);
  EXPECT_NE(File().find("reps of dim3n4y"), std::string::npos) << File();
}

TEST_F(NormListRun, AKnotThatCannotBeComputedIsRecordedAndTheWalkGoesOn) {
  const std::string content = std::string("3_1 ") + kTrefoil + "\nbad {1,0,2}\n4_1 " + kFigureEight + "\n";
  Run(content, kStopAtFirst);
  ASSERT_FALSE(bench_.wb.failure.computationFailed) << bench_.wb.failure.errorMessage;
  std::vector<std::string> lines = Lines(File());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NE(lines[0].find("braid " + std::string(kTrefoil)), std::string::npos);
  EXPECT_EQ(lines[1], "bad:          not computed: Not a valid braid description  braid {1,0,2}");
  EXPECT_NE(lines[2].find("4y"), std::string::npos) << lines[2];
  EXPECT_TRUE(bench_.wb.run.listSatisfied);

  // A rerun leaves it alone; marked "new", it is taken again.
  const std::string finished = File();
  Run(finished, kStopAtFirst);
  EXPECT_EQ(File(), finished);
  lines[1].replace(lines[1].find("not computed"), 3, "new");
  lines[1].replace(lines[1].find("{1,0,2}"), 7, kTrefoil);
  Run(lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\nend\n", kStopAtFirst);
  EXPECT_TRUE(Lines(File()).at(1).starts_with("bad:           1+12t+t^2")) << File();
}

TEST_F(NormListRun, HeadingsBlankLinesAndNotesStayAndEveryKnotIsReached) {
  const std::string content = std::string("Legend: knots follow\n3_1 ") + kTrefoil +
                              "\n\n\nK13n1_and_a_long_name " + kFigureEight + "\n\n\nend\nnote after end\n";
  Run(content, kStopAtFirst);
  ASSERT_FALSE(bench_.wb.failure.computationFailed) << bench_.wb.failure.errorMessage;
  const std::vector<std::string> lines = Lines(File());
  ASSERT_EQ(lines.size(), 9u) << File();
  EXPECT_EQ(lines[0], "Legend: knots follow");
  EXPECT_TRUE(lines[1].starts_with("3_1:")) << lines[1];
  EXPECT_EQ(lines[2] + lines[3] + lines[5] + lines[6], "");
  // "n1" in the name is no size token: the knot is computed at size 3 and then at 4.
  EXPECT_TRUE(lines[4].starts_with("K13n1_and_a_long_name: ")) << lines[4];
  EXPECT_NE(lines[4].find("reps of dim3n4y"), std::string::npos) << lines[4];
  EXPECT_EQ((std::vector<std::string>(lines.begin() + 7, lines.end())),
            (std::vector<std::string>{"end", "note after end"}));
}

TEST_F(NormListRun, TheCycleLimitCountsTheCyclesOfEachKnot) {
  bench_.wb.run.representationLimit = 2;
  Run(std::string("3_1 ") + kTrefoil + "\n7_4 {1,1,2,-1,2,2,3,-2,3}\nend\n", kStopAtFirst);
  ASSERT_FALSE(bench_.wb.failure.computationFailed) << bench_.wb.failure.errorMessage;
  const std::vector<std::string> lines = Lines(File());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[0].starts_with("3_1:")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("7_4:")) << lines[1];
  EXPECT_TRUE(bench_.wb.run.listSatisfied);
  EXPECT_FALSE(bench_.wb.panels.flags.stopRequested);
}

}  // namespace
}  // namespace quarvel
