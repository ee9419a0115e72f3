#pragma once
// Randomised Tietze elimination. Each trial starts from the input relators with a random relator
// moved to the front, lists the generators in order of first appearance, and repeatedly removes a
// generator together with a randomly found relator in which it occurs exactly once (and which is
// shorter than the trial's length limit), substituting its expression everywhere else. The trial
// with the most eliminations, then the lowest score 50 * (phi height) + (total length), is kept:
// its relators (with their alive marks) and its substitution records.
//
// Trials stop at `simplifyEffort`, when a relator grows beyond 2,000,000 characters, or when few
// generators remain after many trials. A substitution that would grow a relator beyond that size is
// not made: the trial ends there and the trials stop.

#include <cstdint>

#include "run/workbench.h"

namespace quarvel {

inline constexpr size_t kLongestRelatorForTrials = 2'000'000;

// Runs the trials; leaves generatorCount at the number of generators in the relators. Returns
// false when stopRequested cut them short.
bool RunEliminationTrials(Workbench& workbench);

// 50 * min(2000, 2^e) + 300 characters, e = min(exponent, 17); the first trial's exponent is 4, a
// later trial's the number of eliminations of the trial before it.
size_t TrialLengthLimit(int64_t exponent);

}  // namespace quarvel
