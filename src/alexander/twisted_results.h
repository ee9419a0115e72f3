#pragma once
// What the reduction of a twisted Fox matrix and the zeroth and second polynomials leave for the
// bounds and the reports.

#include <cstdint>

#include "poly/polynomial.h"

namespace quarvel {

struct TwistedResults {
  // The product of the nonzero diagonal entries, lowest term t^0 and constant term 1.
  Polynomial twistedPolynomial;
  int32_t rankOfTorsionFreePart = 0;
  bool positiveRank = false;
  int32_t deg0 = 0;  // degree of the zeroth twisted polynomial
  int32_t deg2 = 0;  // degree of the second (0 unless the manifold is closed)
  Polynomial zerothPolynomial;
  Polynomial secondPolynomial;  // 1 unless the manifold is closed
};

}  // namespace quarvel
