#pragma once
// A fibration-and-norm run over a knot list (lists/knot_list.h): which knot comes next, and the
// result line each knot leaves in the file. The file is the only memory of the run, so a run can
// be stopped at any time and resumed later with the same or another size.
//
// A pass at size k takes the first knot line whose result part carries no token "<k>y" or "<k>n"
// (found or found no nontrivial representation of that size) and does not already meet the stop
// condition ("3y".."9y" for the first representation, "not fibered", "(improved)", "zero twisted
// Alexander polynomial"); "new" in the result part of a processed line makes it be taken in any
// case. A knot that could not be computed (its braid unreadable, too many generators, its
// computation failed) gets the
// line "<name>: not computed: <reason>  braid {...}" and is passed over, and counts as done, until
// it is marked "new". `listSatisfied` stays on only when every knot line read on the way is
// processed and meets the stop condition or was not computed; an unprocessed line keeps it off, so
// a fresh list is walked knot after knot. A list without any knot line counts as satisfied.
//
// The result line keeps its fields at minimum columns: the name and ":" padded to 14, the
// untwisted polynomial, "reps of dim" with the size tokens at column 63, "genus>=" and the bound
// at column 85, " (improved) ", the fibering verdict, the vanishing note, "generators>=", and
// "braid " with the braid. A knot with more than 30 generators is not computed ("Too many
// generators!").

#include <cstdint>
#include <string>
#include <string_view>

#include "run/workbench.h"

namespace quarvel {

// The size of the first pass, from `from` on, that takes the line; 0 when none does (no knot
// line, not computed, or it meets the stop condition). A knot's passes depend only on its own
// line: a line that lacks what the stop condition asks for keeps the run going, so the next pass
// that lacks its size token takes it.
int64_t NormPassTaking(std::string_view line, int64_t from, StopCondition stopCondition);

// True when the current knot's computation failed.
bool KnotFailed(const FailureState& failure);

// Finds the next knot of the list at `listPath` for the pass at size wb.current.degreeK, sets
// run.listLineNumber, run.listDone and run.listSatisfied, and prepares the knot's presentation
// from its braid; writes "Knot number <n> Name: knot<name>" on panel 5. A knot whose braid cannot
// be built is recorded as not computed and the walk goes on. A list that cannot be read or
// rewritten sets the failure.
void NextListKnot(Workbench& workbench, const std::string& listPath);

// Records the current knot, whose computation failed, as not computed with the failure's message
// as the reason, and clears the failure; false with the failure set when the list cannot be
// rewritten.
bool RecordFailedListKnot(Workbench& workbench, const std::string& listPath);

// Rewrites the current knot's line (run.listLineNumber) with its results, merged with what the
// line already held: an earlier "not fibered", the better of the two bounds, the earlier size
// tokens and generator bound. The best bound keeps the bound written. Each knot written or recorded
// as not computed is reported to the surface as one progress line.
void WriteListResult(Workbench& workbench, const std::string& listPath);

}  // namespace quarvel
