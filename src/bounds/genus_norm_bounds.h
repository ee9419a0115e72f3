#pragma once
// Lower bounds from the degree of a twisted Alexander polynomial: on the Thurston norm of phi and
// on the genus of a knot,
//   ||phi|| >= (deg Delta - D) / k,   genus >= ((deg Delta - D) / (k d) + 1 + b3) / 2,
// with D the zeroth correction of the representation kind (b3 = 1 for a closed manifold) and d the
// gcd of phi on the generators (phi = d phi_0, phi_0 primitive; PhiMultiple).
//
// The twisted Fox matrix of phi is that of phi_0 with t^d for t, and substituting t^d keeps the
// diagonal form of a reduction, so every twisted polynomial of phi is that of phi_0 in t^d: all
// degrees are d times those of phi_0. The Thurston norm is linear, x(phi) = d x(phi_0):
// (deg - D) / k bounds x(phi) as it stands, while the genus of a knot is (x(phi_0) + 1) / 2 and
// takes that bound divided by d. The degree offsets known for a primitive class (1 + b3: the
// untwisted zeroth and second polynomials, and the abelian and metabelian zeroth corrections) are
// d times as large.

#include <cstdint>
#include <string>

#include "base/option_codes.h"

namespace quarvel {

struct ZerothCorrection {
  int64_t bound = 0;  // D, used for the bounds
  int64_t low = 0;    // D_lo and D_hi: the degree interval a fibered manifold allows
  int64_t high = 0;
};

// D, D_lo and D_hi of a representation kind (repFamily) of degree k: in the trivial pass 1 + b3;
// abelian (d (1 + b3) k, 0, d (1 + b3) k); metabelian d (1 + b3) throughout; otherwise the sum of
// the degrees of the zeroth and second twisted polynomials throughout. D is at least that sum.
ZerothCorrection ZerothCorrectionFor(bool trivialPass, RepFamily repFamily, int64_t k, int64_t b3,
                                     int64_t phiMultiple, int64_t zerothAndSecondDegrees);

struct GenusNormBounds {
  double genus = 0;
  double norm = 0;
};

// The two bounds above, each at least 0; both 0 when the module has positive rank.
GenusNormBounds BoundsFromDegree(int32_t twistedDegree, int64_t correction, int64_t k, int64_t phiMultiple,
                                 int64_t b3, bool positiveRank);

// The bound with exactly two decimals, rounded to nearest.
std::string TwoDecimals(double value);

// The integer part of (bound + 0.9999).
std::string BoundText(double bound);

}  // namespace quarvel
