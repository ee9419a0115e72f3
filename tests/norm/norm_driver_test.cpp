#include "norm/norm_driver.h"

#include <gtest/gtest.h>

#include "front/start.h"
#include "isotopy/isotopy_driver.h"
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

// A run moves the degree k, the prime of a field comparison, the caps, the group type of a braid
// and the list mode in its run state; the settings stay as Start derived them from the options.
TEST(NormDriver, RunsLeaveTheSettingsAsStartDerivedThem) {
  TempDir dir;
  dir.Write("list.txt", "3_1 {1,1,1}\n4_1 {1,-2,1,-2}\nend\n");
  MainWindowOptions braid = DefaultMainWindowOptions();
  braid.braidEditText = "{1,1,1}";
  braid.savetype = 2;
  MainWindowOptions link = braid;
  link.braidEditText = "{1,1,1,1}";  // the braid sets the group type
  MainWindowOptions comparing = braid;
  fiberedboxChange(comparing, 1);
  MainWindowOptions regular = braid;
  reptypeChange(regular, 5);
  MainWindowOptions metabelian = braid;
  reptypeChange(metabelian, 6);
  MainWindowOptions list = DefaultMainWindowOptions();
  list.pickedDirectory = dir.directory();
  list.pickedName = "list.txt";
  list.endbox = OptionCode(StopCondition::first);
  list.savetype = 2;
  MainWindowOptions isotopy = braid;
  isotopy.isotopyMode = true;
  isotopy.reptypeIsotopy = 1;  // S_3
  isotopy.savetypeIsotopy = 2;
  for (const MainWindowOptions& options : {braid, link, comparing, regular, metabelian, list, isotopy}) {
    testing::TempWorkingDirectory reports;
    Bench bench;
    ASSERT_TRUE(TakeStartSettings(options, bench.wb));
    const RunSettings started = bench.wb.settings;
    bench.wb.run.representationLimit = 2;
    if (options.isotopyMode) {
      RunIsotopy(bench.wb);
    } else {
      RunNormMode(bench.wb);
    }
    EXPECT_FALSE(bench.wb.failure.computationFailed) << options.braidEditText << options.pickedName;
    EXPECT_TRUE(bench.wb.settings == started) << options.braidEditText << options.pickedName;
  }
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
  EXPECT_EQ(bench.wb.run.degreeCap, 25);  // 300 div 12
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
