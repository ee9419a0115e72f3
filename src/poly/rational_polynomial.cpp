#include "poly/rational_polynomial.h"

namespace quarvel {
namespace {

bool IsZero(RationalNumber c) {
  return c.numerator == 0;
}

RationalPolynomial WithDegree(RationalPolynomial f) {
  f.degree = RationalPolynomialDegree(f);
  return f;
}

// f t^(-shift), for a shift no larger than the lowest exponent of f.
RationalPolynomial ShiftDown(const RationalPolynomial& f, int32_t shift) {
  RationalPolynomial result;
  for (int32_t e = shift; e < kRationalSlots; ++e) result.coefficients[e - shift] = f.coefficients[e];
  return WithDegree(result);
}

std::string Magnitude(int64_t v) {
  const uint64_t magnitude = v < 0 ? uint64_t{0} - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  return std::to_string(magnitude);
}

}  // namespace

RationalPolynomial ZeroRationalPolynomial() {
  return {};
}

RationalPolynomial OneRationalPolynomial() {
  return RationalMonomial({1, 1}, 0);
}

RationalPolynomial RationalMonomial(RationalNumber c, int32_t exponent) {
  RationalPolynomial f;
  f.coefficients[exponent] = c;
  return WithDegree(f);
}

int64_t RationalPolynomialDegree(const RationalPolynomial& f) {
  for (int32_t e = kRationalSlots - 1; e >= 0; --e) {
    if (!IsZero(f.coefficients[e])) return e;
  }
  return -1;
}

RationalPolynomial RationalPolynomialAdd(const RationalPolynomial& f, const RationalPolynomial& g,
                                         FailureState& failure) {
  RationalPolynomial sum;
  for (int32_t e = 0; e < kRationalSlots; ++e) {
    sum.coefficients[e] =
        NormaliseRational(AddRational(f.coefficients[e], g.coefficients[e], failure), failure);
  }
  return WithDegree(sum);
}

RationalPolynomial RationalPolynomialNegate(const RationalPolynomial& f, FailureState& failure) {
  RationalPolynomial negated = f;
  for (RationalNumber& c : negated.coefficients) c = NegateRational(c, failure);
  return WithDegree(negated);
}

RationalPolynomial RationalPolynomialMultiply(const RationalPolynomial& f, const RationalPolynomial& g,
                                              FailureState& failure) {
  const int64_t df = RationalPolynomialDegree(f), dg = RationalPolynomialDegree(g);
  if (df < 0 || dg < 0) return {};
  if (df + dg > kRationalMaxProductDegree) {
    RaiseIntegerError(failure, "p11maxpcoeff");
    return {};
  }
  RationalPolynomial product;
  for (int64_t i = 0; i <= df; ++i) {
    if (IsZero(f.coefficients[i])) continue;
    for (int64_t j = 0; j <= dg; ++j) {
      RationalNumber& c = product.coefficients[i + j];
      c = AddRational(c, MultiplyRational(f.coefficients[i], g.coefficients[j], failure), failure);
    }
  }
  return WithDegree(product);
}

RationalPolynomial StripPowerOfT(const RationalPolynomial& f, FailureState& failure) {
  if (RationalPolynomialDegree(f) < 0) return WithDegree(f);
  int32_t lowest = 0;
  while (IsZero(f.coefficients[lowest])) ++lowest;
  if (lowest >= kRationalSlots - 1) {
    RaiseIntegerError(failure, "maxpcoeff");
    return WithDegree(f);
  }
  return ShiftDown(f, lowest);
}

std::optional<RationalPolynomial> DivideExactly(const RationalPolynomial& f, const RationalPolynomial& g,
                                                FailureState& failure) {
  const int64_t dg = RationalPolynomialDegree(g);
  if (dg < 0) {
    RaiseIntegerError(failure, "11");
    return std::nullopt;
  }
  const RationalNumber inverseLead = ReciprocalRational(g.coefficients[dg], failure);
  RationalPolynomial remainder = WithDegree(f);
  RationalPolynomial quotient;
  // Each step cancels the leading term of the remainder, so the degree falls every time.
  while (remainder.degree >= dg && !failure.integerPolynomialErrorFlag) {
    const RationalNumber c = MultiplyRational(remainder.coefficients[remainder.degree], inverseLead, failure);
    if (c.denominator != 1) return std::nullopt;
    const int32_t shift = static_cast<int32_t>(remainder.degree - dg);
    quotient.coefficients[shift] = c;
    RationalPolynomial step =
        RationalPolynomialMultiply(RationalMonomial(NegateRational(c, failure), shift), g, failure);
    remainder = RationalPolynomialAdd(remainder, step, failure);
  }
  if (failure.integerPolynomialErrorFlag || remainder.degree >= 0) return std::nullopt;
  return WithDegree(quotient);
}

std::string RationalPolynomialToText(const RationalPolynomial& f) {
  std::string text;
  for (int32_t e = 0; e < kRationalSlots; ++e) {
    const RationalNumber c = f.coefficients[e];
    if (IsZero(c)) continue;
    if (c.numerator < 0) {
      text += "-";
    } else if (!text.empty()) {
      text += "+";
    }
    if (c.denominator != 1) {
      text += Magnitude(c.numerator) + "/" + Magnitude(c.denominator);
    } else if (e == 0 || Magnitude(c.numerator) != "1") {
      text += Magnitude(c.numerator);
    }
    if (e == 1) text += "t";
    if (e >= 2) text += "t^{" + std::to_string(e) + "}";
  }
  return text.empty() ? "0" : text;
}

}  // namespace quarvel
