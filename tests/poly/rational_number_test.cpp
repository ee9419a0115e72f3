#include "poly/rational_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace quarvel {
namespace {

using Q = RationalNumber;
constexpr int64_t kMostNegative = std::numeric_limits<int64_t>::min();

TEST(RationalNumber, NormalFormDividesByTheGcdAndKeepsTheDenominatorPositive) {
  FailureState failure;
  EXPECT_EQ(NormaliseRational({6, -4}, failure), (Q{-3, 2}));
  EXPECT_EQ(NormaliseRational({-6, -4}, failure), (Q{3, 2}));
  EXPECT_EQ(NormaliseRational({0, -7}, failure), (Q{0, 1}));
  EXPECT_EQ(GcdInt64(-12, 18, failure), 6);
  EXPECT_EQ(GcdInt64(0, -5, failure), 5);
  EXPECT_FALSE(failure.integerPolynomialErrorFlag);
}

TEST(RationalNumber, SumsAndProductsInBothRanges) {
  FailureState failure;
  EXPECT_EQ(AddRational({1, 2}, {1, 3}, failure), (Q{5, 6}));
  EXPECT_EQ(AddRational({-1, 2}, {1, 2}, failure), (Q{0, 1}));
  EXPECT_EQ(MultiplyRational({2, 3}, {-9, 4}, failure), (Q{-3, 2}));
  // Beyond 100000 the sum and product take the guarded path, still exactly.
  const int64_t big = 1'000'000'000'000;
  EXPECT_EQ(AddRational({big, 7}, {1, 3}, failure), (Q{3 * big + 7, 21}));
  EXPECT_EQ(MultiplyRational({100'000'000, 7}, {49, 1}, failure), (Q{700'000'000, 1}));
  EXPECT_EQ(AddRational({0, 1}, {big, 1}, failure), (Q{big, 1}));
  EXPECT_EQ(MultiplyRational({0, 1}, {big, 1}, failure), (Q{0, 1}));
  // A large denominator is brought to normal form before anything else.
  EXPECT_EQ(AddRational({20000, 40000}, {1, 2}, failure), (Q{1, 1}));
  EXPECT_EQ(ReciprocalRational({-2, 3}, failure), (Q{-3, 2}));
  EXPECT_EQ(NegateRational({5, 7}, failure), (Q{-5, 7}));
  EXPECT_FALSE(failure.integerPolynomialErrorFlag);
  EXPECT_EQ(ReciprocalRational({0, 1}, failure), (Q{0, 1}));
  EXPECT_EQ(failure.errorMessage, "r1222");
}

// Each overflow path raises its code and returns 1/1; nothing wraps around (the sanitizer build
// would stop on a signed overflow).
TEST(RationalNumber, OutOfRangeRaisesItsCode) {
  struct Case {
    Q a, b;
    bool product;
    const char* code;
  };
  const int64_t e17 = 100'000'000'000'000'000;
  const Case cases[] = {
      {{e17, 1}, {1, 1000}, false, "q1q2"},                     // x w
      {{1, 3}, {int64_t{1} << 62, 1}, false, "q1q2"},           // z y: the first summand alone is small
      {{1, 1'000'000'000}, {1, 1'000'000'000}, false, "q1q2"},  // y w
      {{10'000'000'000, 1}, {10'000'000'000, 1}, true, "qprod"},
      {{1, 10'000'000'000}, {1, 10'000'000'000}, true, "qprod"},
      {{1, 0}, {1, 2}, false, "r1222"},
      {{1, 2}, {1, 0}, true, "r1222"},
  };
  for (const Case& c : cases) {
    FailureState failure;
    Q result = c.product ? MultiplyRational(c.a, c.b, failure) : AddRational(c.a, c.b, failure);
    EXPECT_TRUE(failure.integerPolynomialErrorFlag) << c.code;
    EXPECT_EQ(failure.errorMessage, c.code);
    EXPECT_FALSE(failure.computationFailed);
    if (std::string(c.code) != "r1222") {
      EXPECT_EQ(result, (Q{1, 1})) << c.code;
    }
  }
}

TEST(RationalNumber, MostNegativeNumberHasNoAbsoluteValue) {
  FailureState failure;
  EXPECT_EQ(GcdInt64(kMostNegative, 3, failure), 0);
  EXPECT_EQ(failure.errorMessage, "8");
  FailureState normalise;
  NormaliseRational({kMostNegative, 3}, normalise);
  EXPECT_TRUE(normalise.integerPolynomialErrorFlag);
  EXPECT_EQ(normalise.errorMessage, "8");  // the first code stays; the gcd 0 that follows adds "7"
  FailureState negate;
  EXPECT_EQ(NegateRational({kMostNegative, 1}, negate), (Q{1, 1}));
  EXPECT_EQ(negate.errorMessage, "8");
}

TEST(RationalNumber, RaisedFlagStopsTheArithmeticAndKeepsEarlierFailures) {
  FailureState failure;
  Fail(failure, "Program error");
  AddRational({int64_t{1} << 62, 1}, {1, 3}, failure);
  EXPECT_TRUE(failure.integerPolynomialErrorFlag);
  EXPECT_TRUE(failure.computationFailed);
  EXPECT_EQ(failure.errorMessage, "Program error");
  // While the flag is up the operations return 1/1 without computing.
  EXPECT_EQ(AddRational({1, 2}, {1, 3}, failure), (Q{1, 1}));
  EXPECT_EQ(MultiplyRational({2, 3}, {2, 3}, failure), (Q{1, 1}));
}

// (a + b) - b = a and (a b) / b = a across magnitudes on both sides of the 100000 boundary (small
// enough that no guard trips), with every result in normal form.
TEST(RationalNumber, SumAndProductUndoExactly) {
  std::mt19937_64 random(20240611);
  auto part = [&](int64_t bound) {
    return static_cast<int64_t>(random() % static_cast<uint64_t>(bound)) + 1;
  };
  auto number = [&] {
    const int64_t bounds[] = {10, 1000, 50'000, 150'000};
    const int64_t bound = bounds[random() % 4];
    const int64_t sign = random() % 2 == 0 ? 1 : -1;
    FailureState unused;
    return NormaliseRational({sign * part(bound), part(bound)}, unused);
  };
  for (int trial = 0; trial < 2000; ++trial) {
    const Q a = number(), b = number();
    FailureState failure;
    const Q sum = AddRational(a, b, failure);
    const Q back = AddRational(sum, NegateRational(b, failure), failure);
    const Q product = MultiplyRational(a, b, failure);
    const Q quotient = MultiplyRational(product, ReciprocalRational(b, failure), failure);
    ASSERT_FALSE(failure.integerPolynomialErrorFlag)
        << a.numerator << "/" << a.denominator << ", " << b.numerator << "/" << b.denominator;
    EXPECT_EQ(back, a);
    EXPECT_EQ(quotient, a);
    for (Q r : {sum, product}) {
      EXPECT_GT(r.denominator, 0);
      EXPECT_EQ(GcdInt64(r.numerator, r.denominator, failure), 1);
    }
  }
}

}  // namespace
}  // namespace quarvel
