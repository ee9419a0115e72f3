#include "simplify/elimination_trials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "front/start.h"
#include "group/knot_tables.h"
#include "run/braid_input.h"
#include "run/prepare_presentation.h"
#include "simplify/simplify_presentation.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;

// Free and cyclic reduction to the end, then the least rotation: one word per conjugacy class.
Word ConjugacyNormalForm(const Word& word) {
  Word stack;
  for (size_t i = 0; i + 1 < word.size(); i += 2) {
    size_t n = stack.size();
    if (n >= 2 && stack[n - 1] == word[i + 1] && stack[n - 2] != word[i]) {
      stack.resize(n - 2);
    } else {
      stack.append(word, i, 2);
    }
  }
  while (stack.size() >= 4 && stack[1] == stack[stack.size() - 1] && stack[0] != stack[stack.size() - 2]) {
    stack = stack.substr(2, stack.size() - 4);
  }
  Word least = stack;
  for (size_t shift = 2; shift < stack.size(); shift += 2) {
    least = std::min(least, stack.substr(shift) + stack.substr(0, shift));
  }
  return least;
}

// Replaces every eliminated generator by its whole expression in the survivors: records are read
// from the last back to the first, since a record may use generators eliminated after it.
Word Substituted(const Word& word, const std::map<char, Word>& expression) {
  Word result;
  for (size_t i = 0; i + 1 < word.size(); i += 2) {
    auto found = expression.find(word[i + 1]);
    if (found == expression.end()) {
      result.append(word, i, 2);
    } else {
      result += word[i] == '+' ? found->second : InverseWord(found->second);
    }
  }
  return result;
}

std::map<char, Word> WholeExpressions(const std::vector<std::string>& records) {
  std::map<char, Word> expression;
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    expression[(*record)[0]] = Substituted(record->substr(2), expression);
  }
  return expression;
}

std::vector<Word> NonTrivialReduced(std::vector<Word> words) {
  for (Word& w : words) w = ConjugacyNormalForm(w);
  std::erase(words, Word());
  std::sort(words.begin(), words.end());
  return words;
}

void Prepare(Bench& bench, std::string_view braid, int32_t effort) {
  bench.wb.presentation.braidText = std::string(braid);
  bench.wb.settings.simplifyEffort = effort;
  PreparePresentation(bench.wb);
  ASSERT_FALSE(bench.wb.failure.computationFailed) << braid << ": " << bench.wb.failure.errorMessage;
}

TEST(TrialLengthLimit, DoublesWithTheExponentUpToTwoThousandTimesFifty) {
  EXPECT_EQ(TrialLengthLimit(0), 350u);
  EXPECT_EQ(TrialLengthLimit(4), 1100u);
  EXPECT_EQ(TrialLengthLimit(10), 51500u);
  EXPECT_EQ(TrialLengthLimit(11), 100300u);
  EXPECT_EQ(TrialLengthLimit(17), 100300u);
  EXPECT_EQ(TrialLengthLimit(40), 100300u);
}

// Every record uses only generators that survive or are eliminated later, and no eliminated
// generator is left in a simplified relator.
void ExpectRecordsConsistent(const Presentation& p, const std::vector<std::string>& records) {
  for (size_t i = 0; i < records.size(); ++i) {
    for (size_t j = 0; j <= i; ++j) {
      EXPECT_EQ(records[i].find(records[j][0], 2), std::string::npos)
          << records[i] << " uses " << records[j][0];
    }
    for (int64_t r = 1; r <= p.relatorCount; ++r) {
      EXPECT_EQ(p.relators[r].find(records[i][0]), std::string::npos) << records[i][0] << " is left in " << r;
    }
  }
}

// Over knots of the table: the kept trial is a sequence of Tietze moves. Every record uses only
// generators that survive or are eliminated later, the deficiency is kept, and the input relators
// with the eliminated generators substituted are, up to free reduction and conjugation, the
// simplified relators (the eliminating relators becoming trivial).
TEST(EliminationTrials, KeptTrialIsASequenceOfTietzeMoves) {
  for (int position = 1; position <= kKnotTableSize; position += 7) {
    SCOPED_TRACE(KnotListEntry(position));
    for (int32_t effort : {20, 150}) {
      Bench bench;
      Prepare(bench, KnotBraid(position), effort);
      const Presentation& p = bench.wb.presentation;
      const std::vector<std::string>& records = bench.wb.simplification.substitutionList;
      EXPECT_EQ(p.generatorCount - p.relatorCount, 1);  // a knot's Wirtinger presentation minus one relator
      ExpectRecordsConsistent(p, records);
      std::map<char, Word> expression = WholeExpressions(records);
      std::vector<Word> substituted;
      for (int32_t r = 1; r <= p.inputRelatorCount; ++r) {
        substituted.push_back(Substituted(p.inputRelators[r], expression));
      }
      std::vector<Word> simplified(p.relators.begin() + 1, p.relators.begin() + 1 + p.relatorCount);
      EXPECT_EQ(NonTrivialReduced(substituted), NonTrivialReduced(simplified));
    }
  }
}

// Braids whose trials substitute into relators of up to 2,000,000 characters, at the effort a run
// gives them. These once took minutes in the reduction and the search for eliminating relators.
TEST(EliminationTrials, BraidsWhoseTrialsBuildLongRelatorsAreSimplifiedSoundly) {
  std::string torusLink = "{2";
  for (int k = 1; k < 39; ++k) torusLink += ",2";
  const std::string braids[] = {
      torusLink + "}",
      "{8,15,22,29,6,13,20,27,4,11,18,25,2,9,16,23,30,7,14,21,28,5,12,19,26,3,10,17,24,1,8,15,22,29,6,13,20,"
      "27,"
      "4,11,18,25,2,9,16,23,30}",
      "{2,2,1,2,2,2,2,2,2,1,-2,3,-2,-4,-3,-3,-3,-4,-3,-2,2,2,2,1,-2}",
  };
  for (const std::string& braid : braids) {
    for (bool zeroSurgery : {false, true}) {
      SCOPED_TRACE(braid + (zeroSurgery ? " with its longitude" : ""));
      Bench bench;
      bench.wb.settings.zeroSurgery = zeroSurgery;
      Prepare(bench, braid, EffortForBraidLength(20, braid.size()));
      const Presentation& p = bench.wb.presentation;
      ExpectRecordsConsistent(p, bench.wb.simplification.substitutionList);
      EXPECT_EQ(p.inputRelatorCount - p.relatorCount,
                static_cast<int64_t>(bench.wb.simplification.substitutionList.size()));
      EXPECT_GT(bench.wb.simplification.substitutionList.size(), 0u);
    }
  }
}

TEST(EliminationTrials, FreshGeneratorsRepeatTheSameSimplification) {
  Bench first;
  Bench second;
  Prepare(first, KnotBraid(250), 150);
  Prepare(second, KnotBraid(250), 150);
  EXPECT_EQ(first.wb.simplification.substitutionList, second.wb.simplification.substitutionList);
  EXPECT_EQ(first.wb.presentation.relators, second.wb.presentation.relators);
  EXPECT_EQ(first.wb.random.seed, second.wb.random.seed);
  EXPECT_LT(first.wb.presentation.generatorCount, 11);
}

TEST(EliminationTrials, MoreEffortNeverKeepsFewerEliminations) {
  for (int position : {2, 40, 250, 650, 801}) {
    Bench low;
    Bench high;
    Prepare(low, KnotBraid(position), 1);
    Prepare(high, KnotBraid(position), 200);
    EXPECT_LE(high.wb.presentation.generatorCount, low.wb.presentation.generatorCount) << position;
  }
}

// Counts the pumps, one after each trial that was not stopped, and asks to stop once `stopAt` of
// them have happened (never when negative).
class CountingRun : public RunControl {
 public:
  explicit CountingRun(int stopAt = -1) : stopAt_(stopAt) {}
  void PumpMessages() override { ++pumps_; }
  bool StopRequested() const override { return pumps_ == stopAt_; }
  int Pumps() const { return pumps_; }

 private:
  int stopAt_;
  int pumps_ = 0;
};

TEST(EliminationTrials, StopRequestLeavesTheBestTrialUnreducedAndUncompacted) {
  Bench bench;
  Presentation& p = bench.wb.presentation;
  p.braidText = std::string(KnotBraid(250));
  LoadBraidPresentation(bench.wb);
  SetPhiToOne(p);
  RecountGenerators(p);
  CountingRun stopAtOnce(0);  // as if asked while the first trial ran
  NoSimplificationProgress progress;
  KeptTrial kept = RunEliminationTrials(p, 500, bench.wb.random, stopAtOnce, progress);
  EXPECT_TRUE(kept.stopped);
  EXPECT_EQ(stopAtOnce.Pumps(), 0);
  const auto& alive = kept.relatorAlive;
  EXPECT_EQ(std::count(alive.begin() + 1, alive.begin() + 1 + p.relatorCount, false),
            static_cast<long>(kept.substitutionList.size()));
  EXPECT_FALSE(kept.substitutionList.empty());
  EXPECT_EQ(kept.generatorCount, p.generatorCount);
  EXPECT_EQ(kept.generatorUsed, p.generatorUsed);
  // Through the whole simplification: the kept trial as it is, neither reduced nor compacted.
  CountingRun stopAgain(0);
  RandomGenerator fresh;
  Result<Simplified> simplified = SimplifyPresentation(p, 500, fresh, stopAgain, progress);
  ASSERT_TRUE(simplified.ok()) << simplified.error();
  EXPECT_TRUE(simplified->stopped);
  EXPECT_EQ(p.relators, kept.relators);
  EXPECT_EQ(simplified->simplification.substitutionList, kept.substitutionList);
}

// Relators in a and b with phi(b) = 500, simplified with 500 trials. The run counts its pumps, one
// per trial that ran.
struct HeavyB {
  Presentation presentation;
  Simplification simplification;
  int trials = 0;
};

HeavyB SimplifyWithHeavyB(const std::vector<Word>& relators) {
  HeavyB heavy;
  Presentation& p = heavy.presentation;
  SetPhiToOne(p);
  p.phi[2] = 500;
  ReplaceRelators(p, relators);
  RecountGenerators(p);
  RandomGenerator random;
  CountingRun run;
  NoSimplificationProgress progress;
  Result<Simplified> simplified = SimplifyPresentation(p, 500, random, run, progress);
  EXPECT_TRUE(simplified.ok() && simplified->phiWellDefined);
  if (simplified) heavy.simplification = simplified->simplification;
  heavy.trials = run.Pumps();
  return heavy;
}

TEST(EliminationTrials, SubstitutionsGrowRelatorsToTwoMillionCharactersAndNoFurther) {
  // b = a^500 (from the first relator) goes into the second, which holds b a thousand times:
  // 1000 * 1000 characters for the b's and 1,000,000 for the rest make exactly 2,000,000.
  HeavyB exact = SimplifyWithHeavyB({"-b+500a", "+1000b-500000a"});
  EXPECT_EQ(exact.simplification.substitutionList.size(), 1u);
  EXPECT_EQ(exact.presentation.relatorCount, 1);
  // Nothing passed the stop, so the trials went on until few generators were left, after trial 21.
  EXPECT_EQ(exact.trials, 21);

  // Four characters more would give 2,000,004: the substitution is not made and no trial follows.
  HeavyB beyond = SimplifyWithHeavyB({"-b+500a", "+1000b-500000a+a-a"});
  EXPECT_TRUE(beyond.simplification.substitutionList.empty());
  const Presentation& p = beyond.presentation;
  ASSERT_EQ(p.relatorCount, 2);
  // Both relators as read; only the reduction took the cancelling "-a+a" off the longer one.
  EXPECT_EQ(std::max(p.relators[1].size(), p.relators[2].size()), 1'002'000u);
  EXPECT_EQ(std::min(p.relators[1].size(), p.relators[2].size()), 1'002u);
  EXPECT_EQ(beyond.trials, 1);
}

// Records what the trials tell: "going on" and "still going on" as false and true, the end as "done".
class RecordingProgress : public SimplificationProgress {
 public:
  void TrialsGoingOn(bool still) override { told.push_back(still ? "still" : "going on"); }
  void TrialsDone() override { told.push_back("done"); }
  std::vector<std::string> told;
};

TEST(EliminationTrials, ProgressEveryFourthTrialOfMoreThanTwelveRelatorsThenDone) {
  for (int position : {2, 250}) {
    Bench bench;
    Presentation& p = bench.wb.presentation;
    p.braidText = std::string(KnotBraid(position));
    LoadBraidPresentation(bench.wb);
    SetPhiToOne(p);
    ASSERT_EQ(p.relatorCount > 12, position == 250) << p.relatorCount;
    NoRunControl control;
    RecordingProgress progress;
    RunEliminationTrials(p, 20, bench.wb.random, control, progress);
    // 20 trials: notices at trials 1, 5, 9, 13 and 17 for knot 11_1's 13 relators, none for 4_1.
    const std::vector<std::string> expected =
        position == 250
            ? std::vector<std::string>{"going on", "still", "going on", "still", "going on", "done"}
            : std::vector<std::string>{"done"};
    EXPECT_EQ(progress.told, expected) << position;
  }
}

TEST(EliminationTrials, ProgressMessageOnlyForMoreThanTwelveRelators) {
  Bench few;
  Prepare(few, KnotBraid(2), 20);
  EXPECT_EQ(few.surface.PanelText(ComputationWindow::norm, 2), "");

  // Knot 11_1 has 14 crossings, so 13 relators: the message goes up at trial 1, changes at trial 5
  // and is wiped when the trials end.
  Bench many;
  std::ostringstream transcript;
  many.surface.RecordTranscript(transcript);
  Prepare(many, KnotBraid(250), 20);
  ASSERT_GT(many.wb.presentation.inputRelatorCount, 12);
  EXPECT_NE(transcript.str().find("P2\t7\t7\tSimplification of fundamental group is going on\n"),
            std::string::npos);
  EXPECT_NE(transcript.str().find("P2\t7\t7\tSimplification of fundamental group is still going on\n"),
            std::string::npos);
  EXPECT_EQ(many.surface.PanelText(ComputationWindow::norm, 2), "");
}

}  // namespace
}  // namespace quarvel
