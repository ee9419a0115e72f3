#include "reps/find_representation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "group/knot_tables.h"
#include "simplify/simplify_presentation.h"
#include "test_support.h"

namespace quarvel {
namespace {

// Counts the pumps, runs a check on every one and, once given a budget, asks the run to stop when
// the budget of pumps is spent.
class BudgetControl : public RunControl {
 public:
  std::function<void()> onPump;
  int64_t pumps = 0;
  bool stop = false;
  void SetBudget(int64_t budget) { left_ = budget; }

  void PumpMessages() override { Pump(); }
  void KeepWindowAlive() override { Pump(); }
  bool StopRequested() const override { return stop; }

 private:
  void Pump() {
    ++pumps;
    if (onPump) onPump();
    if (--left_ == 0) stop = true;
  }
  int64_t left_ = -1;
};

// Everything a search tells, and the pump count at each raise of the degree.
struct RecordedProgress : SearchProgress {
  const BudgetControl* control = nullptr;
  std::vector<SearchedGroup> started;
  std::vector<SearchedGroup> raised;
  std::vector<int64_t> pumpsAtRaise;
  std::vector<int64_t> attempts;
  std::vector<int64_t> abelianDraws;

  void GroupStarted(const SearchedGroup& group) override { started.push_back(group); }
  void DegreeRaised(const SearchedGroup& group) override {
    raised.push_back(group);
    pumpsAtRaise.push_back(control->pumps);
  }
  void Attempts(int64_t tries) override { attempts.push_back(tries); }
  void AbelianDraws(int64_t draws) override { abelianDraws.push_back(draws); }
};

// The first nontrivial search of a knot, on `braid` simplified with effort 20.
struct SearchBench {
  testing::Bench bench;
  Workbench& wb = bench.wb;
  SearchRequest request;
  BudgetControl control;
  RecordedProgress progress;

  SearchBench(std::string_view braid, SearchKind kind, int64_t k) {
    if (!braid.empty()) {
      testing::PrepareBraid(wb, braid);
      EXPECT_FALSE(wb.failure.computationFailed) << braid;
    }
    FillPrimeTable(wb.settings);
    request.kind = kind;
    request.degree = k;
    request.degreeCap = kInitialDegreeCap;
    request.firstSearch = true;
    request.primeTable = wb.settings.primeTable;
    progress.control = &control;
  }
  SearchResult Search() {
    return FindRepresentation(wb.presentation, wb.simplification, wb.field, request, wb.representation,
                              wb.random, control, progress);
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
    SearchBench bench(BraidOf(c.knot), SearchKind::permutation, c.k);
    bench.request.alternatingOnly = c.alternating;
    const SearchResult result = bench.Search();
    ASSERT_EQ(result.end, SearchEnd::found);
    const int64_t k = result.degree;  // raised when only trivial solutions turned up
    EXPECT_GE(k, c.k);
    ExpectNontrivialHomomorphism(bench.wb, k);
    ASSERT_FALSE(bench.progress.started.empty());
    EXPECT_EQ(bench.progress.started.front().degree, c.k);
    EXPECT_EQ(bench.progress.started.front().alternating, c.alternating && c.k <= 8);
    if (!bench.progress.raised.empty()) {
      EXPECT_EQ(bench.progress.raised.back().alternating, c.alternating && k <= 8);
    }
  }
}

TEST(FindRepresentation, EliminatedGeneratorsTakeTheirRecordsLastFirst) {
  // a and d survive with the braid relation; c = ad was eliminated after b = ca, so b needs c first.
  SearchBench bench("", SearchKind::permutation, 3);
  bench.SetRelators(2, {"+a+d+a-d-a-d"});
  Presentation& p = bench.wb.presentation;
  p.generatorLetters[2] = 4;
  for (int g : {1, 2, 3, 4}) p.generatorUsed[g] = true;
  bench.wb.simplification.substitutionList = {"b=+c+a", "c=+a+d"};
  ASSERT_EQ(bench.Search().end, SearchEnd::found);
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
  SearchBench bench("{1,1,1}", SearchKind::trivial, 1);
  Workbench& wb = bench.wb;
  RandomGenerator expected = wb.random;
  SkipDraws(expected, 2);  // one draw for each of the two surviving generators
  const SearchResult result = bench.Search();
  EXPECT_EQ(result.end, SearchEnd::found);
  EXPECT_EQ(result.degree, 1);
  EXPECT_EQ(wb.random.seed, expected.seed);
  for (int g : {1, 2, 3}) EXPECT_EQ(wb.representation.generators[g].image[1], 1);
  EXPECT_EQ(bench.control.pumps, 1);
  EXPECT_EQ(bench.progress.attempts, std::vector<int64_t>{100});
}

// The unknot {1} keeps one generator with the relator +a-a: every try succeeds and every solution
// is trivial, one try per attempt.
TEST(FindRepresentation, TheUnknotRaisesTheDegreeUpToTheCap) {
  constexpr int64_t kPumpsAtTheCap = 300;  // beyond 6 * 6^2: the cap is passed without a raise
  SearchBench bench("{1}", SearchKind::permutation, 3);
  ASSERT_EQ(bench.wb.presentation.generatorCount, 1);
  bench.request.degreeCap = 6;
  bench.control.SetBudget((6 * 9 + 1) + (6 * 16 + 1) + (6 * 25 + 1) + kPumpsAtTheCap);
  const SearchResult result = bench.Search();
  EXPECT_EQ(result.end, SearchEnd::stopped);
  EXPECT_EQ(result.degree, 6);
  // The raise comes with the first trivial solution beyond 6 k^2.
  EXPECT_EQ(bench.progress.pumpsAtRaise, (std::vector<int64_t>{55, 55 + 97, 55 + 97 + 151}));
  std::vector<int64_t> degrees;
  for (const SearchedGroup& group : bench.progress.raised) degrees.push_back(group.degree);
  EXPECT_EQ(degrees, (std::vector<int64_t>{4, 5, 6}));
  EXPECT_EQ(result.trivialSolutions, kPumpsAtTheCap - 1);  // the last try is cut short by the stop
}

TEST(FindRepresentation, InListModeTheFirstSearchGivesUpInstead) {
  SearchBench bench("{1}", SearchKind::permutation, 3);
  bench.request.listMode = true;
  const SearchResult result = bench.Search();
  EXPECT_EQ(result.end, SearchEnd::gaveUp);
  EXPECT_EQ(result.degree, 3);
  EXPECT_EQ(bench.control.pumps, 6 * 9 + 1);
  // Attempts 1..49 are told, then every tenth: the 55 attempts end with 5,000 tries.
  ASSERT_EQ(bench.progress.attempts.size(), 50u);
  EXPECT_EQ(bench.progress.attempts[48], 4900);
  EXPECT_EQ(bench.progress.attempts[49], 5000);
}

TEST(FindRepresentation, RejectsSolutionsWithAllImagesEqual) {
  // a = b = c is the only solution.
  SearchBench bench("", SearchKind::permutation, 3);
  bench.SetRelators(3, {"+a-b", "+b-c"});
  bench.request.listMode = true;
  const SearchResult result = bench.Search();
  EXPECT_EQ(result.end, SearchEnd::gaveUp);
  EXPECT_EQ(result.trivialSolutions, 6 * 9 + 1);
}

TEST(FindRepresentation, LaterSearchesKeepTheirDegree) {
  SearchBench bench("{1}", SearchKind::permutation, 3);
  bench.request.firstSearch = false;
  bench.control.SetBudget(400);
  const SearchResult result = bench.Search();
  EXPECT_EQ(result.end, SearchEnd::stopped);
  EXPECT_EQ(result.degree, 3);
  EXPECT_EQ(result.trivialSolutions, 399);  // the 400th try is cut short by the stop
  EXPECT_TRUE(bench.progress.raised.empty());
}

TEST(FindRepresentation, TheRegularRepresentationFailsBeyondDegreeSeven) {
  SearchBench bench("{1}", SearchKind::permutation, 7);
  bench.request.regularRepresentation = true;
  const SearchResult result = bench.Search();
  EXPECT_EQ(result.end, SearchEnd::failed);
  EXPECT_EQ(result.degree, 7);
  EXPECT_EQ(result.failure,
            "The regular representation needs a non-abelian image in S_k, k <= 7: none was found");
  EXPECT_EQ(bench.control.pumps, 6 * 49 + 1);
}

TEST(FindRepresentation, MetabelianWithOddPhiMapsEveryGeneratorToAReflection) {
  SearchBench bench("{1,1,1}", SearchKind::metabelian, 3);
  Workbench& wb = bench.wb;
  wb.presentation.phi.fill(3);
  bench.request.metabelianBound = 7;
  const SearchResult result = bench.Search();
  ASSERT_EQ(result.end, SearchEnd::found);
  // The trefoil's only dihedral quotient Z/2 x Z/l with l <= 7 has l = 3.
  ASSERT_EQ(wb.representation.metabelianL, 3);
  EXPECT_EQ(result.degree, 3);
  ExpectNontrivialHomomorphism(wb, 3);
  for (int g : {1, 2, 3}) {
    const GeneratorImage& image = wb.representation.generators[g];
    EXPECT_GT(image.metabelianElement, 3);
    int fixed = 0;  // a reflection of Z/3 fixes one point
    for (int i = 1; i <= 3; ++i) fixed += image.image[i] == i;
    EXPECT_EQ(fixed, 1) << GeneratorLetter(g);
  }
  const SearchedGroup& last = bench.progress.started.back();
  EXPECT_EQ(last.kind, SearchKind::metabelian);
  EXPECT_EQ(std::vector<int32_t>({last.metabelianN, last.metabelianL, last.metabelianZ}),
            (std::vector<int32_t>{2, 3, 2}));
}

TEST(FindRepresentation, NoMetabelianGroupBelowThreeGivesUpWithoutDrawing) {
  SearchBench bench("{1,1,1}", SearchKind::metabelian, 5);
  bench.request.metabelianBound = 2;
  const uint32_t seed = bench.wb.random.seed;
  const SearchResult result = bench.Search();
  EXPECT_EQ(result.end, SearchEnd::gaveUp);
  EXPECT_EQ(result.degree, 5);
  EXPECT_EQ(bench.wb.random.seed, seed);
  EXPECT_TRUE(bench.progress.started.empty());
}

TEST(FindAbelianRepresentation, OverF2OnlyTheTrivialSolutionExists) {
  SearchBench bench("{1,1,1}", SearchKind::abelian, 3);
  Workbench& wb = bench.wb;
  SetCurrentPrime(wb.field, 2);
  RandomGenerator expected = wb.random;
  SkipDraws(expected, 3003 * 2);  // a pump every 1001 draws of two scalars; the third one stops
  bench.control.SetBudget(3);
  const SearchResult result = bench.Search();
  EXPECT_EQ(result.end, SearchEnd::stopped);
  EXPECT_EQ(result.degree, 3);
  EXPECT_EQ(wb.random.seed, expected.seed);
  EXPECT_EQ(bench.progress.abelianDraws, (std::vector<int64_t>{1000, 2000, 3000}));
}

TEST(FindAbelianRepresentation, TheTrefoilSendsEveryGeneratorToOneUnit) {
  SearchBench bench("{1,1,1}", SearchKind::abelian, 3);
  SetCurrentPrime(bench.wb.field, 5);
  const SearchResult result = bench.Search();
  const Representation& rep = bench.wb.representation;
  EXPECT_EQ(result.end, SearchEnd::found);
  EXPECT_EQ(result.degree, 1);
  // Conjugate generators share their scalar, the eliminated b included.
  const Residue u = rep.generators[1].abelianScalar;
  EXPECT_NE(u, 1);
  EXPECT_EQ(rep.generators[2].abelianScalar, u);
  EXPECT_EQ(rep.generators[3].abelianScalar, u);
  EXPECT_EQ(rep.generators[2].matrix.cells, std::vector<int32_t>{1});
  EXPECT_EQ(rep.generators[52].inverseMatrix.cells, std::vector<int32_t>{1});
}

TEST(FindRepresentation, StopsAfterOneTryWhenAsked) {
  SearchBench bench("{1,1,1}", SearchKind::permutation, 3);
  bench.control.stop = true;
  const uint32_t seed = bench.wb.random.seed;
  EXPECT_EQ(bench.Search().end, SearchEnd::stopped);
  EXPECT_EQ(bench.control.pumps, 1);  // one try, then it returns
  RandomGenerator expected;
  expected.seed = seed;
  SkipDraws(expected, 2);  // the two surviving generators of one try
  EXPECT_EQ(bench.wb.random.seed, expected.seed);
}

}  // namespace
}  // namespace quarvel
