#include "norm/representation_stage.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "group/knot_tables.h"
#include "norm/search_status_line.h"
#include "test_support.h"

namespace quarvel {
namespace {

using Lines = std::vector<std::string>;

// A headless surface that records every drawing call and, once given a budget, presses "Back to
// the main menu" when the budget of pumps is spent.
class StageSurface : public HeadlessSurface {
 public:
  StageSurface() { RecordTranscript(transcript); }
  std::ostringstream transcript;
  void SetBudget(int64_t pumps) { left_ = pumps; }

  void ProcessMessages(RunFlags& flags) override {
    HeadlessSurface::ProcessMessages(flags);
    if (--left_ == 0) flags.stopRequested = true;
  }
  Lines Calls(std::string_view prefix) const { return testing::TranscriptCalls(transcript, prefix); }

 private:
  int64_t left_ = -1;
};

// The first nontrivial search of a knot, as the driver starts it, on `braid` simplified with
// effort 20, with the output panel 3.
struct StageBench {
  StageSurface surface;
  Workbench wb{surface};

  StageBench(std::string_view braid, RepFamily family, int64_t k) {
    if (!braid.empty()) {
      testing::PrepareBraid(wb, braid);
      EXPECT_FALSE(wb.failure.computationFailed) << braid;
    }
    FillPrimeTable(wb.settings);
    wb.settings.repFamily = family;
    wb.current.degreeK = k;
    wb.run.degreeCap = kInitialDegreeCap;
    wb.run.outputPanel = 3;
    wb.representation.searchNumber = 1;
    wb.representation.representationFound = true;
    SetSpaceNames(wb.presentation, GroupType::knot);
  }
};

TEST(WithThousandsCommas, GroupsThousandsAndMillions) {
  EXPECT_EQ(WithThousandsCommas(100), "100");
  EXPECT_EQ(WithThousandsCommas(1000), "1,000");
  EXPECT_EQ(WithThousandsCommas(123456), "123,456");
  EXPECT_EQ(WithThousandsCommas(1234567), "1,234,567");
  EXPECT_EQ(WithThousandsCommas(1234567890), "1234,567,890");
}

TEST(SearchRepresentation, AFoundRepresentationIsNamedShownAndGetsItsMatrices) {
  struct Case {
    std::string_view braid;
    int64_t k;
    bool alternating;
  };
  // {1,1,1}: the trefoil; k = 9 draws from S_9 whatever alternatingOnly says.
  for (const Case& c : {Case{"{1,1,1}", 3, false}, Case{"{1,1,1}", 9, true}, Case{"{1,-2,1,-2}", 5, true}}) {
    SCOPED_TRACE(std::string(c.braid) + " k " + std::to_string(c.k));
    StageBench bench(c.braid, RepFamily::permutation, c.k);
    bench.wb.settings.alternatingOnly = c.alternating;
    bench.wb.settings.reducedPermutationRep = true;
    SearchRepresentation(bench.wb);
    const Representation& rep = bench.wb.representation;
    ASSERT_TRUE(rep.representationFound);
    const int64_t k = bench.wb.current.degreeK;
    EXPECT_GE(k, c.k);
    EXPECT_EQ(rep.searchNumber, 2);
    EXPECT_EQ(rep.nontrivialCount, 1);
    EXPECT_EQ(rep.generators[1].matrix.size, k - 1);  // on V
    const bool alternating = c.alternating && c.k <= 8;
    EXPECT_EQ(bench.surface.Calls("P1\t7\t7\t").front(),
              std::string("P1\t7\t7\tPermutation group: ") + (alternating ? "A" : "S"));
    EXPECT_EQ(bench.surface.Calls("P1\t10").front(),
              "P1\t" + std::string(alternating ? "108" : "106") + "\t13\t" + std::to_string(c.k));
    EXPECT_EQ(bench.surface.Calls("P3\t7\t7\t").back().substr(0, 50),
              "P3\t7\t7\tThe representation of the fundamental group");
  }
}

TEST(SearchRepresentation, TheTrivialPassGetsScalarMatricesAndShowsOnlyTheStatusLine) {
  StageBench bench("{1,1,1}", RepFamily::permutation, 1);
  Workbench& wb = bench.wb;
  wb.run.trivialPass = true;
  wb.settings.reducedPermutationRep = true;
  wb.representation.searchNumber = 0;
  SearchRepresentation(wb);
  EXPECT_EQ(wb.representation.searchNumber, 1);
  EXPECT_EQ(wb.representation.nontrivialCount, 0);
  for (int g : {1, 2, 3}) {
    const GeneratorImage& image = wb.representation.generators[g];
    EXPECT_EQ(image.matrix.cells, std::vector<int32_t>{1});
    EXPECT_EQ(image.inverseMatrix.cells, std::vector<int32_t>{1});
  }
  EXPECT_EQ(bench.surface.PanelText(ComputationWindow::norm, 3), "");
  EXPECT_EQ(bench.surface.Calls("P1"), (Lines{"P1\t157\t7\tNumber of generators in presentation: 2",
                                              "P1\t407\t7\tAttempts at finding representation: 100"}));
}

TEST(SearchRepresentation, EachRaiseOfTheDegreeRenamesTheGroupAndBlanksTheOutputPanel) {
  StageBench bench("{1}", RepFamily::permutation, 3);
  bench.wb.run.degreeCap = 6;
  bench.surface.SetBudget((6 * 9 + 1) + (6 * 16 + 1) + (6 * 25 + 1) + 300);
  SearchRepresentation(bench.wb);
  EXPECT_TRUE(bench.wb.panels.flags.stopRequested);
  EXPECT_EQ(bench.wb.current.degreeK, 6);
  EXPECT_EQ(bench.wb.representation.searchNumber, 1);
  EXPECT_EQ(bench.surface.Calls("P1\t106\t13\t"),
            (Lines{"P1\t106\t13\t3", "P1\t106\t13\t4", "P1\t106\t13\t5", "P1\t106\t13\t6"}));
  Lines blanks = bench.surface.Calls("P3\t10\t");  // 40 lines of the output panel at each raise
  ASSERT_EQ(blanks.size(), 3u * 40u);
  EXPECT_EQ(blanks[0], "P3\t10\t70\t");
  EXPECT_EQ(blanks[39], "P3\t10\t382\t");
}

// The unknot has no nontrivial permutation representation: a list run gives the knot up (and says
// so on the status line); the regular representation, which cannot go beyond degree 7, fails.
TEST(SearchRepresentation, WithoutANontrivialSolutionAListGivesUpAndTheRegularKindFails) {
  StageBench list("{1}", RepFamily::permutation, 3);
  list.wb.run.listMode = true;
  SearchRepresentation(list.wb);
  EXPECT_FALSE(list.wb.representation.representationFound);
  EXPECT_EQ(list.wb.current.degreeK, 3);
  EXPECT_EQ(list.wb.representation.searchNumber, 1);
  Lines attempts = list.surface.Calls("P1\t407\t7\t");
  ASSERT_EQ(attempts.size(), 50u);
  EXPECT_EQ(attempts[48], "P1\t407\t7\tAttempts at finding representation: 4,900");
  EXPECT_EQ(attempts[49], "P1\t407\t7\tAttempts at finding representation: 5,000");

  StageBench regular("{1}", RepFamily::permutation, 7);
  regular.wb.settings.permutationGroupOnly = true;
  SearchRepresentation(regular.wb);
  EXPECT_FALSE(regular.wb.representation.representationFound);
  EXPECT_TRUE(regular.wb.failure.computationFailed);
  EXPECT_EQ(regular.wb.failure.errorMessage,
            "The regular representation needs a non-abelian image in S_k, k <= 7: none was found");
  EXPECT_EQ(regular.wb.current.degreeK, 7);
}

TEST(SearchRepresentation, MetabelianGroupsAreNamedAndTakePermutationMatrices) {
  StageBench bench("{1,1,1}", RepFamily::metabelian, 3);
  Workbench& wb = bench.wb;
  wb.presentation.phi.fill(3);
  wb.run.metabelianMaxOrder = 7;
  wb.settings.reducedPermutationRep = true;  // only permutation representations are reduced
  SetCurrentPrime(wb.field, 13);
  SearchRepresentation(wb);
  ASSERT_TRUE(wb.representation.representationFound);
  EXPECT_EQ(wb.current.degreeK, 3);
  EXPECT_EQ(wb.representation.generators[1].matrix.size, 3);
  EXPECT_EQ(bench.surface.Calls("P1\t7\t7\t").back(),
            "P1\t7\t7\tMetabelian group: Z/2xZ/3 and 1 in Z/2 acts by multiplication by 2 on Z/3");
  EXPECT_EQ(bench.surface.Calls("P1\t407\t7\t").back(),
            "P1\t407\t7\tNumber of generators in presentation: 2");
  EXPECT_EQ(bench.surface.Calls("P3\t7\t7\tR").back(),
            "P3\t7\t7\tRepresentation of the fundamental group: pi_1(S^3\\K) -> Z/2 x Z/3 -> GL(F_13,3)");
}

TEST(SearchRepresentation, AbelianSearchesCountTheirDrawsAndShowTheScalars) {
  StageBench overF2("{1,1,1}", RepFamily::abelian, 3);
  SetCurrentPrime(overF2.wb.field, 2);
  overF2.surface.SetBudget(3);
  SearchRepresentation(overF2.wb);
  EXPECT_EQ(overF2.surface.Calls("P1"), (Lines{"P1\t407\t7\tAttempts at finding representation: 1,000",
                                               "P1\t407\t7\tAttempts at finding representation: 2,000",
                                               "P1\t407\t7\tAttempts at finding representation: 3,000"}));
  EXPECT_EQ(overF2.surface.PanelText(ComputationWindow::norm, 3), "");
  EXPECT_EQ(overF2.wb.representation.searchNumber, 1);
  EXPECT_EQ(overF2.wb.current.degreeK, 3);

  StageBench overF5("{1,1,1}", RepFamily::abelian, 3);
  SetCurrentPrime(overF5.wb.field, 5);
  SearchRepresentation(overF5.wb);
  const Representation& rep = overF5.wb.representation;
  EXPECT_EQ(overF5.wb.current.degreeK, 1);
  EXPECT_EQ(rep.nontrivialCount, 1);
  EXPECT_EQ(rep.searchNumber, 2);
  const std::string u = std::to_string(rep.generators[1].abelianScalar);
  EXPECT_EQ(overF5.surface.PanelLines(ComputationWindow::norm, 3),
            (Lines{"Representation of the fundamental group: pi_1(S^3\\K) -> GL(F_5,1)",
                   "a -> (" + u + ") b -> (" + u + ") c -> (" + u + ")"}));
}

// A permutation representation of degree m whose generators a, b, ... have the given images, with
// the output panel 3 at line 30.
struct ImageBench : StageBench {
  ImageBench(int32_t m, const std::vector<std::vector<int32_t>>& images)
      : StageBench("", RepFamily::permutation, m) {
    wb.settings.determineImageSize = true;
    wb.run.outputLine = 30;
    testing::SetGeneratorImages(wb.presentation, wb.representation, m, images);
  }
  void Run() {
    ComputeImageOrder(wb);
    CountImageGenerators(wb);
  }
};

TEST(ImageStage, TheTrefoilOntoS3ShowsOrderSixAndTwoGenerators) {
  StageBench bench("{1,1,1}", RepFamily::permutation, 3);
  Workbench& wb = bench.wb;
  wb.settings.determineImageSize = true;
  SearchRepresentation(wb);
  ASSERT_EQ(wb.run.outputLine, 30);
  const size_t before = bench.surface.Calls("").size();
  ComputeImageOrder(wb);
  CountImageGenerators(wb);

  EXPECT_EQ(wb.image.count, 6);
  EXPECT_EQ(wb.image.generatorBound, 2);
  EXPECT_EQ(wb.image.phiDivisor, 2);
  EXPECT_EQ(wb.run.savedPanelPosition, 55);
  EXPECT_EQ(wb.run.outputLine, 48);
  const Lines calls = bench.surface.Calls("");
  EXPECT_EQ(Lines(calls.begin() + static_cast<std::ptrdiff_t>(before), calls.end()),
            (Lines{"P3\t7\t37\tOrder of Im{pi  (M)", "P3\t71\t42\t1", "A3\t95\t37", "P3\t108\t37\tS",
                   "P3\t114\t42\t3", "P3\t120\t37\t}=6", "P3\t231\t37\tNumber of generators of im{pi  (M)",
                   "P3\t371\t42\t1", "A3\t395\t37", "P3\t408\t37\tS", "P3\t414\t42\t3", "P3\t420\t37\t}=2",
                   "P6\t250\t7\tLower bound on number of generators: 2"}));
}

TEST(ImageStage, S6NeedsNoSearchAndTheBoundNeverDecreases) {
  ImageBench s6(6, {{2, 1, 3, 4, 5, 6}, {2, 3, 4, 5, 6, 1}});
  ComputeImageOrder(s6.wb);
  const int pumps = s6.surface.MessagePumps();
  CountImageGenerators(s6.wb);
  EXPECT_EQ(s6.surface.MessagePumps(), pumps + 1);  // only the closing pump: no closure ran
  EXPECT_EQ(s6.surface.Calls("P3\t420").back(), "P3\t420\t37\t}=2");

  ImageBench first(6, {{2, 1, 3, 4, 5, 6}, {1, 2, 4, 3, 5, 6}, {1, 2, 3, 4, 6, 5}});
  first.Run();
  ASSERT_EQ(first.wb.image.generatorBound, 3);
  // A later representation of the same knot with a cyclic image.
  ImageBench later(3, {{2, 3, 1}});
  later.wb.image.generatorBound = first.wb.image.generatorBound;
  later.Run();
  EXPECT_EQ(later.wb.image.generatorBound, 3);
  EXPECT_EQ(later.surface.Calls("P3\t420").back(), "P3\t420\t37\t}=1");
  EXPECT_EQ(later.surface.PanelText(ComputationWindow::norm, 6), "Lower bound on number of generators: 3");
}

TEST(ImageStage, TheSkRepresentationBecomesTheRegularOneOfItsImage) {
  StageBench bench("{1,1,1}", RepFamily::permutation, 3);
  Workbench& wb = bench.wb;
  wb.settings.determineImageSize = wb.settings.permutationGroupOnly = true;
  SearchRepresentation(wb);
  EXPECT_EQ(wb.representation.generators[1].matrix.size, 0);  // the search builds none
  ComputeImageOrder(wb);
  ASSERT_TRUE(wb.representation.representationFound);
  EXPECT_EQ(wb.current.degreeK, 6);
  EXPECT_EQ(wb.representation.generators[1].matrix.size, 6);
  // The image still lies in S_3: the generators are counted there, though degree k is now 6.
  CountImageGenerators(wb);
  EXPECT_EQ(wb.image.generatorBound, 2);
  EXPECT_EQ(bench.surface.Calls("P3\t114"), Lines{"P3\t114\t42\t3"});
  EXPECT_EQ(bench.surface.Calls("P3\t414"), Lines{"P3\t414\t42\t3"});
}

TEST(ImageStage, LargeImagesGiveNoRegularRepresentationAndAreNeitherShownNorSearched) {
  ImageBench s5(5, {{2, 1, 3, 4, 5}, {2, 3, 4, 5, 1}});
  s5.wb.settings.permutationGroupOnly = true;
  ComputeImageOrder(s5.wb);
  EXPECT_EQ(s5.wb.current.degreeK, 120);
  EXPECT_FALSE(s5.wb.representation.representationFound);
  EXPECT_EQ(s5.surface.Calls("P3\t120").back(), "P3\t120\t37\t}=120");

  ImageBench s7(7, {{2, 1, 3, 4, 5, 6, 7}, {2, 3, 4, 5, 6, 7, 1}});
  s7.Run();
  EXPECT_EQ(s7.wb.image.count, 5040);
  EXPECT_EQ(s7.wb.run.outputLine, 48);
  EXPECT_EQ(s7.wb.run.savedPanelPosition, 0);
  EXPECT_EQ(s7.wb.image.generatorBound, 1);
  EXPECT_EQ(s7.surface.Calls("P"), Lines{});
}

TEST(ImageStage, RunsOnlyForPermutationRepresentationsUpToSevenPoints) {
  ImageBench off(3, {{2, 3, 1}});
  off.wb.settings.determineImageSize = false;
  ImageBench metabelian(3, {{2, 3, 1}});
  metabelian.wb.settings.repFamily = RepFamily::metabelian;
  ImageBench large(8, {{2, 3, 1, 4, 5, 6, 7, 8}});
  ImageBench stopped(3, {{2, 3, 1}});
  stopped.wb.panels.flags.stopRequested = true;
  for (ImageBench* ib : {&off, &metabelian, &large, &stopped}) {
    ib->Run();
    EXPECT_EQ(ib->wb.image.count, 0);
    EXPECT_FALSE(ib->wb.image.current);
    EXPECT_EQ(ib->wb.run.outputLine, 30);
    EXPECT_EQ(ib->surface.Snapshot(), "");
  }
  // The trivial pass shows nothing on the output panel, only the bound.
  ImageBench trivial(1, {{1}, {1}});
  trivial.wb.run.trivialPass = true;
  trivial.Run();
  EXPECT_EQ(trivial.wb.image.count, 1);
  EXPECT_EQ(trivial.wb.run.outputLine, 48);
  EXPECT_EQ(trivial.surface.Calls("P"), Lines{"P6\t250\t7\tLower bound on number of generators: 1"});
}

}  // namespace
}  // namespace quarvel
