#pragma once
// The invariants over Q (integer_alexander.h) as a stage of the norm mode: the Alexander
// polynomial over Z in the trivial pass, the Wada invariant of the representation in every later
// pass, for the kinds with 0/1 matrices.

#include "run/workbench.h"

namespace quarvel {

// Sets wb.evaluation.integerAlexanderText in the trivial pass (and empties wadaText, which belongs
// to the knot before), wb.evaluation.wadaText otherwise; the text is emptied first. Does nothing
// more when a failure is already recorded. The failures of the rational computation are recorded
// on wb.failure.
void IntegerAlexanderAndWada(Workbench& wb);

}  // namespace quarvel
