#pragma once
// The twisted Alexander polynomial of one representation as a value: the twisted Fox matrix
// (fox_matrix.h) reduced (reduce_matrix.h) in a matrix store the caller lends, so that one store
// serves a whole series of representations.
//
// The polynomial is normalised to lowest term t^0 and constant term 1 (exact up to a unit). Where
// the module has positive rank it is 0 unless keepTorsion asks for the torsion polynomial (the
// product of the nonzero diagonal entries). Fails with the message the run would show ("Out of
// memory", "Program error", ...) and with kStoppedMessage when the run control asked to stop.

#include <cstdint>

#include "base/result.h"
#include "base/run_control.h"
#include "group/presentation.h"
#include "poly/field.h"
#include "poly/poly_matrix.h"
#include "poly/polynomial.h"
#include "reps/representation.h"

namespace quarvel {

inline constexpr const char* kStoppedMessage = "Stopped";

struct TwistedPolynomial {
  Polynomial polynomial;
  int32_t rankOfTorsionFreePart = 0;
  bool positiveRank = false;
};

// The polynomial of the representation's k x k matrices over the field, for the surviving
// generators of a simplified presentation (generatorLetters 1..generatorCount).
Result<TwistedPolynomial> TwistedAlexanderPolynomial(const Presentation& presentation,
                                                     const Representation& representation, int64_t k,
                                                     const PrimeField& field, bool keepTorsion,
                                                     RunControl& control, PolyMatrix& store);

// The representation that sends every generator to the 1 x 1 matrix [1] with scalar 1: its
// polynomial is the (untwisted) Alexander polynomial over F_p.
Representation TrivialRepresentation();

}  // namespace quarvel
