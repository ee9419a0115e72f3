#pragma once
// Polynomials over Q with exponents 0 .. 27, for the Alexander polynomial over Z and the Wada
// invariant. The degree is the highest exponent with a nonzero numerator, -1 for zero; every
// operation below leaves it recomputed. Coefficients are in normal form (rational_number.h).
//
// Failures raise the integer polynomial error flag with a short code:
//   "p11maxpcoeff"  RationalPolynomialMultiply: product degree above 26
//   "maxpcoeff"     StripPowerOfT: lowest term at exponent 27
//   "11"            DivideExactly: division by the zero polynomial
// and the codes of the rational arithmetic.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/failure.h"
#include "poly/rational_number.h"

namespace quarvel {

inline constexpr int32_t kRationalSlots = 28;  // exponents 0 .. 27
inline constexpr int64_t kRationalMaxProductDegree = 26;

struct RationalPolynomial {
  int64_t degree = -1;
  std::array<RationalNumber, kRationalSlots> coefficients{};  // index = exponent of t

  friend bool operator==(const RationalPolynomial&, const RationalPolynomial&) = default;
};

RationalPolynomial ZeroRationalPolynomial();
RationalPolynomial OneRationalPolynomial();
// c t^exponent, 0 <= exponent <= 27.
RationalPolynomial RationalMonomial(RationalNumber c, int32_t exponent);

// The highest exponent with a nonzero numerator, -1 for zero.
int64_t RationalPolynomialDegree(const RationalPolynomial& f);

// f + g, coefficient by coefficient.
RationalPolynomial RationalPolynomialAdd(const RationalPolynomial& f, const RationalPolynomial& g,
                                         FailureState& failure);

RationalPolynomial RationalPolynomialNegate(const RationalPolynomial& f, FailureState& failure);

// f g. A zero factor gives zero. Beyond degree 26: "p11maxpcoeff" and the zero polynomial.
RationalPolynomial RationalPolynomialMultiply(const RationalPolynomial& f, const RationalPolynomial& g,
                                              FailureState& failure);

// f divided by its lowest power of t, so that its lowest term is t^0; zero stays zero. A lowest
// term at exponent 27 raises "maxpcoeff" and returns f unchanged.
RationalPolynomial StripPowerOfT(const RationalPolynomial& f, FailureState& failure);

// The quotient f / g by long division over the leading terms: none as soon as a quotient
// coefficient is not an integer, none when the remainder is not zero. A zero g raises "11"; a
// failure of the arithmetic also gives none.
std::optional<RationalPolynomial> DivideExactly(const RationalPolynomial& f, const RationalPolynomial& g,
                                                FailureState& failure);

// Terms in ascending order, zero coefficients skipped: "+" before every positive term but the
// first, "-" before a negative one, then the absolute value (an integer, left out when it is 1 before
// a power of t, or numerator "/" denominator), then "t" or "t^{" exponent "}". Zero is "0".
// Example: 3 - 2t + t^2/3 is 3-2t+1/3t^{2}.
std::string RationalPolynomialToText(const RationalPolynomial& f);

}  // namespace quarvel
