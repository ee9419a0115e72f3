#include "poly/rational_number.h"

#include <cmath>
#include <limits>

namespace quarvel {
namespace {

constexpr int64_t kNormaliseAbove = 10000;
constexpr int64_t kDirectBelow = 100000;
// e^38 is about 3.2e16: two such products and their sum stay far below 2^63.
constexpr double kLogRange = 38.0;
constexpr int64_t kMostNegative = std::numeric_limits<int64_t>::min();

bool Small(int64_t v, int64_t bound) {
  return v > -bound && v < bound;
}

double LogMagnitude(int64_t v) {
  return std::log(std::fabs(static_cast<double>(v)));
}

// ln|a| + ln|b| below the bound; both nonzero.
bool ProductInRange(int64_t a, int64_t b) {
  return LogMagnitude(a) + LogMagnitude(b) < kLogRange;
}

RationalNumber NormaliseLargeDenominator(RationalNumber x, FailureState& failure) {
  return Small(x.denominator, kNormaliseAbove + 1) ? x : NormaliseRational(x, failure);
}

}  // namespace

void RaiseIntegerError(FailureState& failure, const char* code) {
  const bool earlier =
      failure.integerPolynomialErrorFlag || failure.computationFailed || failure.polynomialErrorFlag;
  failure.integerPolynomialErrorFlag = true;
  if (!earlier) failure.errorMessage = code;
}

int64_t GcdInt64(int64_t a, int64_t b, FailureState& failure) {
  if (a == kMostNegative || b == kMostNegative) {
    RaiseIntegerError(failure, "8");
    return 0;
  }
  a = a < 0 ? -a : a;
  b = b < 0 ? -b : b;
  while (b != 0) {
    const int64_t r = a % b;
    a = b;
    b = r;
  }
  return a;
}

RationalNumber NormaliseRational(RationalNumber x, FailureState& failure) {
  if (x.numerator == 0) return {0, 1};
  const int64_t gcd = GcdInt64(x.numerator, x.denominator, failure);
  if (gcd == 0) {
    RaiseIntegerError(failure, "7");
    return {1, 1};
  }
  x.numerator /= gcd;
  x.denominator /= gcd;
  // Neither part is the most negative number here (GcdInt64 refused it), so both can be negated.
  if (x.denominator < 0) {
    x.numerator = -x.numerator;
    x.denominator = -x.denominator;
  }
  return x;
}

RationalNumber AddRational(RationalNumber a, RationalNumber b, FailureState& failure) {
  if (failure.integerPolynomialErrorFlag) return {1, 1};
  if (a.denominator == 0 || b.denominator == 0) {
    RaiseIntegerError(failure, "r1222");
    return a;
  }
  a = NormaliseLargeDenominator(a, failure);
  b = NormaliseLargeDenominator(b, failure);
  const int64_t x = a.numerator, y = a.denominator, z = b.numerator, w = b.denominator;
  const bool direct =
      Small(x, kDirectBelow) && Small(y, kDirectBelow) && Small(z, kDirectBelow) && Small(w, kDirectBelow);
  if (!direct) {
    if (x == 0) return b;
    if (z == 0) return a;
    if (!ProductInRange(x, w) || !ProductInRange(z, y) || !ProductInRange(y, w)) {
      RaiseIntegerError(failure, "q1q2");
      return {1, 1};
    }
  }
  return NormaliseRational({x * w + z * y, y * w}, failure);
}

RationalNumber MultiplyRational(RationalNumber a, RationalNumber b, FailureState& failure) {
  if (failure.integerPolynomialErrorFlag) return {1, 1};
  if (a.denominator == 0 || b.denominator == 0) {
    RaiseIntegerError(failure, "r1222");
    return a;
  }
  a = NormaliseLargeDenominator(a, failure);
  b = NormaliseLargeDenominator(b, failure);
  const int64_t x = a.numerator, y = a.denominator, z = b.numerator, w = b.denominator;
  const bool direct =
      Small(x, kDirectBelow) && Small(y, kDirectBelow) && Small(z, kDirectBelow) && Small(w, kDirectBelow);
  if (!direct) {
    if (x == 0 || z == 0) return {0, 1};
    if (!ProductInRange(x, z) || !ProductInRange(y, w)) {
      RaiseIntegerError(failure, "qprod");
      return {1, 1};
    }
  }
  return NormaliseRational({x * z, y * w}, failure);
}

RationalNumber NegateRational(RationalNumber x, FailureState& failure) {
  if (x.numerator == kMostNegative) {
    RaiseIntegerError(failure, "8");
    return {1, 1};
  }
  return {-x.numerator, x.denominator};
}

RationalNumber ReciprocalRational(RationalNumber x, FailureState& failure) {
  if (x.numerator == 0) {
    RaiseIntegerError(failure, "r1222");
    return {0, 1};
  }
  return NormaliseRational({x.denominator, x.numerator}, failure);
}

}  // namespace quarvel
