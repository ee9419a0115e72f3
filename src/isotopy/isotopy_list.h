#pragma once
// An isotopy run over a knot list (group/knot_list.h): the next knot to compute, and the result
// line it leaves in the file. A processed line carries "degree" and is skipped when the list is
// read again (replacing "degree" by "new" makes it be computed again), so a stopped run resumes
// with the first knot not yet done.
//
// The result line reads
//   <name padded to 15>: degree = <D>, number of reps: <H'>, ... Polynomial = <T>,  Braid: {...}
// with D the degree of the product polynomial, H' the number of classes and T its short text
// ("s1": the untwisted polynomial's degree and text, and no number of reps). A line whose text T
// an earlier line already carries is a repeat: both get "Repeated! " after their 15th character
// (a line is marked once), and after the "end" line the section "List of knots which could not be
// distinguished:" lists every marked line up to the current knot. Comment lines ("%") are neither
// knots nor compared.

#include <string>

#include "control/workbench.h"

namespace quarvel {

// The polynomial text + " mod " + p as a result line shows it: whole up to 80 characters, else the
// first 30 characters lengthened to end with a sign, "....", and the last 21 lengthened at their
// front to begin with one.
std::string ShortPolynomialText(const std::string& text);

// Finds the next knot of the list at `listPath` that is not processed, sets isotopy.listLineNumber
// and the braid text, writes "Knot number <n>,  Name: knot<name>" on the header panel and prepares
// the presentation; at the list's end (or an empty line) sets isotopy.listDone instead. A list that
// cannot be read sets the failure.
void NextIsotopyKnot(Workbench& workbench, const std::string& listPath);

// Rewrites the list with the current knot's result line, the "Repeated! " marks and the closing
// section. Does nothing once stopRequested is set: the knot is computed again on the next run.
void RecordIsotopyResult(Workbench& workbench, const std::string& listPath);

}  // namespace quarvel
