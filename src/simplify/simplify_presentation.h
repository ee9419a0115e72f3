#pragma once
// Simplification of the presentation: normal form of the relators, the check that phi is well
// defined, the elimination trials (elimination_trials.h) when the effort is above 0, then 15
// passes of free and cyclic reduction, the removal of eliminated relators, and the relator order.
// stopRequested during the trials leaves the best trial so far, unreduced and uncompacted.
//
// Failures: "Presentation not of the required form" for a relator that is not a sequence of sign,
// optional decimal exponent (at most 32 bits) and generator letter; " Homomorphism phi is not
// well--defined " for a relator that phi does not send to 0 (the remaining steps still run).

#include "control/workbench.h"
#include "group/word.h"

namespace quarvel {

// Expands written form (+3a-b) to plain form (+a+a+a-b); false when the relator is malformed.
bool ExpandWrittenForm(const Word& relator, Word& plain);

// Deletes "-x+x" and "+x-x" inside relators longer than 4 characters, then a leading and trailing
// pair that cancel cyclically; 15 passes over the first `letterCount` generator letters.
void ReduceRelators(Presentation& presentation, int64_t letterCount);

// Relator numbers sorted by ascending length with the exchange sort that fixes the order of equals.
void OrderRelatorsByLength(const Presentation& presentation, std::array<int32_t, kMaxRelators + 1>& order);

void SimplifyPresentation(Workbench& workbench);

}  // namespace quarvel
