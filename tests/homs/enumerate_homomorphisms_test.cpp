#include "homs/enumerate_homomorphisms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "group/knot_tables.h"
#include "homs/isotopy_group.h"
#include "plain_enumeration.h"
#include "run/homomorphism_store.h"
#include "run/prepare_presentation.h"
#include "simplify/simplify_presentation.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;

// The simplified group of a braid, or of generators a, b, ... with given relators, and the group.
struct IsotopyBench : Bench {
  IsotopyBench(const std::string& group, bool all) {
    wb.settings.isotopyMode = true;
    wb.panels.window = ComputationWindow::isotopy;
    wb.settings.isotopyGroup = group;
    wb.settings.allHomomorphisms = all;
  }
  void Braid(const std::string& braid, int32_t effort = 20) {
    wb.presentation.braidText = braid;
    wb.settings.simplifyEffort = effort;
    PreparePresentation(wb);
    Finish();
  }
  void Relators(int generators, const std::vector<Word>& relators) {
    Presentation& p = wb.presentation;
    p.generatorCount = generators;
    p.relatorCount = p.inputRelatorCount = static_cast<int32_t>(relators.size());
    for (size_t r = 0; r < relators.size(); ++r) p.relators[r + 1] = p.inputRelators[r + 1] = relators[r];
    for (int g = 1; g <= generators; ++g) p.generatorUsed[g] = true, p.generatorLetters[g] = g;
    OrderRelatorsByLength(p, wb.simplification.relatorOrder);
    Finish();
  }
  void Finish() {
    wb.isotopyGroup = MakeIsotopyGroup(wb.settings.isotopyGroup);
    FindConjugacyClasses(wb.isotopyGroup);
  }
};

using Outcome = testing::PlainOutcome;

// Each call as a line: "started", "checked P% H'", "finished".
struct RecordedProgress : EnumerationProgress {
  std::vector<std::string> calls;
  void Started() override { calls.push_back("started"); }
  void Checked(int64_t percent, int64_t found) override {
    calls.push_back("checked " + std::to_string(percent) + "% " + std::to_string(found));
  }
  void Finished() override { calls.push_back("finished"); }
};

// A run control whose stop request the step can raise.
struct StoppableControl : RunControl {
  bool stop = false;
  bool StopRequested() const override { return stop; }
};

// Enumerates with `step` after the store step: false from either ends the enumeration.
EnumerationOutcome Enumerate(
    Workbench& wb, Outcome& kept, RunControl& control, EnumerationProgress& progress,
    const std::function<bool()>& step = [] { return true; }) {
  const IsotopyGroup& group = wb.isotopyGroup;
  const std::vector<std::string>& records = wb.simplification.substitutionList;
  const EnumerationOutcome outcome = EnumerateHomomorphisms(
      SimplifiedRelatorsOf(wb.presentation, wb.simplification), group, wb.settings.allHomomorphisms, control,
      progress, [&](const Assignment& images, const HomomorphismCounts& counts) {
        EXPECT_EQ(counts.found, static_cast<int64_t>(kept.rows.size()) + 1);
        if (kept.rows.size() == 1000) return false;
        kept.rows.push_back(ExtendToEliminated(group, records, images));
        return step();
      });
  kept.satisfying = outcome.counts.satisfying;
  kept.found = outcome.counts.found;
  return outcome;
}

Outcome Fast(Workbench& wb) {
  Outcome kept;
  NoRunControl control;
  RecordedProgress progress;
  Enumerate(wb, kept, control, progress);
  return kept;
}

void ExpectSame(const Outcome& fast, const Outcome& plain, const std::string& what) {
  EXPECT_EQ(fast.satisfying, plain.satisfying) << what;
  EXPECT_EQ(fast.found, plain.found) << what;
  EXPECT_EQ(fast.rows == plain.rows, true) << what << ": other homomorphisms or another order";
}

std::string RandomBraid(std::mt19937& random) {
  const int strands = 2 + static_cast<int>(random() % 3);
  const int length = 3 + static_cast<int>(random() % 6);
  std::string braid = "{";
  for (int i = 0; i < length; ++i) {
    const int letter = 1 + static_cast<int>(random() % (strands - 1));
    braid += (i ? "," : "") + std::string(random() % 2 ? "-" : "") + std::to_string(letter);
  }
  return braid + "}";
}

TEST(EnumerateHomomorphisms, FastAndPlainAgreeOnRandomBraids) {
  std::mt19937 random(2026);
  for (int trial = 0; trial < 25; ++trial) {
    const std::string braid = RandomBraid(random);
    for (const char* group : {"s3", "a4", "s4"}) {
      for (bool all : {false, true}) {
        IsotopyBench bench(group, all);
        bench.Braid(braid);
        if (bench.wb.failure.computationFailed) continue;
        const std::string what = braid + " " + group + (all ? " all" : "");
        const Outcome fast = Fast(bench.wb);
        ExpectSame(fast, testing::PlainEnumerateHomomorphisms(bench.wb), what);
      }
    }
  }
}

TEST(EnumerateHomomorphisms, FastAndPlainAgreeOnPresentationsWithoutConjugateGenerators) {
  const std::vector<std::pair<int, std::vector<Word>>> presentations = {
      {1, {"+a+a+a"}},                          // one surviving generator
      {2, {"+a+a+a", "+b+b", "+a+b+a+b+a+b"}},  // the triangle group (2,3,3)
      {2, {"+a+b-a-b"}},                        // Z^2
      {3, {"+a+b+c-a-b-c", "+a+a-c-c"}},
      {3, {"+a+b-a-b", "+b+c-b-c"}},
  };
  for (const auto& [generators, relators] : presentations) {
    for (const char* group : {"s3", "a4", "s4"}) {
      for (bool all : {false, true}) {
        IsotopyBench bench(group, all);
        bench.Relators(generators, relators);
        const Outcome fast = Fast(bench.wb);
        ExpectSame(fast, testing::PlainEnumerateHomomorphisms(bench.wb),
                   relators[0] + " " + group + (all ? " all" : ""));
      }
    }
  }
}

// Knots that keep three or four generators after simplification (the Conway knot and 11_409 four
// at effort 20, the Conway knot three at effort 50), so that the search takes its path for three
// generators or more, over the orbits of the last image's centraliser: the fast enumeration finds
// the same homomorphisms as the plain one, with and without the abelian ones.
TEST(EnumerateHomomorphisms, FastAndPlainAgreeOnKnotsWithThreeOrMoreGenerators) {
  struct Case {
    const char* knot;
    int32_t effort;
    int64_t generators;
    std::vector<const char*> groups;
  };
  const std::vector<Case> cases = {
      {"11_401", 20, 4, {"a4", "s4"}}, {"11_409", 20, 4, {"a4", "s4"}}, {"11_401", 50, 3, {"a5", "s5"}}};
  for (const Case& c : cases) {
    for (const char* group : c.groups) {
      for (bool all : {false, true}) {
        IsotopyBench bench(group, all);
        bench.Braid(std::string(KnotBraid(FindKnot(c.knot).knotList)), c.effort);
        ASSERT_EQ(bench.wb.presentation.generatorCount, c.generators) << c.knot;
        const Outcome fast = Fast(bench.wb);
        ExpectSame(fast, testing::PlainEnumerateHomomorphisms(bench.wb),
                   std::string(c.knot) + " " + group + (all ? " all" : ""));
      }
    }
  }
}

int64_t ClassesFound(const std::string& braid, const std::string& group, bool all) {
  IsotopyBench bench(group, all);
  bench.Braid(braid);
  return Fast(bench.wb).found;
}

TEST(EnumerateHomomorphisms, KnownCountsForTheTrefoilAndTheFigureEight) {
  EXPECT_EQ(ClassesFound("{1,1,1}", "s3", false), 1);
  // The trivial class and those onto <(1 2)>, <(1 2 3)> and S_3.
  EXPECT_EQ(ClassesFound("{1,1,1}", "s3", true), 4);
  EXPECT_EQ(ClassesFound("{1,-2,1,-2}", "s3", false), 0);
  EXPECT_EQ(ClassesFound("{1,-2,1,-2}", "s4", false), 1);
  EXPECT_EQ(ClassesFound("{1,-2,1,-2}", "s5", false), 4);
}

TEST(EnumerateHomomorphisms, ConjugationIsBySymmetricGroupEvenForAlternatingGroups) {
  IsotopyBench bench("a4", false);
  bench.Braid("{1,-2,1,-2}");
  const Outcome fast = Fast(bench.wb);
  ASSERT_EQ(fast.found, 1);
  // Conjugating the class by the odd permutation (1 2) gives another homomorphism into A_4, which
  // conjugation inside A_4 alone would count apart.
  const IsotopyGroup& g = bench.wb.isotopyGroup;
  SmallPermutation swap = IdentityPermutation(4);
  std::swap(swap[1], swap[2]);
  for (int64_t i = 1; i <= bench.wb.presentation.generatorCount; ++i) {
    const int32_t e = fast.rows[0][bench.wb.presentation.generatorLetters[i]];
    EXPECT_NE(ElementOfCode(g, PermutationCode(Conjugate(swap, g.elements[e], 4), 4)), 0);
  }
}

TEST(EnumerateHomomorphisms, EliminatedGeneratorsSatisfyTheOriginalRelators) {
  IsotopyBench bench("s5", false);
  bench.Braid("{1,2,2,-3,1,-3,1,-2,1,-2,-3}");  // the Conway knot
  const Outcome fast = Fast(bench.wb);
  ASSERT_GT(fast.found, 0);
  const Presentation& p = bench.wb.presentation;
  const IsotopyGroup& g = bench.wb.isotopyGroup;
  for (const Assignment& row : fast.rows) {
    for (int32_t r = 1; r <= p.inputRelatorCount; ++r) {
      const Word& w = p.inputRelators[r];
      int32_t value = 1;
      for (size_t at = 0; at + 1 < w.size(); at += 2) {
        const int32_t e = row[static_cast<unsigned char>(w[at + 1]) - kGeneratorByteBase];
        ASSERT_NE(e, 0);
        value = ElementProduct(g, value, w[at] == '-' ? g.inverseIndex[e] : e);
      }
      EXPECT_EQ(value, 1) << w;
    }
  }
}

// The store keeps as many homomorphisms as its ceiling allows (1500 here, where the step stops by
// itself); past the ceiling the step fails with "Out of memory" and says not to go on.
TEST(EnumerateHomomorphisms, AStepThatSaysStopEndsTheEnumeration) {
  for (size_t ceiling : {SIZE_MAX, 1000 * sizeof(Assignment)}) {
    IsotopyBench bench("s5", true);
    bench.Relators(3, {"+c-c"});  // the free group on a, b, c
    HomomorphismStore store;
    NoRunControl control;
    RecordedProgress progress;
    std::optional<Failure> failure;
    const EnumerationOutcome outcome = EnumerateHomomorphisms(
        SimplifiedRelatorsOf(bench.wb.presentation, bench.wb.simplification), bench.wb.isotopyGroup, true,
        control, progress, [&](const Assignment& images, const HomomorphismCounts&) {
          failure = StoreHomomorphism(store, images, ceiling);
          return !failure && store.rows.size() < 1500;
        });
    EXPECT_FALSE(outcome.stopped);
    EXPECT_NE(progress.calls.back(), "finished");
    if (ceiling == SIZE_MAX) {
      EXPECT_EQ(store.rows.size(), 1500u);
      EXPECT_EQ(outcome.counts.found, 1500);
      EXPECT_FALSE(failure.has_value());
      continue;
    }
    // The rows double from 16; 1024 of them would pass the ceiling.
    EXPECT_EQ(store.rows.size(), 512u);
    EXPECT_EQ(outcome.counts.found, 513);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message, "Out of memory");
  }
}

TEST(EnumerateHomomorphisms, ReportsItsProgressAndTheCount) {
  IsotopyBench bench("s4", false);
  bench.Braid("{1,-2,1,-2}");
  Outcome kept;
  NoRunControl control;
  RecordedProgress progress;
  Enumerate(bench.wb, kept, control, progress);
  ASSERT_GE(progress.calls.size(), 3u);
  EXPECT_EQ(progress.calls.front(), "started");
  EXPECT_NE(std::find(progress.calls.begin(), progress.calls.end(), "checked 50% 1"), progress.calls.end());
  EXPECT_EQ(progress.calls[progress.calls.size() - 2], "checked 100% 1");
  EXPECT_EQ(progress.calls.back(), "finished");
}

TEST(EnumerateHomomorphisms, AStopEndsTheEnumerationWithoutFinishing) {
  IsotopyBench bench("s5", false);
  bench.Braid("{1,-2,1,-2}");
  Outcome kept;
  StoppableControl control;
  RecordedProgress progress;
  const EnumerationOutcome outcome = Enumerate(bench.wb, kept, control, progress, [&control] {
    control.stop = true;
    return true;
  });
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(kept.rows.size(), 1u);
  EXPECT_EQ(outcome.counts.found, 1);
  EXPECT_NE(progress.calls.back(), "finished");
}

}  // namespace
}  // namespace quarvel
