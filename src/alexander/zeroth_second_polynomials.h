#pragma once
// The zeroth and second twisted Alexander polynomials, whose degrees the genus and norm bounds
// subtract. Each builds a matrix of one block row and one block column per generator position i
// (generator g = generatorLetters[i]) in the matrix store and reduces it:
//   zeroth: I - (A(g)^-1)^T t^(-phi(g)), the image of the conjugate of 1 - g;
//   second: I - A(g) t^(phi(g)), only for closed manifolds (group type 3).
// The generator scalars take no part. Both leave the store to be overwritten and do nothing when
// the computation has failed already.

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
