#include "simplify/simplify_presentation.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "simplify/elimination_trials.h"

namespace quarvel {
namespace {

constexpr int kReductionPasses = 15;
constexpr int32_t kShortestReduciblePairs = 2;  // a relator of four characters stays as it is
constexpr unsigned char kFirstLetter = 'a';

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool PhiVanishesOn(const Word& relator, const Presentation& p) {
  int64_t sum = 0;
  for (size_t i = 0; i + 1 < relator.size(); i += 2) {
    int g = static_cast<unsigned char>(relator[i + 1]) - kGeneratorByteBase;
    sum += relator[i] == '+' ? p.phi[g] : -static_cast<int64_t>(p.phi[g]);
  }
  return sum == 0;
}

// A relator as a chain of its pairs for the reduction passes; the passes do exactly what deleting
// characters from the text does. Deleting a pair costs nothing. A pair whose check found nothing
// to cancel stays settled until the pair after it changes, that is until that pair is deleted;
// so each letter keeps only its pairs that are due for a check, and after the first pass a pass
// costs as much as the deletions before it, not the length of the relator.
class PairChain {
 public:
  explicit PairChain(const Word& word) : word_(word) {
    const int32_t count = static_cast<int32_t>(word.size() / 2);
    next_.resize(count);
    previous_.resize(count);
    there_.assign(count, true);
    listed_.assign(count, true);
    for (int32_t i = 0; i < count; ++i) {
      next_[i] = i + 1 < count ? i + 1 : kNone;
      previous_[i] = i - 1;
      due_[Letter(i)].push_back(i);
    }
    first_ = count > 0 ? 0 : kNone;
    last_ = count - 1;
    count_ = count;
  }

  // Left to right, the first of two neighbouring pairs +x-x or -x+x is looked for; both are
  // deleted, and the pair that moves into their place is passed over (it stays due). Nothing is
  // deleted from a relator of two pairs or fewer. True when something was deleted.
  bool ReduceFreely(unsigned char x) {
    std::vector<int32_t> checks;
    checks.swap(due_[x]);
    // In order already, unless pairs fell due after their check in an earlier sweep.
    if (!std::is_sorted(checks.begin(), checks.end())) std::sort(checks.begin(), checks.end());
    bool deleted = false;
    int32_t passedOver = kNone;
    for (int32_t i : checks) {
      if (!there_[i]) continue;
      if (i == passedOver) {
        due_[x].push_back(i);
        continue;
      }
      listed_[i] = false;
      int32_t j = next_[i];
      if (j != kNone && count_ > kShortestReduciblePairs && Letter(j) == x && Opposite(i, j)) {
        passedOver = next_[j];
        Delete(i);
        Delete(j);
        deleted = true;
      }
    }
    return deleted;
  }

  // Deletes a first pair and a last pair that cancel cyclically on the letter x.
  bool ReduceCyclically(unsigned char x) {
    if (count_ <= kShortestReduciblePairs) return false;
    if (Letter(first_) != x || Letter(last_) != x || !Opposite(first_, last_)) return false;
    Delete(first_);
    Delete(last_);
    return true;
  }

  Word Remaining() const {
    Word w;
    w.reserve(2 * static_cast<size_t>(count_));
    for (int32_t i = first_; i != kNone; i = next_[i]) w.append(word_, 2 * static_cast<size_t>(i), 2);
    return w;
  }

 private:
  static constexpr int32_t kNone = -1;

  char Sign(int32_t i) const { return word_[2 * static_cast<size_t>(i)]; }
  unsigned char Letter(int32_t i) const {
    return static_cast<unsigned char>(word_[2 * static_cast<size_t>(i) + 1]);
  }
  bool Opposite(int32_t i, int32_t j) const {
    return (Sign(i) == '-' && Sign(j) == '+') || (Sign(i) == '+' && Sign(j) == '-');
  }

  // The pair before a deleted one gets a new neighbour, so it is due for a check again.
  void Delete(int32_t i) {
    const int32_t before = previous_[i];
    (before == kNone ? first_ : next_[before]) = next_[i];
    (next_[i] == kNone ? last_ : previous_[next_[i]]) = before;
    there_[i] = false;
    --count_;
    if (before != kNone && !listed_[before]) {
      listed_[before] = true;
      due_[Letter(before)].push_back(before);
    }
  }

  const Word& word_;
  std::vector<int32_t> next_;
  std::vector<int32_t> previous_;
  std::vector<char> there_;                    // the pair is still in the relator
  std::vector<char> listed_;                   // the pair is in its letter's list of pairs due for a check
  std::array<std::vector<int32_t>, 256> due_;  // by letter byte: the pairs to check in its next sweep
  int32_t first_ = kNone;
  int32_t last_ = kNone;
  int32_t count_ = 0;
};

// Removes the relators the elimination left dead; each takes one generator with it.
void CompactRelators(Presentation& p, const std::array<bool, kMaxRelators + 1>& alive) {
  int64_t kept = 0;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    if (!alive[r]) continue;
    if (++kept != r) p.relators[kept] = std::move(p.relators[r]);
  }
  for (int64_t r = kept + 1; r <= p.relatorCount; ++r) p.relators[r].clear();
  p.generatorCount -= p.relatorCount - kept;
  p.relatorCount = kept;
}

// The relators in plain form, or why one of them has none.
Result<std::vector<Word>> PlainRelators(const Presentation& p) {
  std::vector<Word> plain(p.relatorCount);
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    switch (ExpandWrittenForm(p.relators[r], plain[r - 1])) {
      case WrittenForm::expanded:
        break;
      case WrittenForm::malformed:
        return Failure{"Presentation not of the required form"};
      case WrittenForm::tooLong:
        return Failure{"Out of memory"};
    }
  }
  return plain;
}

// The kept trial's relators (and the generators they use) replace the presentation's.
void TakeKeptTrial(Presentation& p, Simplification& s, KeptTrial& kept) {
  p.relators = std::move(kept.relators);
  p.generatorUsed = kept.generatorUsed;
  p.generatorCount = kept.generatorCount;
  s.relatorAlive = kept.relatorAlive;
  s.substitutionList = std::move(kept.substitutionList);
}

int32_t HalveToEven(int32_t n) {
  int32_t half = n / 2;
  if (n % 2 != 0 && half % 2 != 0) ++half;
  return half;
}

}  // namespace

WrittenForm ExpandWrittenForm(const Word& relator, Word& plain) {
  size_t end = relator.find_last_not_of(' ');
  end = end == Word::npos ? 0 : end + 1;
  plain.clear();
  bool tooLong = false;  // reading goes on, so that a malformed relator is reported as such
  size_t i = 0;
  while (i < end) {
    char sign = relator[i++];
    if (sign != '+' && sign != '-') return WrittenForm::malformed;
    int64_t exponent = 1;
    if (i < end && IsDigit(relator[i])) {
      exponent = 0;
      for (; i < end && IsDigit(relator[i]); ++i) {
        exponent = exponent * 10 + (relator[i] - '0');
        if (exponent > std::numeric_limits<int32_t>::max()) return WrittenForm::malformed;
      }
    }
    if (i >= end) return WrittenForm::malformed;
    unsigned char letterByte = static_cast<unsigned char>(relator[i]);
    if (letterByte < kFirstLetter || letterByte > GeneratorByte(kMaxGenerators))
      return WrittenForm::malformed;
    char letter = relator[i++];
    tooLong = tooLong || plain.size() + 2 * static_cast<size_t>(exponent) > kLongestRelatorForTrials;
    if (tooLong) continue;
    for (int64_t n = 0; n < exponent; ++n) {
      plain += sign;
      plain += letter;
    }
  }
  if (tooLong) plain.clear();
  return tooLong ? WrittenForm::tooLong : WrittenForm::expanded;
}

// Relators do not act on each other, so each is reduced through all its passes at once. A pass
// that deletes nothing ends them: every further pass would find the same word.
void ReduceRelators(Presentation& p, int64_t letterCount) {
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    PairChain chain(p.relators[r]);
    bool deleted = true;
    for (int pass = 0; pass < kReductionPasses && deleted; ++pass) {
      deleted = false;
      for (int64_t g = 1; g <= letterCount; ++g) {
        unsigned char x = GeneratorByte(g);
        deleted |= chain.ReduceFreely(x);
        deleted |= chain.ReduceCyclically(x);
      }
    }
    p.relators[r] = chain.Remaining();
  }
}

void OrderRelatorsByLength(const Presentation& p, std::array<int32_t, kMaxRelators + 1>& order) {
  order.fill(0);
  int32_t count = static_cast<int32_t>(p.relatorCount);
  for (int32_t i = 1; i <= count; ++i) order[i] = i;
  for (int32_t i = 1; i <= count; ++i) {
    for (int32_t j = 1; j < i; ++j) {
      if (p.relators[order[i]].size() < p.relators[order[j]].size()) std::swap(order[i], order[j]);
    }
  }
}

Result<Simplified> SimplifyPresentation(Presentation& p, int64_t effort, RandomGenerator& random,
                                        RunControl& control, SimplificationProgress& progress) {
  Result<std::vector<Word>> plain = PlainRelators(p);
  if (!plain) return Failure{plain.error()};
  for (int64_t r = 1; r <= p.relatorCount; ++r) p.relators[r] = std::move((*plain)[r - 1]);
  Simplified result;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    if (!PhiVanishesOn(p.relators[r], p)) result.phiWellDefined = false;
  }
  p.inputRelators = p.relators;
  p.inputRelatorCount = static_cast<int32_t>(p.relatorCount);
  Simplification& s = result.simplification;
  std::fill_n(s.relatorAlive.begin() + 1, p.relatorCount, true);
  if (effort > 0 && p.relatorCount > 0) {
    KeptTrial kept = RunEliminationTrials(p, effort, random, control, progress);
    TakeKeptTrial(p, s, kept);
    result.stopped = kept.stopped;
    if (result.stopped) return result;
  }

  ReduceRelators(p, p.generatorCount);
  CompactRelators(p, s.relatorAlive);
  OrderRelatorsByLength(p, s.relatorOrder);
  return result;
}

void ListSurvivingGenerators(Presentation& p, const Simplification& s) {
  std::array<bool, kMaxGenerators + 1> survives = p.generatorUsed;
  for (const std::string& record : s.substitutionList) {
    const int32_t g = record.empty() ? 0 : GeneratorOf(record[0]);
    if (g >= 1 && g <= kMaxGenerators) survives[g] = false;
  }
  p.generatorLetters.fill(0);
  int64_t position = 0;
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (survives[g]) p.generatorLetters[++position] = g;
  }
  p.generatorCount = position;
}

int32_t EffortForBraidLength(int32_t effort, size_t braidLength) {
  for (size_t threshold : {30u, 50u, 70u}) {
    if (braidLength > threshold) effort = HalveToEven(effort);
  }
  return effort;
}

}  // namespace quarvel
