#pragma once
// Randomised Tietze elimination. Each trial starts from the input relators with a random relator
// moved to the front, lists the generators in order of first appearance, and repeatedly removes a
// generator together with a randomly found relator in which it occurs exactly once (and which is
// shorter than the trial's length limit), substituting its expression everywhere else. The trial
// with the most eliminations, then the lowest score 50 * (phi height) + (total length), is kept:
// its relators (with their alive marks) and its substitution records.
//
// Trials stop at the effort (the number of trials), when a relator grows beyond 2,000,000
// characters, or when few generators remain after many trials. A substitution that would grow a
// relator beyond that size is not made: the trial ends there and the trials stop.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/random_generator.h"
#include "base/run_control.h"
#include "group/presentation.h"
#include "simplify/simplification_progress.h"

namespace quarvel {

inline constexpr size_t kLongestRelatorForTrials = 2'000'000;

// The trial the trials keep.
struct KeptTrial {
  // Relators 1..relatorCount as the trial left them, the eliminating ones among them, marked dead.
  std::array<Word, kMaxRelators + 1> relators;
  std::array<bool, kMaxRelators + 1> relatorAlive{};
  // One record per eliminated generator, in order of elimination: letter, "=", replacing word.
  std::vector<std::string> substitutionList;
  // The generators the input relators use, and how many they are.
  std::array<bool, kMaxGenerators + 1> generatorUsed{};
  int64_t generatorCount = 0;
  bool stopped = false;  // a stop request cut the trials short
};

// Runs the trials on inputRelators 1..relatorCount (at least one) of the presentation, weighed by
// its phi, with draws from `random`. After each trial it stops when `control` is asked to stop,
// else pumps it once.
KeptTrial RunEliminationTrials(const Presentation& presentation, int64_t effort, RandomGenerator& random,
                               RunControl& control, SimplificationProgress& progress);

// 50 * min(2000, 2^e) + 300 characters, e = min(exponent, 17); the first trial's exponent is 4, a
// later trial's the number of eliminations of the trial before it.
size_t TrialLengthLimit(int64_t exponent);

}  // namespace quarvel
