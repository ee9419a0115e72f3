#include "poly/rational_polynomial.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace quarvel {
namespace {

using Q = RationalNumber;

// c_0 + c_1 t + ... from the coefficients in ascending order.
RationalPolynomial P(const std::vector<Q>& coefficients, int32_t lowest = 0) {
  RationalPolynomial f;
  for (size_t e = 0; e < coefficients.size(); ++e) f.coefficients[lowest + e] = coefficients[e];
  f.degree = RationalPolynomialDegree(f);
  return f;
}

TEST(RationalPolynomial, Text) {
  EXPECT_EQ(RationalPolynomialToText(P({{1, 1}, {-1, 1}, {1, 1}})), "1-t+t^{2}");
  EXPECT_EQ(RationalPolynomialToText(P({{3, 1}, {-2, 1}, {1, 3}})), "3-2t+1/3t^{2}");
  EXPECT_EQ(RationalPolynomialToText(P({})), "0");
  EXPECT_EQ(RationalPolynomialToText(P({{1, 1}})), "1");
  EXPECT_EQ(RationalPolynomialToText(P({{-1, 1}})), "-1");
  EXPECT_EQ(RationalPolynomialToText(P({{-1, 1}}, 1)), "-t");
  EXPECT_EQ(RationalPolynomialToText(P({{2, 1}, {0, 1}, {-1, 2}}, 1)), "2t-1/2t^{3}");
  EXPECT_EQ(RationalPolynomialToText(P({{-1, 2}, {1, 1}}, 9)), "-1/2t^{9}+t^{10}");
}

TEST(RationalPolynomial, SumCancelsAndRecomputesTheDegree) {
  FailureState failure;
  RationalPolynomial sum =
      RationalPolynomialAdd(P({{1, 2}, {0, 1}, {1, 1}}), P({{1, 2}, {0, 1}, {-1, 1}}), failure);
  EXPECT_EQ(sum, P({{1, 1}}));
  EXPECT_EQ(sum.degree, 0);
  EXPECT_EQ(RationalPolynomialAdd(sum, RationalPolynomialNegate(sum, failure), failure).degree, -1);
}

TEST(RationalPolynomial, ProductAndItsDegreeLimit) {
  FailureState failure;
  RationalPolynomial product = RationalPolynomialMultiply(P({{1, 1}, {-1, 1}}), P({{1, 1}, {1, 1}}), failure);
  EXPECT_EQ(product, P({{1, 1}, {0, 1}, {-1, 1}}));
  EXPECT_EQ(RationalPolynomialMultiply(P({}), P({{5, 1}}), failure).degree, -1);
  EXPECT_EQ(RationalPolynomialMultiply(P({{2, 1}}, 13), P({{1, 3}}, 13), failure), P({{2, 3}}, 26));
  EXPECT_FALSE(failure.integerPolynomialErrorFlag);
  EXPECT_EQ(RationalPolynomialMultiply(P({{1, 1}}, 13), P({{1, 1}}, 14), failure).degree, -1);
  EXPECT_TRUE(failure.integerPolynomialErrorFlag);
  EXPECT_EQ(failure.errorMessage, "p11maxpcoeff");
}

TEST(RationalPolynomial, StripPowerOfT) {
  FailureState failure;
  EXPECT_EQ(StripPowerOfT(P({{1, 1}, {0, 1}, {-2, 1}}, 3), failure), P({{1, 1}, {0, 1}, {-2, 1}}));
  EXPECT_EQ(StripPowerOfT(P({}), failure), P({}));
  EXPECT_EQ(StripPowerOfT(P({{7, 2}}, 26), failure), P({{7, 2}}));
  EXPECT_FALSE(failure.integerPolynomialErrorFlag);
  EXPECT_EQ(StripPowerOfT(P({{1, 1}}, 27), failure), P({{1, 1}}, 27));
  EXPECT_EQ(failure.errorMessage, "maxpcoeff");
}

TEST(RationalPolynomial, DivisionNeedsIntegerQuotientAndZeroRemainder) {
  FailureState failure;
  // (1 + t^2) = (t - 1)(1 + t) + 2
  EXPECT_FALSE(DivideExactly(P({{1, 1}, {0, 1}, {1, 1}}), P({{1, 1}, {1, 1}}), failure));
  // t / (2t) = 1/2 is exact over Q but not an integer quotient.
  EXPECT_FALSE(DivideExactly(P({{1, 1}}, 1), P({{2, 1}}, 1), failure));
  // (1 - t^3) / (1 - t) = 1 + t + t^2
  auto q = DivideExactly(P({{1, 1}, {0, 1}, {0, 1}, {-1, 1}}), P({{1, 1}, {-1, 1}}), failure);
  ASSERT_TRUE(q);
  EXPECT_EQ(*q, P({{1, 1}, {1, 1}, {1, 1}}));
  EXPECT_EQ(*DivideExactly(P({}), P({{3, 1}}), failure), P({}));
  EXPECT_FALSE(failure.integerPolynomialErrorFlag);
  EXPECT_FALSE(DivideExactly(P({{1, 1}}), P({}), failure));
  EXPECT_EQ(failure.errorMessage, "11");
}

// For random f with integer coefficients and random rational g, f g divided by g gives back f; with
// one coefficient of f made fractional there is no quotient.
TEST(RationalPolynomial, DivideExactlyUndoesMultiplication) {
  std::mt19937 random(7);
  auto draw = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  auto polynomial = [&](int degree, bool rational) {
    std::vector<Q> c(static_cast<size_t>(degree) + 1);
    for (Q& x : c) x = {draw(-9, 9), rational ? draw(1, 6) : 1};
    if (c.back().numerator == 0) c.back().numerator = 1;
    FailureState unused;
    for (Q& x : c) x = NormaliseRational(x, unused);
    return P(c, draw(0, 2));
  };
  for (int trial = 0; trial < 500; ++trial) {
    const RationalPolynomial f = polynomial(draw(0, 10), false);
    const RationalPolynomial g = polynomial(draw(0, 10), true);
    FailureState failure;
    const RationalPolynomial fg = RationalPolynomialMultiply(f, g, failure);
    const auto q = DivideExactly(fg, g, failure);
    ASSERT_FALSE(failure.integerPolynomialErrorFlag) << failure.errorMessage;
    ASSERT_TRUE(q) << RationalPolynomialToText(f) << " / " << RationalPolynomialToText(g);
    EXPECT_EQ(*q, f) << RationalPolynomialToText(f) << " / " << RationalPolynomialToText(g);

    RationalPolynomial h = f;
    Q& c = h.coefficients[draw(0, static_cast<int>(h.degree))];
    c = {2 * c.numerator + 1, 2};
    const RationalPolynomial hg = RationalPolynomialMultiply(h, g, failure);
    EXPECT_FALSE(DivideExactly(hg, g, failure)) << RationalPolynomialToText(h);
  }
}

}  // namespace
}  // namespace quarvel
