#pragma once
// Helpers of the tests of the invariants over Q: reading polynomial texts back, comparing up to
// sign, reducing modulo p, and presentations read from a file.

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "alexander_test_support.h"
#include "poly/polynomial.h"
#include "poly/rational_polynomial.h"
#include "run/prepare_presentation.h"

namespace quarvel::testing {

// The polynomial of a text written by RationalPolynomialToText ("3-2t+1/3t^{2}").
inline RationalPolynomial ParseRationalText(const std::string& text) {
  RationalPolynomial f;
  size_t i = 0;
  auto number = [&] {
    int64_t value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
      value = 10 * value + (text[i++] - '0');
    return value;
  };
  while (i < text.size()) {
    int64_t sign = 1;
    if (text[i] == '+' || text[i] == '-') sign = text[i++] == '-' ? -1 : 1;
    const bool written = i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
    RationalNumber c{written ? number() : 1, 1};
    if (i < text.size() && text[i] == '/') {
      ++i;
      c.denominator = number();
    }
    int32_t exponent = 0;
    if (i < text.size() && text[i] == 't') {
      ++i;
      exponent = 1;
      if (text.compare(i, 2, "^{") == 0) {
        i += 2;
        exponent = static_cast<int32_t>(number());
        ++i;  // "}"
      }
    }
    c.numerator *= sign;
    f.coefficients[exponent] = c;
  }
  f.degree = RationalPolynomialDegree(f);
  return f;
}

inline bool SameUpToSign(const RationalPolynomial& f, const RationalPolynomial& g) {
  FailureState failure;
  return f == g || f == RationalPolynomialNegate(g, failure);
}

// The integer polynomial f modulo p, normalised as the F_p polynomials are: lowest term t^0 with
// coefficient 1.
inline Polynomial ReduceToField(const RationalPolynomial& f, int32_t p) {
  const PrimeField field = FieldOf(p);
  Polynomial reduced;
  int32_t lowest = -1;
  for (int32_t e = 0; e < kRationalSlots; ++e) {
    EXPECT_EQ(f.coefficients[e].denominator, 1) << "not an integer polynomial";
    PolySetCoefficient(reduced, e, ReduceModP(field, f.coefficients[e].numerator));
    if (lowest < 0 && PolyCoefficient(reduced, e) != 0) lowest = e;
  }
  if (lowest < 0) return reduced;
  const Residue scale = InverseModP(field, reduced.coefficients[lowest]);
  Polynomial normalised;
  for (int32_t e = lowest; e <= PolyDegree(reduced); ++e)
    PolySetCoefficient(normalised, e - lowest, MultiplyModP(field, reduced.coefficients[e], scale));
  return normalised;
}

// A presentation read from a file with the given content, not simplified.
inline void PrepareFile(Workbench& wb, const TempDir& dir, const std::string& content) {
  dir.Write("group.txt", content);
  wb.settings.inputDirectory = dir.directory();
  wb.settings.inputName = "group.txt";
  wb.settings.simplifyEffort = 0;
  PreparePresentation(wb);
  ASSERT_FALSE(wb.failure.computationFailed) << wb.failure.errorMessage;
}

}  // namespace quarvel::testing
