#pragma once
// Diagonalises the presentation matrix over the principal ideal domain F_p[t^(+-1)] and takes the
// twisted Alexander polynomial from the diagonal.
//
// The matrix occupies rows 1 .. k*blockRows and columns 1 .. k*blockColumns of the store (k the
// degree of the representation), and no entry holds a negative exponent. For each diagonal
// position s = 1 .. N, N = k * min(blockRows, blockColumns), passes of leading-term elimination
// with a pivot of smallest entry degree (ties to the leftmost column in a row, the topmost row in
// a column) are repeated until row s and column s hold nothing but (s, s); then the common powers
// of t are divided out of rows s.. and columns s... The matrix ends diagonal.
//
// Results in wb.twisted: the product of the nonzero diagonal entries, normalised to lowest term
// t^0 and constant term 1 (exact up to a unit); the rank of the torsion-free part and the
// positive-rank flag, which are 0 and false unless count = k*blockRows minus the number of nonzero
// diagonal entries exceeds k. Then the rank is count - k, and without the keep-torsion switch the
// polynomial becomes 0.
//
// Progress: with N >= 21 a status line on the output panel at y = output line + 22, every 72nd
// pass, blanked at the end. The window is pumped on every pass; a pause waits, a stop request or
// a failed computation returns at once and leaves the results as they were (the matrix is left as
// far as it got). A subtraction that would put a term above exponent 10000 raises the polynomial
// error flag with "Out of memory" and ends the reduction the same way: the store would drop that
// term, so every result after it would be wrong, and both drivers end the run on the flag. A
// diagonal entry or a product above degree 5000 raises the flag while the results are taken.
//
// Returns the count, or -1 when it returned without results.

#include <cstdint>

#include "run/workbench.h"

namespace quarvel {

int32_t ReduceMatrix(Workbench& wb, int64_t blockRows, int64_t blockColumns);

}  // namespace quarvel
