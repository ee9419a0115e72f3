#pragma once
// The zeroth and second twisted Alexander polynomials of the workbench's representation as stages
// of the norm mode (zeroth_second_polynomials.h): each builds its matrix in wb.matrix, reduces it,
// takes the degree of wb.twisted's polynomial and shows it. Both leave the store to be
// overwritten and do nothing when the computation has failed already; when the blocks do not fit
// they stop at the failure, and when the reduction gives no results the degree is that of the
// polynomial wb.twisted holds.

#include "run/workbench.h"

namespace quarvel {

// Sets wb.twisted.deg0 and, outside the trivial pass, shows it on the output panel at the saved
// panel position (set to output line + 7 when still 0); the output line moves 8 below it.
void ZerothTwistedPolynomial(Workbench& wb);

// Sets wb.twisted.deg2 (0 unless the group type is 3) and, outside the trivial pass, shows it 15
// below the saved panel position (set to output line + 22 when still 0); the output line moves 23
// below the saved position.
void SecondTwistedPolynomial(Workbench& wb);

}  // namespace quarvel
