#include "poly/field.h"

#include <gtest/gtest.h>

#include "test_support.h"

#include <random>
#include <vector>

namespace quarvel {
namespace {

using testing::FieldOf;
using testing::kSupportedPrimes;

std::vector<int32_t> PrimesUpTo(int32_t limit) {
  std::vector<int32_t> primes;
  for (int32_t n = 2; n <= limit; ++n) {
    bool prime = true;
    for (int32_t d = 2; d * d <= n; ++d) prime = prime && n % d != 0;
    if (prime) primes.push_back(n);
  }
  return primes;
}

TEST(BuildInverseTable, InverseOfTwoModuloFiftyThreeIsTwentySeven) {
  EXPECT_EQ(InverseModP(FieldOf(53), 2), 27);
}

TEST(BuildInverseTable, EveryEntryIsTheInverseForEveryPrimeThatFitsAResidue) {
  for (int32_t p : PrimesUpTo(kMaxFieldPrime)) {
    PrimeField field = FieldOf(p);
    for (int32_t a = 1; a < p; ++a) {
      int32_t b = field.inverseTable[a];
      EXPECT_TRUE(b >= 1 && b < p && a * b % p == 1) << "p=" << p << " a=" << a << " table=" << b;
    }
  }
}

TEST(BuildInverseTable, FollowsAChangeOfPrime) {
  PrimeField field = FieldOf(53);
  SetCurrentPrime(field, 5);
  EXPECT_EQ(InverseModP(field, 2), 3);
  EXPECT_EQ(InverseModP(field, 4), 4);
  SetCurrentPrime(field, 7);
  EXPECT_EQ(InverseModP(field, 3), 5);
}

TEST(PrimeField, DefaultFieldBehavesAsFTwo) {
  PrimeField defaulted;
  PrimeField built = FieldOf(2);
  EXPECT_EQ(defaulted.currentPrime, 2);
  EXPECT_EQ(defaulted.inverseTable, built.inverseTable);
  for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(ReduceBelowSquare(defaulted, x), x % 2) << "x=" << x;
}

// The literal rule: subtract p while n >= p, add p while n < 0.
int64_t ReduceByRepeatedSteps(int64_t n, int64_t p) {
  while (n >= p) n -= p;
  while (n < 0) n += p;
  return n;
}

TEST(ReduceModP, AgreesWithRepeatedSubtractionAndAddition) {
  std::mt19937 random(5101);
  std::uniform_int_distribution<int64_t> value(-20000, 20000);
  for (int32_t p : kSupportedPrimes) {
    PrimeField field = FieldOf(p);
    std::vector<int64_t> samples = {0, 1, -1, p - 1, p, p + 1, -p, -p - 1, 2 * p, -2 * p + 1};
    for (int n = 0; n < 200; ++n) samples.push_back(value(random));
    for (int64_t n : samples)
      EXPECT_EQ(ReduceModP(field, n), ReduceByRepeatedSteps(n, p)) << "p=" << p << " n=" << n;
  }
}

TEST(ReduceModP, HandlesValuesFarOutsideTheField) {
  PrimeField field = FieldOf(53);
  for (int64_t n : {int64_t{INT32_MAX}, int64_t{INT32_MIN}, int64_t{INT32_MIN} * 3, int64_t{1} << 40}) {
    int64_t r = ReduceModP(field, n);
    EXPECT_TRUE(r >= 0 && r < 53 && (n - r) % 53 == 0) << "n=" << n << " r=" << r;
  }
}

TEST(FieldOperations, SatisfyTheFieldLawsForEverySupportedPrime) {
  for (int32_t p : kSupportedPrimes) {
    PrimeField field = FieldOf(p);
    for (int32_t a = 0; a < p; ++a) {
      Residue ra = static_cast<Residue>(a);
      if (a != 0) {
        EXPECT_EQ(MultiplyModP(field, ra, InverseModP(field, ra)), 1) << "p=" << p << " a=" << a;
      }
      EXPECT_EQ(AddModP(field, ra, SubtractModP(field, 0, ra)), 0) << "p=" << p << " a=" << a;
      for (int32_t b = 0; b < p; ++b) {
        Residue rb = static_cast<Residue>(b);
        Residue sum = AddModP(field, ra, rb);
        Residue difference = SubtractModP(field, ra, rb);
        Residue product = MultiplyModP(field, ra, rb);
        ASSERT_TRUE(sum >= 0 && sum < p && difference >= 0 && difference < p && product >= 0 && product < p)
            << "p=" << p << " a=" << a << " b=" << b;
        EXPECT_EQ(AddModP(field, difference, rb), ra) << "p=" << p << " a=" << a << " b=" << b;
        EXPECT_EQ((a + b - sum) % p, 0) << "p=" << p << " a=" << a << " b=" << b;
        EXPECT_EQ((a * b - product) % p, 0) << "p=" << p << " a=" << a << " b=" << b;
      }
    }
  }
}

TEST(ReduceBelowSquare, MatchesTheRemainderOnTheWholeRangeForEveryPrimeThatFitsAResidue) {
  for (int32_t p : PrimesUpTo(kMaxFieldPrime)) {
    PrimeField field = FieldOf(p);
    const uint32_t limit = static_cast<uint32_t>(p * p);
    for (uint32_t x = 0; x < limit; ++x) {
      ASSERT_EQ(ReduceBelowSquare(field, x), x % static_cast<uint32_t>(p)) << "p=" << p << " x=" << x;
    }
  }
}

}  // namespace
}  // namespace quarvel
