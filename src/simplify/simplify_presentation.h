#pragma once
// Simplification of the presentation: normal form of the relators, the check that phi is well
// defined, the elimination trials (elimination_trials.h) when the effort is above 0, then 15
// passes of free and cyclic reduction, the removal of eliminated relators, and the relator order.
// A stop request during the trials leaves the best trial so far, unreduced and uncompacted.
//
// Failures: "Presentation not of the required form" for a relator that is not a sequence of sign,
// optional decimal exponent (at most 32 bits) and generator letter; "Out of memory" for a relator
// whose exponents spell out more than 2,000,000 characters. A relator that phi does not send to 0
// is reported in the result; the remaining steps still run.

#include <array>
#include <cstddef>
#include <cstdint>

#include "base/random_generator.h"
#include "base/result.h"
#include "base/run_control.h"
#include "group/presentation.h"
#include "group/word.h"
#include "simplify/simplification.h"
#include "simplify/simplification_progress.h"

namespace quarvel {

// What the simplification gives besides the rewritten presentation.
struct Simplified {
  Simplification simplification;
  bool phiWellDefined = true;  // phi sends every relator to 0
  bool stopped = false;        // a stop request cut the trials short
};

enum class WrittenForm { expanded, malformed, tooLong };

// Expands written form (+3a-b) to plain form (+a+a+a-b). A relator whose plain form would pass
// 2,000,000 characters (the size at which the elimination trials stop) is tooLong and not expanded.
WrittenForm ExpandWrittenForm(const Word& relator, Word& plain);

// Deletes "-x+x" and "+x-x" inside relators longer than 4 characters, then a leading and trailing
// pair that cancel cyclically; 15 passes over the first `letterCount` generator letters.
void ReduceRelators(Presentation& presentation, int64_t letterCount);

// Relator numbers sorted by ascending length with the exchange sort that fixes the order of equals.
void OrderRelatorsByLength(const Presentation& presentation, std::array<int32_t, kMaxRelators + 1>& order);

// Simplifies the presentation in place with `effort` elimination trials (none at 0): its relators
// become the simplified ones, the input relators the relators in plain form. On a failure the
// presentation is as it was.
Result<Simplified> SimplifyPresentation(Presentation& presentation, int64_t effort, RandomGenerator& random,
                                        RunControl& control, SimplificationProgress& progress);

// Lists the surviving generators, the present ones (generatorUsed) that no substitution record
// eliminated, ascending in generatorLetters 1..generatorCount. A generator that no relator uses any
// more survives as a free factor (a split link's or an unlink's component): it needs an image and
// a matrix block like every other.
void ListSurvivingGenerators(Presentation& presentation, const Simplification& simplification);

// The effort a run gives a braid: halved once for each of the lengths 30, 50 and 70 characters
// that the braid text exceeds, rounding halves to even (50 -> 25 -> 12 -> 6, 150 -> 75 -> 38 -> 19).
int32_t EffortForBraidLength(int32_t effort, size_t braidLength);

}  // namespace quarvel
