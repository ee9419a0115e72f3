#pragma once
// The invariants over Q of a presentation of deficiency one (n generators, n - 1 relators), as
// texts for the reports:
// - in the trivial pass, the Alexander polynomial over Z: the determinant of the Fox matrix without
//   the row of the last generator, up to sign and powers of t;
// - in every later pass, the Wada invariant of the representation: that determinant for the
//   representation's Fox matrix, N, over D = det(I - A(g) t^|phi(g)|), g the generator at position
//   n, written "(N) / (D)"; or, when D = (1 - t) Q, N = Q R and R = U S exactly, with U the
//   Alexander polynomial over Z, "(U)(S) / (t-1)". Each polynomial is stripped of its power of t.
//
// Only the permutation and metabelian kinds without the reduced representation qualify (their
// matrices are 0/1 matrices), and only small matrices: the Fox matrix of k (n - 1) <= 20 rows is
// built (a prefix exponent beyond -12 .. 12 fails with "Program error - degree"), its determinant is
// taken only for k (n - 1) <= 6; D needs phi(g) != 0. Whatever is skipped leaves the text empty. A
// failure of the rational arithmetic raises the integer polynomial error flag and leaves the text
// empty; it does not stop the run. The prefix products are taken modulo `prime`, which does not
// change 0/1 matrices.

#include <cstdint>
#include <string>
#include <vector>

#include "base/failure.h"
#include "base/option_codes.h"
#include "base/result.h"
#include "group/presentation.h"
#include "reps/representation.h"

namespace quarvel {

struct RationalInvariant {
  std::string text;       // empty when skipped or failed
  FailureState failures;  // as the run records them
};

// Whether a representation kind has 0/1 matrices, which the invariants over Q need.
bool HasZeroOneMatrices(RepFamily repFamily, bool reducedPermutationRep);

// The Alexander polynomial over Z, from the trivial pass's presentation and representation.
RationalInvariant IntegerAlexanderPolynomial(const Presentation& presentation,
                                             const Representation& representation, int64_t k, int32_t prime);

// The Wada invariant of the representation.
RationalInvariant WadaInvariant(const Presentation& presentation, const Representation& representation,
                                int64_t k, int32_t prime);

// The Alexander polynomial over Z of a presentation of deficiency one with at most 7 generators,
// as the trivial pass takes it: lowest term t^0, up to sign; the coefficients by exponent. Fails
// with kIntegerAlexanderSizeMessage for other presentations, and with the code of the rational
// arithmetic ("p11maxpcoeff", ...) when it overflows.
inline constexpr const char* kIntegerAlexanderSizeMessage =
    "The Alexander polynomial over Z needs n generators and n - 1 relators, n at most 7";
Result<std::vector<int64_t>> AlexanderPolynomialOverZ(const Presentation& presentation, int32_t prime);

}  // namespace quarvel
