#pragma once
// Dense polynomials over F_p with exponents 0 .. 5000: finished twisted Alexander polynomials,
// diagonal entries, isotopy products. A Laurent polynomial is stored after multiplying it by the
// power of t that makes its lowest term t^0. The zero polynomial has all residues 0 and degree -1.

#include <array>
#include <cstdint>
#include <string>

#include "base/failure.h"
#include "poly/field.h"

namespace quarvel {

inline constexpr int32_t kPolyMaxExponent = 5000;

struct Polynomial {
  std::array<Residue, kPolyMaxExponent + 1> coefficients{};  // index = exponent of t

  friend bool operator==(const Polynomial&, const Polynomial&) = default;
};

// Highest exponent with a nonzero residue; -1 for zero.
int32_t PolyDegree(const Polynomial& f);

// The product up to a unit, into result (which may be f or g):
// - f with exactly one nonzero coefficient (a unit c*t^m) gives g unchanged;
// - otherwise g with exactly one nonzero coefficient gives f unchanged;
// - otherwise a product beyond degree 5000 (zero counting as degree 0) raises the polynomial error
//   flag with "Out of memory" and leaves result as it was;
// - otherwise the full product.
void PolyMultiply(const PrimeField& field, const Polynomial& f, const Polynomial& g, Polynomial& result,
                  FailureState& failure);

// The text of f: terms in ascending order as "+", coefficient, power, with the leading "+" replaced
// by a blank and " 0" for zero. With shift the exponents count from the lowest term. The
// coefficient 1 is left out before a power of t; the power is "t" or "t^" and the exponent, which
// braces wraps in "{...}" from two digits on (LaTeX); star puts "*" between coefficient and power.
// Example: 1 + 2t + t^12 is " 1+2t+t^12", with star and braces " 1+2*t+t^{12}".
std::string PolyToText(const Polynomial& f, bool shift, bool star, bool braces);

}  // namespace quarvel
