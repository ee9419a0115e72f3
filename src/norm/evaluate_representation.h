#pragma once
// The evaluation of one representation over one field: reduce the twisted Fox matrix, turn the
// degree of the twisted Alexander polynomial into a lower bound on the genus of a knot or on the
// Thurston norm of phi (genus_norm_bounds.h), keep the best bound of the knot, test the degrees
// against fibering (verdicts.h), show everything and set the verdicts that the stop conditions and
// the reports read. The report files the options ask for are written on the way: the matrix, LaTeX
// rows and GAP file before the reduction, the completed matrix file right after it, and the
// results file (not in the trivial pass) at the end.
//
// Panels: the results go on the output panel (wb.run.outputPanel), one line every 15 pixels from
// wb.run.outputLine; panel 6 holds "Number of solutions" at (7, 7) and the fibering verdict at
// (7, 22); panel 7 holds the best bound at (7, 7) and the non-monic verdict at (7, 172); panel 2
// the pointer to the LaTeX report at (7, 7).

#include "run/workbench.h"

namespace quarvel {

void EvaluateRepresentation(Workbench& workbench);

}  // namespace quarvel
