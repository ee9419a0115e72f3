#pragma once
// An isotopy run over a knot list (lists/knot_list.h): the next knot to compute, and the result
// line it leaves in the file. A knot line whose result part carries "degree" is processed and is
// skipped when the list is read again (replacing "degree" by "new" makes it be computed again), so
// a stopped run resumes with the first knot not yet done. Blank lines, comments and lines that are
// no knot lines are kept and skipped.
//
// The result line reads
//   <name padded to 15>: degree = <D>, number of reps: <H'>, ... Polynomial = <T>,  Braid: {...}
//   followed by "  product hash <16 hexadecimal digits>"
// with D the degree of the product polynomial, H' the number of classes, T its short text and the
// hash that of the product's full text ("s1": the untwisted polynomial's degree and text, and no
// number of reps). Two knots are not told apart when their lines show the same number of classes
// and the same T and, where both lines carry a hash, the same hash (lines written before the hash
// was added compare by T). Both then get "Repeated! " right after the name and its padding (a line
// is marked once), and after the "end" line the section "List of knots which could not be
// distinguished:" lists every marked line up to the current knot, in place of the earlier section;
// the other notes after "end" are kept. A knot that cannot be computed gets the line
// "<name>: not computed: <reason>  braid {...}" and is skipped like a processed one.

#include <cstdint>
#include <string>
#include <string_view>

#include "lists/knot_list.h"
#include "run/workbench.h"

namespace quarvel {

// The polynomial text + " mod " + p as a result line shows it: whole up to 80 characters, else the
// first 30 characters lengthened to end with a sign, "....", and the last 21 lengthened at their
// front to begin with one.
std::string ShortPolynomialText(const std::string& text);

// Whether a run takes the line as a knot still to compute: a knot line without a result or a
// not-computed mark, or marked "new".
bool IsotopyKnotPending(std::string_view line);

// Puts the result line of the knot at line `current` (as a run on that knot alone writes it, no
// "Repeated! " mark) into the list as a run over the whole list does: marks it and the earlier
// lines it is not told apart from, and renews the closing section. Returns whether it repeats an
// earlier knot.
bool ApplyIsotopyResult(KnotList& list, int64_t current, const std::string& resultLine);

// Finds the next knot of the list at `listPath` that is not processed, sets isotopy.listLineNumber
// and the braid text, writes "Knot number <n>,  Name: knot<name>" on the header panel and prepares
// the presentation; a knot whose braid cannot be built is recorded as not computed and the walk
// goes on. At the list's end sets isotopy.listDone instead. A list that cannot be read or
// rewritten sets the failure.
void NextIsotopyKnot(Workbench& workbench, const std::string& listPath);

// Records the current knot, whose computation failed, as not computed with the failure's message
// as the reason, and clears the failure; false with the failure set when the list cannot be
// rewritten.
bool RecordFailedIsotopyKnot(Workbench& workbench, const std::string& listPath);

// Rewrites the list with the current knot's result line, the "Repeated! " marks and the closing
// section. Does nothing once stopRequested is set: the knot is computed again on the next run.
// Each knot written or recorded as not computed is reported to the surface as one progress line.
void RecordIsotopyResult(Workbench& workbench, const std::string& listPath);

}  // namespace quarvel
