#pragma once
// The evaluation of one representation over one field: reduce the twisted Fox matrix, turn the
// degree of the twisted Alexander polynomial into a lower bound on the genus of a knot or on the
// Thurston norm of phi,
//   ||phi|| >= (deg Delta - D) / k,   genus >= ((deg Delta - D) / (k d) + 1 + b3) / 2,
// with D the zeroth correction of the representation kind (b3 = 1 for a closed manifold) and d the
// gcd of phi on the generators (phi = d phi_0, phi_0 primitive; PhiMultiple), keep the
// best bound of the knot, test the degrees against fibering, show everything and set the verdicts
// that the stop conditions and the reports read. The report files the options ask for are written
// on the way: the matrix, LaTeX rows and GAP file before the reduction, the completed matrix file
// right after it, and the results file (not in the trivial pass) at the end.
//
// Panels: the results go on the output panel (wb.run.outputPanel), one line every 15 pixels from
// wb.run.outputLine; panel 6 holds "Number of solutions" at (7, 7) and the fibering verdict at
// (7, 22); panel 7 holds the best bound at (7, 7) and the non-monic verdict at (7, 172); panel 2
// the pointer to the LaTeX report at (7, 7).

#include <string>

#include "run/workbench.h"

namespace quarvel {

struct ZerothCorrection {
  int64_t bound = 0;  // D, used for the bounds
  int64_t low = 0;    // D_lo and D_hi: the degree interval a fibered manifold allows
  int64_t high = 0;
};

// D, D_lo and D_hi of the current representation kind.
ZerothCorrection ZerothCorrectionFor(const Workbench& workbench);

// The bound with exactly two decimals, rounded to nearest.
std::string TwoDecimals(double value);

// The integer part of (bound + 0.9999).
std::string BoundText(double bound);

void EvaluateRepresentation(Workbench& workbench);

}  // namespace quarvel
