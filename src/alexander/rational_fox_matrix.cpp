#include "alexander/rational_fox_matrix.h"

#include <algorithm>

#include "reps/representation_matrices.h"

namespace quarvel {
namespace {

constexpr int64_t kMaxPrefixExponent = 12;
constexpr int32_t kSlotOffset = 13;

// The matrices a build multiplies along the relators: A(g) and A(g)^-1 by generator number, or
// null where a generator has none.
struct GeneratorMatrices {
  virtual ~GeneratorMatrices() = default;
  virtual const IntMatrix* Matrix(int g, bool inverse) const = 0;
};

struct RepresentationMatrices final : GeneratorMatrices {
  explicit RepresentationMatrices(const Representation& r) : representation(r) {}
  const IntMatrix* Matrix(int g, bool inverse) const override {
    const GeneratorImage& image = representation.generators[g];
    return inverse ? &image.inverseMatrix : &image.matrix;
  }
  const Representation& representation;
};

struct TrivialMatrices final : GeneratorMatrices {
  TrivialMatrices() {
    one.Reset(1);
    one(1, 1) = 1;
  }
  const IntMatrix* Matrix(int, bool) const override { return &one; }
  IntMatrix one;
};

struct FoxBlock {
  int64_t i = 0;  // generator position
  int64_t j = 0;  // relator
  int32_t k = 0;
};

// Adds sign * M^T t^exponent to block (i, j). False when the exponent has no slot.
bool AddTransposedTerm(RationalMatrix& matrix, const FoxBlock& block, const IntMatrix& m, int64_t exponent,
                       int32_t sign, FailureState& failure) {
  const int64_t slot = exponent + kSlotOffset;
  if (slot < 0 || slot >= kRationalSlots) return false;
  const int32_t k = block.k;
  for (int32_t a = 1; a <= k; ++a) {
    for (int32_t b = 1; b <= k; ++b) {
      if (m(b, a) == 0) continue;
      RationalNumber& c =
          matrix(static_cast<int32_t>((block.i - 1) * k + a), static_cast<int32_t>((block.j - 1) * k + b))
              .coefficients[slot];
      c = AddRational(c, {sign * static_cast<int64_t>(m(b, a)), 1}, failure);
    }
  }
  return true;
}

// Block (i, j): the Fox derivative of relator j by generator position i under the representation,
// conjugated. False on a missing matrix or an exponent out of range (then computationFailed).
bool BuildBlock(const Presentation& presentation, const GeneratorMatrices& matrices, int32_t prime,
                const FoxBlock& block, RationalMatrix& matrix, FailureState& failure) {
  const int32_t k = block.k;
  const int x = presentation.generatorLetters[block.i];
  const Word& word = presentation.relators[block.j];
  IntMatrix prefix, next;
  prefix.Reset(k);
  for (int32_t a = 1; a <= k; ++a) prefix(a, a) = 1;
  int64_t e = 0;
  for (size_t q = 0; q + 1 < word.size(); q += 2) {
    const bool inverse = word[q] == '-';
    const int g = static_cast<unsigned char>(word[q + 1]) - kGeneratorByteBase;
    if (g < 1 || g > kMaxGenerators) return false;
    const IntMatrix* a = matrices.Matrix(g, inverse);
    if (a == nullptr || a->size != k) return false;
    const int64_t phi = presentation.phi[g];
    MatrixProductModP(prefix, *a, prime, next);
    // A "+" letter's term has the prefix before it, a "-" letter's the prefix including it.
    bool stored = true;
    if (g == x) {
      stored = inverse ? AddTransposedTerm(matrix, block, next, phi - e, -1, failure)
                       : AddTransposedTerm(matrix, block, prefix, -e, 1, failure);
    }
    std::swap(prefix, next);
    e += inverse ? -phi : phi;
    if (!stored || e < -kMaxPrefixExponent || e > kMaxPrefixExponent) {
      Fail(failure, "Program error - degree");
      return false;
    }
  }
  return true;
}

// Multiplies each of the first `rows` rows by the power of t that makes its lowest term t^0.
void NormaliseRows(RationalMatrix& matrix, int32_t rows, int32_t columns) {
  for (int32_t r = 1; r <= rows; ++r) {
    int32_t lowest = kRationalSlots;
    for (int32_t c = 1; c <= columns; ++c) {
      const auto& coefficients = matrix(r, c).coefficients;
      auto first = std::find_if(coefficients.begin(), coefficients.end(),
                                [](RationalNumber v) { return v.numerator != 0; });
      lowest = std::min(lowest, static_cast<int32_t>(first - coefficients.begin()));
    }
    for (int32_t c = 1; c <= columns; ++c) {
      RationalPolynomial& entry = matrix(r, c);
      if (lowest < kRationalSlots && lowest > 0) {
        std::copy(entry.coefficients.begin() + lowest, entry.coefficients.end(), entry.coefficients.begin());
        std::fill(entry.coefficients.end() - lowest, entry.coefficients.end(), RationalNumber{});
      }
      entry.degree = RationalPolynomialDegree(entry);
    }
  }
}

bool Build(const Presentation& presentation, const GeneratorMatrices& matrices, int64_t k, int32_t prime,
           RationalMatrix& matrix, FailureState& failure) {
  if (failure.computationFailed) return false;
  const int64_t n = presentation.generatorCount;
  const int64_t m = presentation.relatorCount;
  if (k < 1 || n < 1 || m < 0 || k * (n - 1) > matrix.size() || k * m > matrix.size()) return false;
  // The flag of an earlier determinant would turn every addition below into 1/1.
  failure.integerPolynomialErrorFlag = false;
  for (int32_t r = 1; r <= matrix.size(); ++r) {
    for (int32_t c = 1; c <= matrix.size(); ++c) matrix(r, c) = ZeroRationalPolynomial();
  }
  for (int64_t i = 1; i < n; ++i) {
    for (int64_t j = 1; j <= m; ++j) {
      if (!BuildBlock(presentation, matrices, prime, {i, j, static_cast<int32_t>(k)}, matrix, failure))
        return false;
    }
  }
  NormaliseRows(matrix, static_cast<int32_t>(k * (n - 1)), static_cast<int32_t>(k * m));
  return true;
}

}  // namespace

bool BuildRationalFoxMatrix(const Presentation& presentation, const Representation& representation, int64_t k,
                            int32_t prime, RationalMatrix& matrix, FailureState& failure) {
  return Build(presentation, RepresentationMatrices(representation), k, prime, matrix, failure);
}

bool BuildUntwistedRationalFoxMatrix(const Presentation& presentation, int32_t prime, RationalMatrix& matrix,
                                     FailureState& failure) {
  return Build(presentation, TrivialMatrices(), 1, prime, matrix, failure);
}

}  // namespace quarvel
