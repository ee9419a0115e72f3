#pragma once
// The zeroth and second twisted Alexander polynomials, whose degrees the genus and norm bounds
// subtract. Each is the polynomial of a matrix of one block row and one block column per generator
// position i (generator g = generatorLetters[i]), reduced by Reduce (reduce_matrix.h) with one
// block row and n block columns:
//   zeroth: I - (A(g)^-1)^T t^(-phi(g)), the image of the conjugate of 1 - g;
//   second: I - A(g) t^(phi(g)), only for closed manifolds (group type 3).
// The generator scalars take no part.

#include <cstdint>

#include "base/failure.h"
#include "group/presentation.h"
#include "poly/field.h"
#include "poly/poly_matrix.h"
#include "reps/representation.h"

namespace quarvel {

struct GeneratorBlockMatrix {
  // False when the blocks do not fit the store or a generator has no k x k matrices: a
  // "Program error" in `failures`, and nothing to reduce.
  bool built = false;
  // The failures met, as the run records them: besides the above, a phi outside the store's
  // exponents and a row power that does not fit ("Out of memory").
  FailureState failures;
};

// Fills the store (emptied first) with the matrix of the zeroth polynomial, row powers normalised.
GeneratorBlockMatrix ZerothPolynomialMatrix(const Presentation& presentation,
                                            const Representation& representation, int64_t k,
                                            const PrimeField& field, PolyMatrix& matrix);

// The same for the second polynomial.
GeneratorBlockMatrix SecondPolynomialMatrix(const Presentation& presentation,
                                            const Representation& representation, int64_t k,
                                            const PrimeField& field, PolyMatrix& matrix);

}  // namespace quarvel
