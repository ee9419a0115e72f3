#include "poly/polynomial.h"

#include <algorithm>

namespace quarvel {
namespace {

// Each sum gains products below p^2 < 2^12; this many rows keep a 32-bit sum from overflowing.
constexpr int32_t kRowsBetweenReductions = 1 << 20;

bool IsUnit(const Polynomial& f) {
  return std::count_if(f.coefficients.begin(), f.coefficients.end(), [](Residue c) { return c != 0; }) == 1;
}

void TrimTrailingZeros(std::vector<Residue>& coefficients) {
  while (!coefficients.empty() && coefficients.back() == 0) coefficients.pop_back();
}

// The convolution of two nonzero polynomials; the result has degree degree(f) + degree(g), whose
// leading residue is a product of nonzero residues mod a prime, hence nonzero.
std::vector<Residue> Convolve(const PrimeField& field, const Polynomial& f, const Polynomial& g) {
  const size_t sizeF = f.coefficients.size();
  const size_t sizeG = g.coefficients.size();
  std::vector<uint32_t> sums(sizeF + sizeG - 1, 0);
  const uint32_t p = static_cast<uint32_t>(field.currentPrime);
  // Residues lie in 0 .. p-1, so each byte read unsigned is its value.
  const auto* gData = reinterpret_cast<const uint8_t*>(g.coefficients.data());
  for (size_t i = 0; i < sizeF; ++i) {
    if (i > 0 && i % kRowsBetweenReductions == 0) {
      for (uint32_t& sum : sums) sum %= p;
    }
    const uint32_t fi = static_cast<uint8_t>(f.coefficients[i]);
    if (fi == 0) continue;
    uint32_t* row = sums.data() + i;
    for (size_t j = 0; j < sizeG; ++j) row[j] += fi * gData[j];
  }
  std::vector<Residue> product(sums.size());
  for (size_t m = 0; m < sums.size(); ++m) product[m] = static_cast<Residue>(sums[m] % p);
  return product;
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
  return static_cast<int32_t>(f.coefficients.size()) - 1;
}

Residue PolyCoefficient(const Polynomial& f, int32_t e) {
  return e >= 0 && static_cast<size_t>(e) < f.coefficients.size() ? f.coefficients[static_cast<size_t>(e)]
                                                                  : Residue{0};
}

void PolySetCoefficient(Polynomial& f, int32_t e, Residue v) {
  const size_t index = static_cast<size_t>(e);
  if (index >= f.coefficients.size()) {
    if (v == 0) return;
    f.coefficients.resize(index + 1, Residue{0});
  }
  f.coefficients[index] = v;
  TrimTrailingZeros(f.coefficients);
}

Polynomial PolyFromCoefficients(std::vector<Residue> coefficients) {
  TrimTrailingZeros(coefficients);
  return Polynomial{std::move(coefficients)};
}

void PolyMultiply(const PrimeField& field, const Polynomial& f, const Polynomial& g, Polynomial& result) {
  if (IsUnit(f)) {
    result = g;
    return;
  }
  if (IsUnit(g)) {
    result = f;
    return;
  }
  if (f.coefficients.empty() || g.coefficients.empty()) {
    result = Polynomial{};
    return;
  }
  result.coefficients = Convolve(field, f, g);
}

std::string PolyToText(const Polynomial& f, bool shift, bool star, bool braces) {
  const int32_t degree = PolyDegree(f);
  int32_t lowest = 0;
  if (shift) {
    while (lowest < degree && f.coefficients[lowest] == 0) ++lowest;
  }
  std::string text;
  for (int32_t e = 0; e <= degree; ++e) {
    if (f.coefficients[e] != 0) AppendTerm(text, f.coefficients[e], e - lowest, star, braces);
  }
  if (text.empty()) return " 0";
  text[0] = ' ';
  return text;
}

}  // namespace quarvel
