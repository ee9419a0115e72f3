#include "simplify/elimination_trials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "group/braid.h"
#include "group/knot_tables.h"
#include "group/prepare_presentation.h"
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

      for (size_t i = 0; i < records.size(); ++i) {
        for (size_t j = 0; j <= i; ++j) {
          EXPECT_EQ(records[i].find(records[j][0], 2), std::string::npos)
              << records[i] << " uses " << records[j][0];
        }
      }
      std::map<char, Word> expression = WholeExpressions(records);
      std::vector<Word> substituted;
      for (int32_t r = 1; r <= p.inputRelatorCount; ++r) {
        substituted.push_back(Substituted(p.inputRelators[r], expression));
      }
      std::vector<Word> simplified(p.relators.begin() + 1, p.relators.begin() + 1 + p.relatorCount);
      EXPECT_EQ(NonTrivialReduced(substituted), NonTrivialReduced(simplified));
      for (int64_t r = 1; r <= p.relatorCount; ++r) {
        for (const auto& [eliminated, word] : expression) {
          EXPECT_EQ(p.relators[r].find(eliminated), std::string::npos) << p.relators[r];
        }
      }
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

// A surface that presses "Back to the main menu" at the first pump after a trial.
class LeavingSurface : public HeadlessSurface {
 public:
  void ProcessMessages(RunFlags& flags) override { flags.stopRequested = true; }
};

TEST(EliminationTrials, StopRequestLeavesTheBestTrialUnreducedAndUncompacted) {
  LeavingSurface surface;
  Workbench wb(surface);
  wb.presentation.braidText = std::string(KnotBraid(250));
  BuildBraidPresentation(wb);
  SetPhiToOne(wb.presentation);
  RecountGenerators(wb.presentation);
  int64_t relators = wb.presentation.relatorCount;
  wb.settings.simplifyEffort = 500;
  wb.panels.flags.stopRequested = true;  // as if asked while the first trial ran
  EXPECT_FALSE(RunEliminationTrials(wb));
  EXPECT_EQ(wb.presentation.relatorCount, relators);
  const auto& alive = wb.simplification.relatorAlive;
  EXPECT_EQ(std::count(alive.begin() + 1, alive.begin() + 1 + relators, false),
            static_cast<long>(wb.simplification.substitutionList.size()));
  EXPECT_FALSE(wb.simplification.substitutionList.empty());
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
