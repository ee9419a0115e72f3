#include "poly/polynomial.h"

#include <algorithm>

namespace quarvel {
namespace {

bool IsUnit(const Polynomial& f) {
  int nonzero = 0;
  for (Residue c : f.coefficients) {
    if (c != 0 && ++nonzero > 1) return false;
  }
  return nonzero == 1;
}

// The convolution over the actual degrees. Every coefficient of the product is a sum of at most
// 2501 products below p^2, so 32-bit sums never overflow and one reduction at the end suffices.
void Convolve(const PrimeField& field, const Polynomial& f, int32_t degreeF, const Polynomial& g,
              int32_t degreeG, Polynomial& result) {
  std::array<uint32_t, kPolyMaxExponent + 1> sums{};
  // Residues lie in 0 .. p-1, so each byte read unsigned is its value.
  for (int32_t i = 0; i <= degreeF; ++i) {
    const uint32_t fi = static_cast<uint8_t>(f.coefficients[i]);
    if (fi == 0) continue;
    uint32_t* row = sums.data() + i;
    for (int32_t j = 0; j <= degreeG; ++j) row[j] += fi * static_cast<uint8_t>(g.coefficients[j]);
  }
  const uint32_t p = static_cast<uint32_t>(field.currentPrime);
  for (int32_t m = 0; m <= kPolyMaxExponent; ++m) result.coefficients[m] = static_cast<Residue>(sums[m] % p);
}

void AppendTerm(std::string& text, Residue coefficient, int32_t exponent, bool star, bool braces) {
  std::string coefficientText = coefficient == 1 && exponent > 0 ? "" : std::to_string(coefficient);
  std::string powerText;
  if (exponent == 1) {
    powerText = "t";
  } else if (exponent >= 2) {
    std::string digits = std::to_string(exponent);
    powerText = "t^" + (braces && digits.size() >= 2 ? "{" + digits + "}" : digits);
  }
  text += '+';
  text += coefficientText;
  if (star && !coefficientText.empty() && !powerText.empty()) text += '*';
  text += powerText;
}

}  // namespace

int32_t PolyDegree(const Polynomial& f) {
  for (int32_t e = kPolyMaxExponent; e >= 0; --e) {
    if (f.coefficients[e] != 0) return e;
  }
  return -1;
}

void PolyMultiply(const PrimeField& field, const Polynomial& f, const Polynomial& g, Polynomial& result,
                  FailureState& failure) {
  if (IsUnit(f)) {
    result = g;
    return;
  }
  if (IsUnit(g)) {
    result = f;
    return;
  }
  const int32_t degreeF = PolyDegree(f);
  const int32_t degreeG = PolyDegree(g);
  if (std::max(degreeF, 0) + std::max(degreeG, 0) > kPolyMaxExponent) {
    FailPolynomial(failure, "Out of memory");
    return;
  }
  Convolve(field, f, degreeF, g, degreeG, result);
}

std::string PolyToText(const Polynomial& f, bool shift, bool star, bool braces) {
  int32_t lowest = 0;
  if (shift) {
    while (lowest < kPolyMaxExponent && f.coefficients[lowest] == 0) ++lowest;
  }
  std::string text;
  for (int32_t e = 0; e <= kPolyMaxExponent; ++e) {
    if (f.coefficients[e] != 0) AppendTerm(text, f.coefficients[e], e - lowest, star, braces);
  }
  if (text.empty()) return " 0";
  text[0] = ' ';
  return text;
}

}  // namespace quarvel
