#pragma once
// Dense polynomials over F_p of any degree: finished twisted Alexander polynomials, diagonal
// entries, isotopy products. A Laurent polynomial is stored after multiplying it by the power of t
// that makes its lowest term t^0. The residues are kept without trailing zeros, so the zero
// polynomial holds none and two polynomials are equal exactly when their residues are.

#include <cstdint>
#include <string>
#include <vector>

#include "poly/field.h"

namespace quarvel {

struct Polynomial {
  std::vector<Residue> coefficients;  // index = exponent of t; the last one is nonzero

  friend bool operator==(const Polynomial&, const Polynomial&) = default;
};

// Highest exponent with a nonzero residue; -1 for zero.
int32_t PolyDegree(const Polynomial& f);

// The residue at exponent e; 0 above the degree.
Residue PolyCoefficient(const Polynomial& f, int32_t e);

// Stores v at exponent e >= 0, growing or trimming the residues as needed.
void PolySetCoefficient(Polynomial& f, int32_t e, Residue v);

// The polynomial with these residues (index = exponent), trailing zeros dropped.
Polynomial PolyFromCoefficients(std::vector<Residue> coefficients);

// The product up to a unit, into result (which may be f or g):
// - f with exactly one nonzero coefficient (a unit c*t^m) gives g unchanged;
// - otherwise g with exactly one nonzero coefficient gives f unchanged;
// - otherwise the full product.
void PolyMultiply(const PrimeField& field, const Polynomial& f, const Polynomial& g, Polynomial& result);

// The text of f: terms in ascending order as "+", coefficient, power, with the leading "+" replaced
// by a blank and " 0" for zero. With shift the exponents count from the lowest term. The
// coefficient 1 is left out before a power of t; the power is "t" or "t^" and the exponent, which
// braces wraps in "{...}" from two digits on (LaTeX); star puts "*" between coefficient and power.
// Example: 1 + 2t + t^12 is " 1+2t+t^12", with star and braces " 1+2*t+t^{12}".
std::string PolyToText(const Polynomial& f, bool shift, bool star, bool braces);

}  // namespace quarvel
