#pragma once
// The twisted Fox matrix: the presentation matrix of H_1(M, pt; F_p[t^(+-1)]^k) for the
// representation, tensored with phi.
//
// Block row i belongs to generator position i, block column j to relator j; entry
// ((i-1)k + a, (j-1)k + b) is row a, column b of block (i, j). Block (i, j) is the sum, over the
// occurrences of x = generatorLetters[i] in relator j, of sigma * s(w) * rho(w)^T * t^(-phi(w)),
// where w is the part of the relator before the occurrence (sigma = +) or up to and including it
// (sigma = -), rho(w) the product of the generator matrices A(g)^(+-1) along w, s(w) the product of
// the generator scalars s(g)^(+-1) and phi(w) the sum of the +-phi(g). The matrix entries are the
// representation's integers brought into [0, p).

#include <cstdint>

#include "base/failure.h"
#include "base/run_control.h"
#include "group/presentation.h"
#include "poly/field.h"
#include "poly/poly_matrix.h"
#include "reps/representation.h"

namespace quarvel {

// Fills rows 1 .. k*n and columns 1 .. k*m of the matrix store (n generators, m relators, k the
// degree) and normalises the row powers; the rest of the store is emptied. The store is the
// caller's so that its storage serves every representation of a run. Returns the failures met, as
// the run records them, the last message last: a prefix exponent below -48 fails with
// "Program error" (the build runs on), and so do sizes beyond the store and a generator without
// k x k matrices (nothing built); a term beyond 32-bit exponents, or past the store's byte
// ceiling, raises "Out of memory". The run control is pumped once per generator-relator pair and once at the
// end.
FailureState TwistedFoxMatrix(const Presentation& presentation, const Representation& representation,
                              int64_t k, const PrimeField& field, RunControl& control, PolyMatrix& matrix);

// Multiplies each row 1 .. k*blockRows by the power of t that makes its lowest exponent over
// columns 1 .. k*blockColumns zero; afterwards no entry holds a negative exponent. The lowest
// exponent of an entry is that of the store (an entry whose terms cancelled counts with its entry
// degree); empty entries do not count. Returns the store's failures.
FailureState NormaliseRowPowers(PolyMatrix& matrix, int64_t k, int64_t blockRows, int64_t blockColumns);

}  // namespace quarvel
