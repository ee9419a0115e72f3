#pragma once
// The twisted Fox matrix over Q[t] for presentations of deficiency one: the block rows of generator
// positions 1 .. n-1 and the block columns of all m relators, blocks of size k (the degree of the
// representation), built like the matrix over F_p (fox_matrix.h) but with rational coefficients
// and without the generator scalars. The representations used here are permutation
// representations, whose prefix products are 0/1 matrices whatever the prime.
//
// While it is built an entry holds exponent e at slot e + 13. The prefix exponent along a relator
// must stay within -12 .. 12 (and every term inside the slots 0 .. 27); otherwise the build stops
// with computationFailed and "Program error - degree". At the end each row is multiplied by the
// power of t that makes its lowest term t^0, so the entries are polynomials.

#include "alexander/rational_determinant.h"
#include "base/failure.h"
#include "group/presentation.h"
#include "reps/representation.h"

namespace quarvel {

// Fills rows 1 .. k(n-1) and columns 1 .. km of `matrix` (everything else zero) from the
// presentation, phi and the representation's matrices, the prefix products taken modulo `prime`.
// `failure` is the state of the rational computation this build is part of. Returns false when
// it records a failed computation already or the matrix is too small (then nothing is touched),
// and when a generator of the relators has no k x k matrices or on the failure above (then the
// matrix is incomplete). Clears the integer polynomial error flag first.
bool BuildRationalFoxMatrix(const Presentation& presentation, const Representation& representation, int64_t k,
                            int32_t prime, RationalMatrix& matrix, FailureState& failure);

// The same for the trivial representation of degree 1 (the classical Fox matrix).
bool BuildUntwistedRationalFoxMatrix(const Presentation& presentation, int32_t prime, RationalMatrix& matrix,
                                     FailureState& failure);

}  // namespace quarvel
