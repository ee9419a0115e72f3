#include "reps/find_representation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

#include "group/knot_tables.h"
#include "run/prepare_presentation.h"
#include "run/show_representation.h"
#include "simplify/simplify_presentation.h"
#include "test_support.h"

namespace quarvel {
namespace {

using Lines = std::vector<std::string>;

// A headless surface that records every drawing call, runs a check on every pump and, once given a
// budget, presses "Back to the main menu" when the budget of pumps is spent.
class SearchSurface : public HeadlessSurface {
 public:
  SearchSurface() { RecordTranscript(transcript); }
  std::ostringstream transcript;
  std::function<void()> onPump;
  void SetBudget(int64_t pumps) { left_ = pumps; }

  void ProcessMessages(RunFlags& flags) override {
    HeadlessSurface::ProcessMessages(flags);
    if (onPump) onPump();
    if (--left_ == 0) flags.stopRequested = true;
  }
  // The recorded calls that start with `prefix`.
  Lines Calls(std::string_view prefix) const {
    Lines lines;
    std::istringstream in(transcript.str());
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with(prefix)) lines.push_back(line);
    }
    return lines;
  }

 private:
  int64_t left_ = -1;
};

// The first nontrivial search of a knot, as the driver starts it, on `braid` simplified with effort 20.
struct SearchBench {
  SearchSurface surface;
  Workbench wb{surface};

  SearchBench(std::string_view braid, RepFamily family, int64_t k) {
    if (!braid.empty()) {
      wb.presentation.braidText = std::string(braid);
      wb.settings.simplifyEffort = braid == "{1}" ? 0 : 20;
      PreparePresentation(wb);
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
  // Generators a, b, ... with the given relators and nothing eliminated.
  void SetRelators(int generators, const std::vector<Word>& relators) {
    Presentation& p = wb.presentation;
    p.generatorCount = generators;
    p.relatorCount = p.inputRelatorCount = static_cast<int32_t>(relators.size());
    for (size_t r = 0; r < relators.size(); ++r) p.relators[r + 1] = p.inputRelators[r + 1] = relators[r];
    for (int g = 1; g <= generators; ++g) {
      p.generatorUsed[g] = true;
      p.generatorLetters[g] = g;
    }
    OrderRelatorsByLength(p, wb.simplification.relatorOrder);
  }
};

std::string BraidOf(std::string_view knot) {
  KnotPositions at = FindKnot(knot);
  return std::string(at.knotList != 0 ? KnotBraid(at.knotList) : ExampleBraid(at.examplesList));
}

// The word's value by composing R := R o P from the left, on points 1..k.
Permutation ValueOf(const Representation& rep, int64_t k, const Word& word) {
  Permutation r{};
  for (int i = 1; i <= k; ++i) r[i] = i;
  for (size_t at = 0; at + 1 < word.size(); at += 2) {
    const GeneratorImage& g = rep.generators[static_cast<unsigned char>(word[at + 1]) - kGeneratorByteBase];
    const Permutation& p = word[at] == '+' ? g.image : g.inverseImage;
    Permutation next{};
    for (int i = 1; i <= k; ++i) next[i] = r[p[i]];
    r = next;
  }
  return r;
}

// Every relator as it stood before the eliminations holds under the images of all generators,
// survivors and eliminated ones alike; every image is a bijection with its inverse beside it; and
// the survivors do not all share one image.
void ExpectNontrivialHomomorphism(const Workbench& wb, int64_t k) {
  const Presentation& p = wb.presentation;
  const Representation& rep = wb.representation;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    for (int i = 1; i <= k && p.generatorUsed[g]; ++i) {
      ASSERT_EQ(rep.generators[g].inverseImage[rep.generators[g].image[i]], i) << GeneratorLetter(g);
    }
  }
  for (int r = 1; r <= p.inputRelatorCount; ++r) {
    Permutation value = ValueOf(rep, k, p.inputRelators[r]);
    for (int i = 1; i <= k; ++i) ASSERT_EQ(value[i], i) << WordToText(p.inputRelators[r], false);
  }
  bool allEqual = true;
  for (int64_t g = 2; g <= p.generatorCount; ++g) {
    const Permutation& first = rep.generators[p.generatorLetters[1]].image;
    allEqual = allEqual && std::equal(first.begin() + 1, first.begin() + 1 + k,
                                      rep.generators[p.generatorLetters[g]].image.begin() + 1);
  }
  EXPECT_FALSE(allEqual);
}

TEST(WithThousandsCommas, GroupsThousandsAndMillions) {
  EXPECT_EQ(WithThousandsCommas(100), "100");
  EXPECT_EQ(WithThousandsCommas(1000), "1,000");
  EXPECT_EQ(WithThousandsCommas(123456), "123,456");
  EXPECT_EQ(WithThousandsCommas(1234567), "1,234,567");
  EXPECT_EQ(WithThousandsCommas(1234567890), "1234,567,890");
}

TEST(FindRepresentation, EveryFoundRepresentationSatisfiesEveryRelator) {
  struct Case {
    std::string_view knot;
    int64_t k;
    bool alternating;
  };
  // k = 9 draws random permutations of S_9, whatever alternatingOnly says.
  const Case cases[] = {{"3_1", 3, false}, {"3_1", 9, true},  {"4_1", 5, true},  {"5_1", 5, false},
                        {"6_1", 4, false}, {"7_4", 6, false}, {"8_19", 5, true}, {"12_1311", 4, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.knot) + " k " + std::to_string(c.k));
    SearchBench bench(BraidOf(c.knot), RepFamily::permutation, c.k);
    bench.wb.settings.alternatingOnly = c.alternating;
    FindRepresentation(bench.wb);
    ASSERT_TRUE(bench.wb.representation.representationFound);
    const int64_t k = bench.wb.current.degreeK;  // raised when only trivial solutions turned up
    EXPECT_GE(k, c.k);
    EXPECT_EQ(bench.wb.representation.searchNumber, 2);
    EXPECT_EQ(bench.wb.representation.nontrivialCount, 1);
    ExpectNontrivialHomomorphism(bench.wb, k);
    const bool alternating = c.alternating && k <= 8;
    EXPECT_EQ(bench.surface.Calls("P1\t7\t7\t").front(),
              std::string("P1\t7\t7\tPermutation group: ") + (alternating ? "A" : "S"));
    EXPECT_EQ(bench.surface.Calls("P1\t10").front(),
              "P1\t" + std::string(alternating ? "108" : "106") + "\t13\t" + std::to_string(c.k));
  }
}

TEST(FindRepresentation, EliminatedGeneratorsTakeTheirRecordsLastFirst) {
  // a and d survive with the braid relation; c = ad was eliminated after b = ca, so b needs c first.
  SearchBench bench("", RepFamily::permutation, 3);
  bench.SetRelators(2, {"+a+d+a-d-a-d"});
  Presentation& p = bench.wb.presentation;
  p.generatorLetters[2] = 4;
  for (int g : {1, 2, 3, 4}) p.generatorUsed[g] = true;
  bench.wb.simplification.substitutionList = {"b=+c+a", "c=+a+d"};
  FindRepresentation(bench.wb);
  ASSERT_TRUE(bench.wb.representation.representationFound);
  const Representation& rep = bench.wb.representation;
  Permutation c = ValueOf(rep, 3, "+a+d");
  Permutation b = ValueOf(rep, 3, "+a+d+a");
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(rep.generators[3].image[i], c[i]);
    EXPECT_EQ(rep.generators[2].image[i], b[i]);
    EXPECT_EQ(rep.generators[2].inverseImage[b[i]], i);
  }
}

TEST(FindRepresentation, TheTrivialPassIsTheTrivialRepresentationOfDegreeOne) {
  SearchBench bench("{1,1,1}", RepFamily::permutation, 1);
  Workbench& wb = bench.wb;
  wb.run.trivialPass = true;
  wb.representation.searchNumber = 0;
  RandomGenerator expected = wb.random;
  SkipDraws(expected, 2);  // one draw for each of the two surviving generators
  FindRepresentation(wb);
  EXPECT_EQ(wb.random.seed, expected.seed);
  EXPECT_EQ(wb.representation.searchNumber, 1);
  EXPECT_EQ(wb.representation.nontrivialCount, 0);
  for (int g : {1, 2, 3}) {
    const GeneratorImage& image = wb.representation.generators[g];
    EXPECT_EQ(image.image[1], 1);
    EXPECT_EQ(image.matrix.cells, std::vector<int32_t>{1});
    EXPECT_EQ(image.inverseMatrix.cells, std::vector<int32_t>{1});
  }
  EXPECT_EQ(bench.surface.PanelText(ComputationWindow::norm, 3), "");
  EXPECT_EQ(bench.surface.Calls("P1"), (Lines{"P1\t157\t7\tNumber of generators in presentation: 2",
                                              "P1\t407\t7\tAttempts at finding representation: 100"}));
}

// The unknot {1} keeps one generator with the relator +a-a: every try succeeds and every solution
// is trivial, one try per attempt.
TEST(FindRepresentation, TheUnknotRaisesTheDegreeUpToTheCap) {
  constexpr int64_t kPumpsAtTheCap = 300;  // beyond 6 * 6^2: the cap is passed without a raise
  SearchBench bench("{1}", RepFamily::permutation, 3);
  Workbench& wb = bench.wb;
  ASSERT_EQ(wb.presentation.generatorCount, 1);
  wb.run.degreeCap = 6;
  std::map<int64_t, int64_t> mostTrivialAt;
  bench.surface.onPump = [&] {
    int64_t& most = mostTrivialAt[wb.current.degreeK];
    most = std::max(most, wb.representation.trivialSolutions);
  };
  bench.surface.SetBudget((6 * 9 + 1) + (6 * 16 + 1) + (6 * 25 + 1) + kPumpsAtTheCap);
  FindRepresentation(wb);
  EXPECT_TRUE(wb.panels.flags.stopRequested);
  EXPECT_EQ(wb.current.degreeK, 6);
  // The raise comes with the first trivial solution beyond 6 k^2.
  EXPECT_EQ(mostTrivialAt, (std::map<int64_t, int64_t>{{3, 54}, {4, 96}, {5, 150}, {6, kPumpsAtTheCap - 1}}));
  EXPECT_EQ(bench.surface.Calls("P1\t106\t13\t"),
            (Lines{"P1\t106\t13\t3", "P1\t106\t13\t4", "P1\t106\t13\t5", "P1\t106\t13\t6"}));
  Lines blanks = bench.surface.Calls("P3\t10\t");  // 40 lines of the output panel at each raise
  ASSERT_EQ(blanks.size(), 3u * 40u);
  EXPECT_EQ(blanks[0], "P3\t10\t70\t");
  EXPECT_EQ(blanks[39], "P3\t10\t382\t");
}

TEST(FindRepresentation, InListModeTheFirstSearchGivesUpInstead) {
  SearchBench bench("{1}", RepFamily::permutation, 3);
  bench.wb.run.listMode = true;
  const int pumps = bench.surface.MessagePumps();
  FindRepresentation(bench.wb);
  EXPECT_FALSE(bench.wb.representation.representationFound);
  EXPECT_EQ(bench.wb.current.degreeK, 3);
  EXPECT_EQ(bench.wb.representation.searchNumber, 1);
  EXPECT_EQ(bench.surface.MessagePumps() - pumps, 6 * 9 + 1);
  // Attempts 1..49 are shown, then every tenth: the 55 attempts end with 5,000 tries.
  Lines attempts = bench.surface.Calls("P1\t407\t7\t");
  ASSERT_EQ(attempts.size(), 50u);
  EXPECT_EQ(attempts[48], "P1\t407\t7\tAttempts at finding representation: 4,900");
  EXPECT_EQ(attempts[49], "P1\t407\t7\tAttempts at finding representation: 5,000");
}

TEST(FindRepresentation, RejectsSolutionsWithAllImagesEqual) {
  // a = b = c is the only solution.
  SearchBench bench("", RepFamily::permutation, 3);
  bench.SetRelators(3, {"+a-b", "+b-c"});
  bench.wb.run.listMode = true;
  FindRepresentation(bench.wb);
  EXPECT_FALSE(bench.wb.representation.representationFound);
  EXPECT_EQ(bench.wb.representation.trivialSolutions, 6 * 9 + 1);
}

TEST(FindRepresentation, LaterSearchesKeepTheirDegree) {
  SearchBench bench("{1}", RepFamily::permutation, 3);
  bench.wb.representation.searchNumber = 2;
  bench.surface.SetBudget(400);
  FindRepresentation(bench.wb);
  EXPECT_EQ(bench.wb.current.degreeK, 3);
  EXPECT_EQ(bench.wb.representation.trivialSolutions, 399);  // the 400th try is cut short by the stop
}

TEST(FindRepresentation, MetabelianWithOddPhiMapsEveryGeneratorToAReflection) {
  SearchBench bench("{1,1,1}", RepFamily::metabelian, 3);
  Workbench& wb = bench.wb;
  wb.presentation.phi.fill(3);
  wb.run.metabelianMaxOrder = 7;
  SetCurrentPrime(wb.field, 13);
  FindRepresentation(wb);
  ASSERT_TRUE(wb.representation.representationFound);
  // The trefoil's only dihedral quotient Z/2 x Z/l with l <= 7 has l = 3.
  ASSERT_EQ(wb.representation.metabelianL, 3);
  EXPECT_EQ(wb.current.degreeK, 3);
  ExpectNontrivialHomomorphism(wb, 3);
  for (int g : {1, 2, 3}) {
    const GeneratorImage& image = wb.representation.generators[g];
    EXPECT_GT(image.metabelianElement, 3);
    int fixed = 0;  // a reflection of Z/3 fixes one point
    for (int i = 1; i <= 3; ++i) fixed += image.image[i] == i;
    EXPECT_EQ(fixed, 1) << GeneratorLetter(g);
  }
  EXPECT_EQ(bench.surface.Calls("P1\t7\t7\t").back(),
            "P1\t7\t7\tMetabelian group: Z/2xZ/3 and 1 in Z/2 acts by multiplication by 2 on Z/3");
  EXPECT_EQ(bench.surface.Calls("P1\t407\t7\t").back(),
            "P1\t407\t7\tNumber of generators in presentation: 2");
  EXPECT_EQ(bench.surface.Calls("P3\t7\t7\tR").back(),
            "P3\t7\t7\tRepresentation of the fundamental group: pi_1(S^3\\K) -> Z/2 x Z/3 -> GL(F_13,3)");
}

TEST(FindAbelianRepresentation, OverF2OnlyTheTrivialSolutionExists) {
  SearchBench bench("{1,1,1}", RepFamily::abelian, 3);
  Workbench& wb = bench.wb;
  SetCurrentPrime(wb.field, 2);
  RandomGenerator expected = wb.random;
  SkipDraws(expected, 3003 * 2);  // a pump every 1001 draws of two scalars; the third one stops
  bench.surface.SetBudget(3);
  FindRepresentation(wb);
  EXPECT_EQ(wb.random.seed, expected.seed);
  EXPECT_EQ(bench.surface.Calls("P1"), (Lines{"P1\t407\t7\tAttempts at finding representation: 1,000",
                                              "P1\t407\t7\tAttempts at finding representation: 2,000",
                                              "P1\t407\t7\tAttempts at finding representation: 3,000"}));
  EXPECT_EQ(bench.surface.PanelText(ComputationWindow::norm, 3), "");
  EXPECT_EQ(wb.representation.searchNumber, 1);
}

TEST(FindAbelianRepresentation, TheTrefoilSendsEveryGeneratorToOneUnit) {
  SearchBench bench("{1,1,1}", RepFamily::abelian, 3);
  SetCurrentPrime(bench.wb.field, 5);
  FindRepresentation(bench.wb);
  const Representation& rep = bench.wb.representation;
  EXPECT_EQ(bench.wb.current.degreeK, 1);
  EXPECT_EQ(rep.nontrivialCount, 1);
  // Conjugate generators share their scalar, the eliminated b included.
  const std::string u = std::to_string(rep.generators[1].abelianScalar);
  EXPECT_NE(u, "1");
  EXPECT_EQ(rep.generators[2].matrix.cells, std::vector<int32_t>{1});
  EXPECT_EQ(bench.surface.PanelLines(ComputationWindow::norm, 3),
            (Lines{"Representation of the fundamental group: pi_1(S^3\\K) -> GL(F_5,1)",
                   "a -> (" + u + ") b -> (" + u + ") c -> (" + u + ")"}));
}

TEST(FindRepresentation, DoesNothingAfterAFailureAndStopsWhenAsked) {
  SearchBench failed("{1,1,1}", RepFamily::permutation, 3);
  Fail(failed.wb.failure, "Too many generators!");
  const uint32_t seed = failed.wb.random.seed;
  FindRepresentation(failed.wb);
  EXPECT_EQ(failed.wb.random.seed, seed);
  EXPECT_EQ(failed.surface.Calls("P1"), Lines{});

  SearchBench stopped("{1,1,1}", RepFamily::permutation, 3);
  stopped.wb.panels.flags.stopRequested = true;
  const int pumps = stopped.surface.MessagePumps();
  FindRepresentation(stopped.wb);
  EXPECT_EQ(stopped.surface.MessagePumps(), pumps + 1);  // one try, then it returns
  EXPECT_EQ(stopped.wb.representation.searchNumber, 1);
}

// Shows generators `present` with images cycled from `images`; returns the calls after the 80
// blank lines.
Lines Shown(SearchBench& bench, int64_t k, const std::vector<int>& present,
            const std::vector<std::vector<int32_t>>& images) {
  Workbench& wb = bench.wb;
  wb.current.degreeK = k;
  wb.run.outputPanel = 4;
  for (size_t i = 0; i < present.size(); ++i) {
    wb.presentation.generatorUsed[present[i]] = true;
    const std::vector<int32_t>& points = images[i % images.size()];
    std::copy(points.begin(), points.end(), wb.representation.generators[present[i]].image.begin() + 1);
  }
  ShowRepresentation(wb);
  Lines calls = bench.surface.Calls("");
  EXPECT_EQ(calls.size() >= 80 ? calls[79] : "", "P4\t7\t639\t");
  return Lines(calls.begin() + std::min<size_t>(80, calls.size()), calls.end());
}

TEST(ShowRepresentation, LettersArrowsAndImagesWrappingPast400) {
  SearchBench plain("", RepFamily::permutation, 3);
  EXPECT_EQ(Shown(plain, 3, {1, 2, 3}, {{2, 1, 3}, {1, 3, 2}, {3, 1, 2}}),
            (Lines{"P4\t7\t7\tRepresentation of the fundamental group: pi_1(S^3\\K) -> S_3 -> GL(Z,3)",  //
                   "P4\t7\t22\ta", "A4\t18\t22", "P4\t31\t22\t(213)",                                    //
                   "P4\t72\t22\tb", "A4\t83\t22", "P4\t96\t22\t(132)",  // 7 + 35 + 10 * 3
                   "P4\t137\t22\tc", "A4\t148\t22", "P4\t161\t22\t(312)"}));
  EXPECT_EQ(plain.wb.run.outputLine, 30);

  // Steps of 35 + 100: x = 7, 142, 277, then 412 passes 400 and the next entry starts a new line.
  SearchBench reduced("", RepFamily::permutation, 10);
  reduced.wb.settings.reducedPermutationRep = true;
  const std::vector<int32_t> swap = {2, 1, 3, 4, 5, 6, 7, 8, 9, 10};
  Lines shown = Shown(reduced, 10, {1, 2, 3, 27}, {swap});
  EXPECT_EQ(
      Lines(shown.begin(), shown.begin() + 2),
      (Lines{"P4\t7\t7\tThe representation of the fundamental group: pi_1(S^3\\K) -> S_10 -> GL(V) = GL(Z,9)",
             "P4\t7\t22\twhere V = { (v_1,...,v_10) | v_1+...+v_10=0 } is given by"}));
  EXPECT_EQ(Lines(shown.begin() + 8, shown.end()),
            (Lines{"P4\t277\t37\tc", "A4\t288\t37", "P4\t301\t37\t(21345678910)",  //
                   "P4\t7\t52\tA", "A4\t18\t52", "P4\t31\t52\t(21345678910)"}));
  EXPECT_EQ(reduced.wb.run.outputLine, 60);

  // Three entries fill the line; the wrap after them writes nothing on the next one.
  SearchBench full("", RepFamily::permutation, 10);
  Shown(full, 10, {1, 2, 3}, {swap});
  EXPECT_EQ(full.wb.run.outputLine, 30);
}

TEST(ShowRepresentation, CompactLayoutAndMetabelianPairs) {
  SearchBench compact("", RepFamily::permutation, 3);
  compact.wb.settings.permutationGroupOnly = true;
  std::vector<int> present = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 27};
  Lines shown = Shown(compact, 3, present, {{1, 2, 3}});
  ASSERT_EQ(shown.size(), 1u + 13u * 3u);
  EXPECT_EQ(shown[0], "P4\t7\t7\tRepresentation of the fundamental group: pi_1(S^3\\K) -> S_3");
  // 13 generators: steps of 35 + 30 - 18 = 47, arrow at +9 and image at +18; nine entries a line.
  for (int entry = 0; entry < 13; ++entry) {
    const std::string x = std::to_string(7 + 47 * (entry % 9));
    const std::string y = entry < 9 ? "\t22" : "\t37";
    EXPECT_EQ(shown[1 + 3 * entry], "P4\t" + x + y + "\t" + GeneratorLetter(present[entry]));
    EXPECT_EQ(shown[2 + 3 * entry], "A4\t" + std::to_string(7 + 47 * (entry % 9) + 9) + y);
    EXPECT_EQ(shown[3 + 3 * entry], "P4\t" + std::to_string(7 + 47 * (entry % 9) + 18) + y + "\t(123)");
  }
  EXPECT_EQ(compact.wb.run.outputLine, 45);

  SearchBench metabelian("", RepFamily::metabelian, 5);
  Representation& rep = metabelian.wb.representation;
  rep.metabelianL = 5;
  rep.generators[1].metabelianElement = 5 * 1 + 2 + 1;  // (1, 2)
  rep.generators[3].metabelianElement = 4 + 1;          // (0, 4)
  SetCurrentPrime(metabelian.wb.field, 7);
  EXPECT_EQ(
      Shown(metabelian, 5, {1, 3}, {{1, 2, 3, 4, 5}}),
      (Lines{"P4\t7\t7\tRepresentation of the fundamental group: pi_1(S^3\\K) -> Z/2 x Z/5 -> GL(F_7,5)",
             "P4\t7\t22\ta", "A4\t18\t22", "P4\t31\t22\t(1,2)",  //
             "P4\t68\t22\tc", "A4\t79\t22", "P4\t92\t22\t(0,4)"}));
}

}  // namespace
}  // namespace quarvel
