#include "simplify/elimination_trials.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

namespace quarvel {
namespace {

constexpr int64_t kFirstExponent = 4;
constexpr int64_t kLargestExponent = 17;
constexpr int kRelatorsForProgress = 12;

// How often each generator byte occurs in a relator.
using LetterCounts = std::array<int32_t, 256>;

LetterCounts CountLetters(const Word& word) {
  LetterCounts counts{};
  for (size_t i = 1; i < word.size(); i += 2) ++counts[static_cast<unsigned char>(word[i])];
  return counts;
}

// What the trials need to know of an input relator, found once for all of them: how often each
// generator occurs, the generators in order of first appearance, and the highest phi along a
// prefix (at least 0).
struct RelatorSummary {
  LetterCounts counts{};
  std::vector<char> letters;
  int64_t phiHeight = 0;
};

int32_t PhiOf(const Presentation& p, char letter) {
  return p.phi[static_cast<unsigned char>(letter) - kGeneratorByteBase];
}

int64_t PhiHeight(const Word& w, const Presentation& p) {
  int64_t height = 0;
  int64_t highest = 0;
  for (size_t i = 0; i + 1 < w.size(); i += 2) {
    height += w[i] == '+' ? PhiOf(p, w[i + 1]) : -static_cast<int64_t>(PhiOf(p, w[i + 1]));
    highest = std::max(highest, height);
  }
  return highest;
}

RelatorSummary Summarise(const Word& w, const Presentation& p) {
  RelatorSummary summary;
  for (size_t i = 1; i < w.size(); i += 2) {
    if (summary.counts[static_cast<unsigned char>(w[i])]++ == 0) summary.letters.push_back(w[i]);
  }
  summary.phiHeight = PhiHeight(w, p);
  return summary;
}

struct Trial {
  std::array<Word, kMaxRelators + 1> words;
  // Kept with the words, so that finding a relator for a generator never scans relator text.
  std::array<LetterCounts, kMaxRelators + 1> counts{};
  // The phi height of each relator as long as no substitution has rewritten it.
  std::array<int64_t, kMaxRelators + 1> phiHeights{};
  std::array<bool, kMaxRelators + 1> rewritten{};
  std::array<bool, kMaxRelators + 1> alive{};
  std::vector<char> generators;  // in order of first appearance
  std::vector<std::string> records;
  int64_t eliminations = 0;
  int64_t length = 0;
  int64_t phiHeight = 0;
  size_t longest = 0;
  bool overgrown = false;  // a substitution would have passed the length stop

  int64_t Score() const { return 50 * phiHeight + length; }
};

int32_t Occurrences(const Trial& trial, int64_t r, char g) {
  return trial.counts[r][static_cast<unsigned char>(g)];
}

// The letters of relators 1, 2, ... (given by their summaries) in order of first appearance.
std::vector<char> GeneratorsInOrder(const std::vector<const RelatorSummary*>& relators) {
  std::vector<char> generators;
  std::array<bool, 256> listed{};
  for (const RelatorSummary* relator : relators) {
    for (char letter : relator->letters) {
      if (!listed[static_cast<unsigned char>(letter)]) generators.push_back(letter);
      listed[static_cast<unsigned char>(letter)] = true;
    }
  }
  return generators;
}

// Draws relators until one eliminates g, or until every relator has been tried; 0 for none.
int64_t FindEliminatingRelator(const Trial& trial, char g, size_t lengthLimit, int64_t relatorCount,
                               RandomGenerator& random) {
  std::array<bool, kMaxRelators + 1> tried{};
  for (int64_t triedCount = 0; triedCount < relatorCount;) {
    int64_t r = RandomBelow(random, static_cast<uint32_t>(relatorCount)) + 1;
    if (tried[r]) continue;
    tried[r] = true;
    ++triedCount;
    if (trial.alive[r] && Occurrences(trial, r, g) == 1 && trial.words[r].size() < lengthLimit) return r;
  }
  return 0;
}

// g expressed by relator u s g v: u^-1 v^-1 for s = "+", v u for s = "-".
Word ExpressionOf(const Word& relator, char g) {
  size_t at = 1;
  while (relator[at] != g) at += 2;
  Word u = relator.substr(0, at - 1);
  Word v = relator.substr(at + 1);
  if (relator[at - 1] == '+') return InverseWord(u) + InverseWord(v);
  return v + u;
}

// Replaces each pair +g by the image and -g by its inverse; the pairs between are copied in runs.
Word Substitute(const Word& word, char g, const Word& image, const Word& inverseImage) {
  Word result;
  size_t copied = 0;  // word[0, copied) is done
  for (size_t i = 0; i + 1 < word.size(); i += 2) {
    if (word[i + 1] != g) continue;
    result.append(word, copied, i - copied);
    result += word[i] == '+' ? image : inverseImage;
    copied = i + 2;
  }
  result.append(word, copied, word.size() / 2 * 2 - copied);
  return result;
}

// Removes g with relator r; false (and nothing changed) when a relator would pass the length stop.
bool Eliminate(Trial& trial, int64_t r, char g, int64_t relatorCount) {
  Word image = ExpressionOf(trial.words[r], g);
  for (int64_t j = 1; j <= relatorCount; ++j) {
    if (j == r || !trial.alive[j]) continue;
    size_t occurrences = static_cast<size_t>(Occurrences(trial, j, g));
    size_t grown = trial.words[j].size() - 2 * occurrences + occurrences * image.size();
    if (grown > kLongestRelatorForTrials) {
      trial.overgrown = true;
      return false;
    }
  }
  Word inverseImage = InverseWord(image);
  const LetterCounts imageCounts = CountLetters(image);  // g is not among them: r held it once
  trial.records.push_back(std::string(1, g) + "=" + image);
  trial.alive[r] = false;
  ++trial.eliminations;
  for (int64_t j = 1; j <= relatorCount; ++j) {
    int32_t occurrences = Occurrences(trial, j, g);
    if (!trial.alive[j] || occurrences == 0) continue;
    trial.words[j] = Substitute(trial.words[j], g, image, inverseImage);
    trial.rewritten[j] = true;
    LetterCounts& counts = trial.counts[j];
    counts[static_cast<unsigned char>(g)] = 0;
    for (size_t letter = 0; letter < counts.size(); ++letter)
      counts[letter] += occurrences * imageCounts[letter];
  }
  return true;
}

void Measure(Trial& trial, const Presentation& p) {
  trial.length = 0;
  trial.phiHeight = 0;
  trial.longest = 0;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    const Word& w = trial.words[r];
    trial.longest = std::max(trial.longest, w.size());
    if (!trial.alive[r]) continue;
    trial.length += static_cast<int64_t>(w.size());
    trial.phiHeight = std::max(trial.phiHeight, trial.rewritten[r] ? PhiHeight(w, p) : trial.phiHeights[r]);
  }
  if (trial.overgrown) trial.longest = kLongestRelatorForTrials + 1;
}

Trial RunTrial(const Presentation& p, RandomGenerator& random, size_t lengthLimit,
               const std::vector<RelatorSummary>& summaries) {
  Trial trial;
  trial.words = p.inputRelators;
  for (int64_t r = 1; r <= p.relatorCount; ++r) trial.alive[r] = true;
  int64_t front = RandomBelow(random, static_cast<uint32_t>(p.relatorCount)) + 1;
  std::swap(trial.words[1], trial.words[front]);
  std::vector<const RelatorSummary*> order;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    const RelatorSummary& summary = summaries[r == 1 ? front : r == front ? 1 : r];
    trial.counts[r] = summary.counts;
    trial.phiHeights[r] = summary.phiHeight;
    order.push_back(&summary);
  }
  trial.generators = GeneratorsInOrder(order);

  for (size_t i = 0; i < trial.generators.size() && !trial.overgrown;) {
    char g = trial.generators[i];
    int64_t r = FindEliminatingRelator(trial, g, lengthLimit, p.relatorCount, random);
    if (r != 0 && Eliminate(trial, r, g, p.relatorCount)) {
      i = 0;
    } else {
      ++i;
    }
  }
  Measure(trial, p);
  return trial;
}

// The trial's relators, alive marks and records move into `kept`; the rest of it stays readable.
void Keep(KeptTrial& kept, Trial& trial) {
  kept.relators = std::move(trial.words);
  kept.relatorAlive = trial.alive;
  kept.substitutionList = std::move(trial.records);
  kept.generatorUsed.fill(false);
  for (char g : trial.generators) {
    int number = static_cast<unsigned char>(g) - kGeneratorByteBase;
    if (number >= 1 && number <= kMaxGenerators) kept.generatorUsed[number] = true;
  }
  kept.generatorCount = static_cast<int64_t>(trial.generators.size());
}

void ShowProgress(const Presentation& p, SimplificationProgress& progress, int64_t trialNumber) {
  if (p.relatorCount <= kRelatorsForProgress || trialNumber % 4 != 1) return;
  progress.TrialsGoingOn((trialNumber / 4) % 2 == 1);
}

bool TrialsAreDone(const Trial& trial, int64_t t, int64_t effort) {
  if (t >= effort || trial.longest > kLongestRelatorForTrials) return true;
  int64_t left = static_cast<int64_t>(trial.generators.size()) - trial.eliminations;
  return (t > 20 && left < 4) || (t > 100 && left < 5) || (t > 200 && left < 6);
}

}  // namespace

size_t TrialLengthLimit(int64_t exponent) {
  int64_t power = std::min<int64_t>(2000, int64_t{1} << std::min(exponent, kLargestExponent));
  return static_cast<size_t>(50 * power + 300);
}

KeptTrial RunEliminationTrials(const Presentation& p, int64_t effort, RandomGenerator& random,
                               RunControl& control, SimplificationProgress& progress) {
  KeptTrial kept;
  int64_t bestEliminations = -1;
  int64_t bestScore = std::numeric_limits<int64_t>::max();
  int64_t exponent = kFirstExponent;
  std::vector<RelatorSummary> summaries(p.relatorCount + 1);
  for (int64_t r = 1; r <= p.relatorCount; ++r) summaries[r] = Summarise(p.inputRelators[r], p);
  for (int64_t t = 1;; ++t) {
    ShowProgress(p, progress, t);
    Trial trial = RunTrial(p, random, TrialLengthLimit(exponent), summaries);
    bool better = trial.Score() < bestScore && trial.eliminations >= bestEliminations;
    if (better || trial.eliminations > bestEliminations) {
      bestScore = trial.Score();
      bestEliminations = trial.eliminations;
      Keep(kept, trial);
    }
    if (control.StopRequested()) {
      kept.stopped = true;
      return kept;
    }
    control.PumpMessages();
    exponent = trial.eliminations;
    if (TrialsAreDone(trial, t, effort)) break;
  }
  progress.TrialsDone();
  return kept;
}

}  // namespace quarvel
