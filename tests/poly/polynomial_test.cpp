#include "poly/polynomial.h"

#include <gtest/gtest.h>

#include "test_support.h"

#include <map>
#include <random>
#include <sstream>
#include <vector>

namespace quarvel {
namespace {

using testing::FieldOf;
using testing::kSupportedPrimes;

Polynomial FromTerms(const std::map<int32_t, int>& terms) {
  Polynomial f;
  for (auto [exponent, coefficient] : terms)
    PolySetCoefficient(f, exponent, static_cast<Residue>(coefficient));
  return f;
}

// The nonzero terms as "c@e" pairs, for failure messages.
std::string Terms(const Polynomial& f) {
  std::ostringstream out;
  for (int32_t e = 0; e <= PolyDegree(f); ++e) {
    if (f.coefficients[e] != 0) out << int{f.coefficients[e]} << "@" << e << " ";
  }
  return out.str();
}

TEST(PolyDegree, IsTheHighestNonzeroExponentAndMinusOneForZero) {
  EXPECT_EQ(PolyDegree(Polynomial{}), -1);
  EXPECT_EQ(PolyDegree(FromTerms({{0, 4}})), 0);
  EXPECT_EQ(PolyDegree(FromTerms({{3, 1}, {17, 2}})), 17);
  EXPECT_EQ(PolyDegree(FromTerms({{20000, 1}})), 20000);
}

TEST(PolySetCoefficient, KeepsNoTrailingZerosSoEqualPolynomialsCompareEqual) {
  Polynomial f = FromTerms({{2, 4}, {9, 1}});
  PolySetCoefficient(f, 9, 0);
  EXPECT_EQ(PolyDegree(f), 2);
  EXPECT_EQ(f, FromTerms({{2, 4}}));
  PolySetCoefficient(f, 30, 0);  // a zero above the degree changes nothing
  EXPECT_EQ(f, FromTerms({{2, 4}}));
  PolySetCoefficient(f, 2, 0);
  EXPECT_EQ(f, Polynomial{});
  EXPECT_EQ(PolyCoefficient(FromTerms({{3, 5}}), 3), 5);
  EXPECT_EQ(PolyCoefficient(FromTerms({{3, 5}}), 4), 0);
  EXPECT_EQ(PolyFromCoefficients({1, 0, 2, 0, 0}), FromTerms({{0, 1}, {2, 2}}));
}

TEST(PolyToText, ZeroOneAndAPowerOfT) {
  EXPECT_EQ(PolyToText(Polynomial{}, false, false, false), " 0");
  EXPECT_EQ(PolyToText(Polynomial{}, true, true, true), " 0");
  EXPECT_EQ(PolyToText(FromTerms({{0, 1}}), false, false, false), " 1");
  EXPECT_EQ(PolyToText(FromTerms({{3, 1}}), true, false, false), " 1");
  EXPECT_EQ(PolyToText(FromTerms({{3, 1}}), false, false, false), " t^3");
}

TEST(PolyToText, StarAndBracesOnlyWhereTheyBelong) {
  Polynomial f = FromTerms({{0, 1}, {1, 2}, {12, 1}});  // 1 + 2t + t^12 over F_3
  EXPECT_EQ(PolyToText(f, false, false, false), " 1+2t+t^12");
  EXPECT_EQ(PolyToText(f, false, true, true), " 1+2*t+t^{12}");
  EXPECT_EQ(PolyToText(f, true, false, true), " 1+2t+t^{12}");
  // No star without a coefficient or without a power; braces from two digits on only.
  EXPECT_EQ(PolyToText(FromTerms({{0, 5}, {1, 1}, {9, 3}, {10, 1}}), false, true, true), " 5+t+3*t^9+t^{10}");
  EXPECT_EQ(PolyToText(FromTerms({{4999, 52}}), false, true, true), " 52*t^{4999}");
}

TEST(PolyToText, ShiftCountsExponentsFromTheLowestTerm) {
  Polynomial f = FromTerms({{4, 3}, {5, 1}, {15, 1}});
  EXPECT_EQ(PolyToText(f, true, false, false), " 3+t+t^11");
  EXPECT_EQ(PolyToText(f, false, false, false), " 3t^4+t^5+t^15");
  // The coefficient 1 is written only where the printed exponent is 0.
  EXPECT_EQ(PolyToText(FromTerms({{7, 1}, {8, 1}}), true, true, false), " 1+t");
}

TEST(PolyMultiply, AUnitFactorIsDroppedNotMultipliedIn) {
  PrimeField field = FieldOf(5);
  Polynomial g = FromTerms({{0, 1}, {2, 3}});
  Polynomial result;
  PolyMultiply(field, FromTerms({{0, 2}}), g, result);
  EXPECT_EQ(result, g) << Terms(result);
  PolyMultiply(field, g, FromTerms({{7, 4}}), result);
  EXPECT_EQ(result, g) << Terms(result);
  // With both factors units the first rule wins: the result is the second factor.
  Polynomial h = FromTerms({{3, 2}});
  PolyMultiply(field, FromTerms({{1, 1}}), h, result);
  EXPECT_EQ(result, h) << Terms(result);
  // Zero is not a unit: a unit times zero is zero.
  PolyMultiply(field, Polynomial{}, h, result);
  EXPECT_EQ(result, Polynomial{}) << Terms(result);
}

TEST(PolyMultiply, SmallProductsWorkedByHand) {
  Polynomial onePlusT = FromTerms({{0, 1}, {1, 1}});
  Polynomial result;
  PolyMultiply(FieldOf(2), onePlusT, onePlusT, result);
  EXPECT_EQ(result, FromTerms({{0, 1}, {2, 1}})) << Terms(result);
  PolyMultiply(FieldOf(3), onePlusT, onePlusT, result);
  EXPECT_EQ(result, FromTerms({{0, 1}, {1, 2}, {2, 1}})) << Terms(result);
  // (2 + t^3)(4 + 3t) over F_7 = 8 + 6t + 4t^3 + 3t^4 = 1 + 6t + 4t^3 + 3t^4
  PolyMultiply(FieldOf(7), FromTerms({{0, 2}, {3, 1}}), FromTerms({{0, 4}, {1, 3}}), result);
  EXPECT_EQ(result, FromTerms({{0, 1}, {1, 6}, {3, 4}, {4, 3}})) << Terms(result);
}

TEST(PolyMultiply, ResultMayBeOneOfTheFactors) {
  PrimeField field = FieldOf(11);
  Polynomial f = FromTerms({{0, 3}, {2, 5}, {9, 10}});
  Polynomial g = FromTerms({{1, 7}, {4, 1}});
  Polynomial expected;
  PolyMultiply(field, f, g, expected);
  Polynomial inPlace = f;
  PolyMultiply(field, inPlace, g, inPlace);
  EXPECT_EQ(inPlace, expected);
  inPlace = g;
  PolyMultiply(field, f, inPlace, inPlace);
  EXPECT_EQ(inPlace, expected);
}

TEST(PolyMultiply, ProductsBeyondDegreeFiveThousandAreComputedInFull) {
  PrimeField field = FieldOf(13);
  Polynomial f = FromTerms({{0, 1}, {2500, 2}, {3000, 1}});
  Polynomial g = FromTerms({{0, 3}, {3000, 1}});
  Polynomial result = FromTerms({{5, 9}, {77, 1}});
  PolyMultiply(field, f, g, result);
  // (1 + 2t^2500 + t^3000)(3 + t^3000) = 3 + 6t^2500 + 4t^3000 + 2t^5500 + t^6000
  EXPECT_EQ(result, FromTerms({{0, 3}, {2500, 6}, {3000, 4}, {5500, 2}, {6000, 1}})) << Terms(result);
}

// The product by its definition: coefficient m is the sum over i of f_i * g_(m-i).
Polynomial ReferenceProduct(const Polynomial& f, const Polynomial& g, int32_t p) {
  std::vector<int64_t> sums(f.coefficients.size() + g.coefficients.size(), 0);
  for (size_t i = 0; i < f.coefficients.size(); ++i) {
    for (size_t j = 0; j < g.coefficients.size(); ++j)
      sums[i + j] += int64_t{f.coefficients[i]} * g.coefficients[j];
  }
  Polynomial product;
  for (size_t m = 0; m < sums.size(); ++m)
    PolySetCoefficient(product, static_cast<int32_t>(m), static_cast<Residue>(sums[m] % p));
  return product;
}

// Random polynomial with at least two nonzero terms, lowest exponent up to lowMax, degree up to maxDegree.
Polynomial RandomNonUnit(std::mt19937& random, int32_t p, int32_t lowMax, int32_t maxDegree) {
  std::uniform_int_distribution<int32_t> nonzero(1, p - 1);
  int32_t low = std::uniform_int_distribution<int32_t>(0, lowMax)(random);
  int32_t high = std::uniform_int_distribution<int32_t>(low + 1, maxDegree)(random);
  double density = std::uniform_real_distribution<double>(0.05, 1.0)(random);
  Polynomial f;
  PolySetCoefficient(f, high, static_cast<Residue>(nonzero(random)));
  PolySetCoefficient(f, low, static_cast<Residue>(nonzero(random)));
  for (int32_t e = low + 1; e < high; ++e) {
    if (std::bernoulli_distribution(density)(random))
      PolySetCoefficient(f, e, static_cast<Residue>(nonzero(random)));
  }
  return f;
}

TEST(PolyMultiply, AgreesWithThePlainConvolutionAndAddsDegreesOverEverySupportedPrime) {
  std::mt19937 random(20240611);
  for (int32_t p : kSupportedPrimes) {
    PrimeField field = FieldOf(p);
    for (int round = 0; round < 12; ++round) {
      int32_t maxDegree = round < 10 ? 150 : 3500;
      Polynomial f = RandomNonUnit(random, p, 20, maxDegree);
      Polynomial g = RandomNonUnit(random, p, 20, maxDegree);
      Polynomial product;
      PolyMultiply(field, f, g, product);
      SCOPED_TRACE("p=" + std::to_string(p) + "\nf=" + Terms(f) + "\ng=" + Terms(g));
      EXPECT_EQ(product, ReferenceProduct(f, g, p));
      EXPECT_EQ(PolyDegree(product), PolyDegree(f) + PolyDegree(g));
    }
  }
}

}  // namespace
}  // namespace quarvel
