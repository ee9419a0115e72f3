#include "alexander/rational_determinant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

namespace quarvel {
namespace {

using Q = RationalNumber;

RationalPolynomial P(const std::vector<int64_t>& coefficients, int64_t denominator = 1) {
  RationalPolynomial f;
  FailureState unused;
  for (size_t e = 0; e < coefficients.size(); ++e)
    f.coefficients[e] = NormaliseRational({coefficients[e], denominator}, unused);
  f.degree = RationalPolynomialDegree(f);
  return f;
}

RationalMatrix M(const std::vector<std::vector<RationalPolynomial>>& rows) {
  RationalMatrix matrix(static_cast<int32_t>(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows.size(); ++c)
      matrix(static_cast<int32_t>(r + 1), static_cast<int32_t>(c + 1)) = rows[r][c];
  }
  return matrix;
}

// Equal up to sign and powers of t.
bool SameUpToUnit(const RationalPolynomial& f, const RationalPolynomial& g) {
  FailureState failure;
  const RationalPolynomial a = StripPowerOfT(f, failure), b = StripPowerOfT(g, failure);
  return a == b || a == RationalPolynomialNegate(b, failure);
}

std::string Describe(const RationalMatrix& matrix, int32_t n) {
  std::ostringstream out;
  for (int32_t r = 1; r <= n; ++r) {
    for (int32_t c = 1; c <= n; ++c) out << RationalPolynomialToText(matrix(r, c)) << "  ";
    out << "\n";
  }
  return out.str();
}

TEST(RationalDeterminant, SmallKnownDeterminants) {
  FailureState failure;
  const RationalPolynomial one = P({1}), t = P({0, 1}), zero = P({});
  RationalMatrix empty(0);
  EXPECT_EQ(DeterminantOverQ(empty, 0, 6, failure), one);
  RationalMatrix a = M({{one, t}, {t, one}});
  EXPECT_EQ(LaplaceDeterminant(a, 2, failure), P({1, 0, -1}));
  EXPECT_TRUE(SameUpToUnit(DeterminantOverQ(a, 2, 0, failure), P({1, 0, -1})));
  // A zero column: the determinant is zero, and that is no failure.
  RationalMatrix b = M({{zero, t, one}, {zero, one, t}, {zero, t, t}});
  EXPECT_EQ(DeterminantOverQ(b, 3, 0, failure), zero);
  EXPECT_FALSE(failure.integerPolynomialErrorFlag);
}

// The elimination and the cofactor expansion agree on random matrices of every size, with up to
// three eliminated positions. (Longer eliminations of dense matrices over Q soon outgrow 64-bit
// fractions and end in "q1q2" or "qprod"; the Fox matrices never eliminate more than two.)
TEST(RationalDeterminant, EliminationAgreesWithCofactorExpansion) {
  std::mt19937 random(11);
  auto draw = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int trial = 0; trial < 500; ++trial) {
    const int32_t n = draw(1, 6);
    RationalMatrix matrix(n);
    for (int32_t r = 1; r <= n; ++r) {
      for (int32_t c = 1; c <= n; ++c) {
        if (draw(0, 3) == 0) continue;  // some zero entries
        matrix(r, c) = P({draw(-2, 2), draw(-2, 2)});
      }
    }
    FailureState failure;
    const RationalPolynomial expected = LaplaceDeterminant(matrix, n, failure);
    RationalMatrix copy = matrix;
    const RationalPolynomial eliminated = DeterminantOverQ(copy, n, draw(std::max(0, n - 3), n), failure);
    ASSERT_FALSE(failure.integerPolynomialErrorFlag) << failure.errorMessage << "\n" << Describe(matrix, n);
    EXPECT_TRUE(SameUpToUnit(eliminated, expected))
        << Describe(matrix, n) << RationalPolynomialToText(eliminated) << " vs "
        << RationalPolynomialToText(expected);
  }
}

// det(I - A t^e) for a permutation matrix A is, up to sign, the product of 1 - t^(e l) over the
// cycles of length l (the denominator of the Wada invariant).
TEST(RationalDeterminant, PermutationMatricesGiveTheirCycleProducts) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 200; ++trial) {
    const int32_t k = std::uniform_int_distribution<int32_t>(1, 7)(random);
    const int32_t e = std::uniform_int_distribution<int32_t>(1, 3)(random);
    std::vector<int32_t> image(static_cast<size_t>(k));
    for (int32_t i = 0; i < k; ++i) image[i] = i;
    std::shuffle(image.begin(), image.end(), random);
    RationalMatrix matrix(k);
    for (int32_t a = 1; a <= k; ++a) {
      for (int32_t b = 1; b <= k; ++b) {
        RationalPolynomial& entry = matrix(a, b);
        entry.coefficients[0] = {a == b ? 1 : 0, 1};
        entry.coefficients[e] = {image[b - 1] == a - 1 ? -1 : 0, 1};
        entry.degree = RationalPolynomialDegree(entry);
      }
    }
    FailureState failure;
    RationalPolynomial expected = P({1});
    std::vector<bool> seen(static_cast<size_t>(k), false);
    for (int32_t i = 0; i < k; ++i) {
      int32_t length = 0;
      for (int32_t j = i; !seen[j]; j = image[j]) {
        seen[j] = true;
        ++length;
      }
      if (length == 0) continue;
      std::vector<int64_t> cycle(static_cast<size_t>(e * length) + 1, 0);
      cycle.front() = 1;
      cycle.back() = -1;
      expected = RationalPolynomialMultiply(expected, P(cycle), failure);
    }
    EXPECT_TRUE(SameUpToUnit(LaplaceDeterminant(matrix, k, failure), expected)) << Describe(matrix, k);
    const RationalPolynomial det = DeterminantOverQ(matrix, k, 4, failure);
    ASSERT_FALSE(failure.integerPolynomialErrorFlag) << failure.errorMessage;
    EXPECT_TRUE(SameUpToUnit(det, expected))
        << RationalPolynomialToText(det) << " vs " << RationalPolynomialToText(expected);
  }
}

// A constant coefficient of the eliminated product with a denominator above 10000 fails with "10".
// The determinant clears only its own flag: a failure recorded before it stays, with its message,
// whether the determinant succeeds or fails.
TEST(RationalDeterminant, LargeDenominatorFailsAndEarlierFailuresStay) {
  const RationalPolynomial zero = P({});
  FailureState failure;
  Fail(failure, "Program error");
  failure.integerPolynomialErrorFlag = true;  // left over from an earlier determinant
  RationalMatrix good = M({{P({1}, 100), zero}, {zero, P({1, 1}, 100)}});
  EXPECT_EQ(DeterminantOverQ(good, 2, 0, failure), P({1, 1}, 10000));
  EXPECT_FALSE(failure.integerPolynomialErrorFlag);
  RationalMatrix bad = M({{P({1}, 101), zero}, {zero, P({1}, 101)}});
  EXPECT_EQ(DeterminantOverQ(bad, 2, 0, failure), zero);
  EXPECT_TRUE(failure.integerPolynomialErrorFlag);
  EXPECT_TRUE(failure.computationFailed);
  EXPECT_EQ(failure.errorMessage, "Program error");
  FailureState alone;
  RationalMatrix again = M({{P({1}, 101), zero}, {zero, P({1}, 101)}});
  DeterminantOverQ(again, 2, 0, alone);
  EXPECT_EQ(alone.errorMessage, "10");
}

}  // namespace
}  // namespace quarvel
