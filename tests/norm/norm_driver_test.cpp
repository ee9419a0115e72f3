#include "norm/norm_driver.h"

#include <gtest/gtest.h>

#include "front/start.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::TempDir;

// Starts a norm-mode run as the Start button would, limited to `representations` cycles; the
// report files it writes go to a temporary folder.
void StartRun(Bench& bench, MainWindowOptions options, int64_t representations) {
  testing::TempWorkingDirectory reports;
  ASSERT_TRUE(TakeStartSettings(options, bench.wb));
  bench.wb.run.representationLimit = representations;
  RunNormMode(bench.wb);
}

TEST(NormDriver, DegreeCapFollowsTheMatrixSize) {
  // Ten generators, twelve relators, each relator of exponent sum 0 under phi = 1.
  TempDir dir;
  std::string relators;
  for (char g = 'a'; g < 'j'; ++g) relators += std::string("+") + g + "-" + static_cast<char>(g + 1) + "\n";
  relators += "+a-c\n+a-d\n+a-e\n";
  dir.Write("ten.txt", relators);
  Bench bench;
  MainWindowOptions options = DefaultMainWindowOptions();
  options.pickedDirectory = dir.directory();
  options.pickedName = "ten.txt";
  options.fastbox = 0;  // no simplification: the counts stay
  StartRun(bench, options, 0);
  EXPECT_EQ(bench.wb.presentation.generatorCount, 10);
  EXPECT_EQ(bench.wb.presentation.relatorCount, 12);
  EXPECT_EQ(bench.wb.settings.degreeCap, 25);  // 300 div 12
  EXPECT_FALSE(bench.wb.failure.computationFailed);
}

TEST(NormDriver, ComparingWithNoFieldTickedFails) {
  Bench bench;
  MainWindowOptions options = DefaultMainWindowOptions();
  options.braidEditText = "{1,1,1}";
  options.fiberedbox = 1;  // compare fields, but every field box left clear
  StartRun(bench, options, 3);
  EXPECT_TRUE(bench.wb.failure.computationFailed);
  EXPECT_EQ(bench.wb.failure.errorMessage, "No field selected!");
  EXPECT_NE(bench.surface.PanelText(ComputationWindow::norm, 1).find("ERROR: No field selected!"),
            std::string::npos);
}

TEST(NormDriver, UntwistedPassSetsTheKnotsFirstBound) {
  Bench bench;
  MainWindowOptions options = DefaultMainWindowOptions();
  options.braidEditText = "{-1,2,1,1,1,2}";  // 5_2: Alexander polynomial 2 - 3t + 2t^2, genus 1
  StartRun(bench, options, 0);
  EXPECT_EQ(bench.wb.evaluation.untwistedDegree, 2);
  EXPECT_DOUBLE_EQ(bench.wb.evaluation.bestBound, 1.0);
  EXPECT_EQ(bench.wb.evaluation.solutionCount, 0);
  EXPECT_EQ(bench.wb.run.cycleCounter, 1);
}

TEST(NormDriver, SecondRunInOneProcessContinuesTheRandomSequence) {
  Bench bench;
  MainWindowOptions options = DefaultMainWindowOptions();
  options.braidEditText = "{-1,2,-1,2}";
  StartRun(bench, options, 2);
  uint32_t afterFirst = bench.wb.random.seed;
  StartRun(bench, options, 2);
  EXPECT_NE(bench.wb.random.seed, afterFirst);
  Bench fresh;
  StartRun(fresh, options, 2);
  EXPECT_EQ(fresh.wb.random.seed, afterFirst);  // a fresh workbench repeats the first run
}

}  // namespace
}  // namespace quarvel
