#include "poly/poly_matrix.h"

#include <gtest/gtest.h>

#include "test_support.h"

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <utility>
#include <vector>

namespace quarvel {
namespace {

using testing::FieldOf;
using testing::kSupportedPrimes;

// Every coefficient from -50 up to the entry degree, as MatrixGet reads it.
std::vector<int> ReadEntry(const PolyMatrix& matrix, int32_t i, int32_t j) {
  std::vector<int> coefficients;
  for (int32_t e = kMatrixMinExponent; e <= MatrixEntryDegree(matrix, i, j); ++e) {
    coefficients.push_back(MatrixGet(matrix, i, j, e));
  }
  return coefficients;
}

TEST(MatrixSet, RaisingTheDegreeFillsTheGapWithZerosAndAZeroAtTheTopLowersItAgain) {
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 4, 9, 0, 1, failure);
  MatrixSet(matrix, 4, 9, 2, 3, failure);
  ASSERT_EQ(MatrixEntryDegree(matrix, 4, 9), 2);
  MatrixSet(matrix, 4, 9, 150, 5, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 4, 9), 150);
  for (int32_t e = 3; e <= 149; ++e) EXPECT_EQ(MatrixGet(matrix, 4, 9, e), 0) << "e=" << e;
  EXPECT_EQ(MatrixGet(matrix, 4, 9, 150), 5);
  EXPECT_EQ(MatrixGet(matrix, 4, 9, 2), 3);
  MatrixSet(matrix, 4, 9, 150, 0, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 4, 9), 2);
  EXPECT_FALSE(failure.polynomialErrorFlag);
}

TEST(MatrixSet, ExponentsOutsideTheStoreChangeNothingAndRunOutOfMemory) {
  for (int32_t e : {kMatrixMaxExponent + 1, kMatrixMinExponent - 1}) {
    PolyMatrix matrix;
    FailureState failure;
    MatrixSet(matrix, 2, 3, -4, 6, failure);
    MatrixSet(matrix, 2, 3, 7, 1, failure);
    std::vector<int> before = ReadEntry(matrix, 2, 3);
    MatrixSet(matrix, 2, 3, e, 5, failure);
    EXPECT_TRUE(failure.polynomialErrorFlag) << "e=" << e;
    EXPECT_FALSE(failure.computationFailed);
    EXPECT_EQ(failure.errorMessage, "Out of memory");
    EXPECT_EQ(MatrixEntryDegree(matrix, 2, 3), 7);
    EXPECT_EQ(ReadEntry(matrix, 2, 3), before);
  }
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 300, 300, kMatrixMaxExponent, 1, failure);
  MatrixSet(matrix, 300, 300, kMatrixMinExponent, 1, failure);
  EXPECT_FALSE(failure.polynomialErrorFlag);
  EXPECT_EQ(MatrixEntryDegree(matrix, 300, 300), kMatrixMaxExponent);
  EXPECT_EQ(MatrixLowestExponent(matrix, 300, 300), kMatrixMinExponent);
}

TEST(MatrixSet, APositionOutsideTheMatrixIsAProgramError) {
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 301, 1, 0, 1, failure);
  EXPECT_TRUE(failure.polynomialErrorFlag);
  EXPECT_EQ(failure.errorMessage, "Program error");
  EXPECT_EQ(MatrixGet(matrix, 301, 1, 0), 0);
  EXPECT_EQ(MatrixEntryDegree(matrix, 0, 5), kEmptyEntryDegree);
}

TEST(MatrixGet, ReadsZeroAboveTheEntryDegreeAndBelowTheStore) {
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 5, 5, 3, 4, failure);
  EXPECT_EQ(MatrixGet(matrix, 5, 5, 3), 4);
  EXPECT_EQ(MatrixGet(matrix, 5, 5, 4), 0);
  EXPECT_EQ(MatrixGet(matrix, 5, 5, kMatrixMaxExponent + 7), 0);
  EXPECT_EQ(MatrixGet(matrix, 5, 5, kMatrixMinExponent - 1), 0);
  // A zero stored above the degree does not raise it.
  MatrixSet(matrix, 5, 5, 9, 0, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 5, 5), 3);
}

TEST(MatrixLowestExponent, EmptyCancelledAndNegativeEntries) {
  PolyMatrix matrix;
  FailureState failure;
  EXPECT_EQ(MatrixLowestExponent(matrix, 1, 1), kEmptyEntryLowestExponent);
  // A term at -50 alone keeps the degree at -50 but is not empty.
  MatrixSet(matrix, 1, 1, -50, 2, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 1, 1), -50);
  EXPECT_EQ(MatrixLowestExponent(matrix, 1, 1), -50);
  // Terms that cancel leave the degree at -1, which is what the lowest exponent reports.
  MatrixSet(matrix, 1, 2, 4, 1, failure);
  MatrixSet(matrix, 1, 2, 4, 0, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 1, 2), -1);
  EXPECT_EQ(MatrixLowestExponent(matrix, 1, 2), -1);
  // Lowering stops at -1 even when a negative term remains below.
  MatrixSet(matrix, 1, 3, -3, 5, failure);
  MatrixSet(matrix, 1, 3, 6, 1, failure);
  MatrixSet(matrix, 1, 3, 6, 0, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 1, 3), -1);
  EXPECT_EQ(MatrixLowestExponent(matrix, 1, 3), -3);
  EXPECT_FALSE(MatrixEntryIsNonzero(matrix, 1, 3));
  EXPECT_EQ(MatrixGet(matrix, 1, 3, -3), 5);
  // An entry of negative degree whose terms were all cleared reports its degree.
  MatrixSet(matrix, 1, 4, -10, 3, failure);
  MatrixSet(matrix, 1, 4, -10, 0, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 1, 4), -10);
  EXPECT_EQ(MatrixLowestExponent(matrix, 1, 4), -10);
}

TEST(MatrixEntryIsNonzero, OnlyTermsAtNonnegativeExponentsCount) {
  PolyMatrix matrix;
  FailureState failure;
  EXPECT_FALSE(MatrixEntryIsNonzero(matrix, 7, 7));
  MatrixSet(matrix, 7, 7, -2, 1, failure);
  EXPECT_FALSE(MatrixEntryIsNonzero(matrix, 7, 7));
  MatrixSet(matrix, 7, 7, 0, 1, failure);
  EXPECT_TRUE(MatrixEntryIsNonzero(matrix, 7, 7));
}

TEST(MatrixEntryToPoly, CopiesExponentsFromZeroAndRefusesEntriesLongerThanAPolynomial) {
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 3, 1, -5, 4, failure);
  MatrixSet(matrix, 3, 1, 0, 2, failure);
  MatrixSet(matrix, 3, 1, 5000, 1, failure);
  Polynomial f = MatrixEntryToPoly(matrix, 3, 1, failure);
  EXPECT_FALSE(failure.polynomialErrorFlag);
  Polynomial expected;
  expected.coefficients[0] = 2;
  expected.coefficients[5000] = 1;
  EXPECT_EQ(f, expected);
  EXPECT_EQ(MatrixEntryToPoly(matrix, 9, 9, failure), Polynomial{});

  MatrixSet(matrix, 3, 1, 5001, 1, failure);
  MatrixEntryToPoly(matrix, 3, 1, failure);
  EXPECT_TRUE(failure.polynomialErrorFlag);
  EXPECT_EQ(failure.errorMessage, "Program error");
}

TEST(MatrixCoefficients, IsTheEntryFromMinusFiftyUpToItsDegree) {
  PolyMatrix matrix;
  FailureState failure;
  EXPECT_EQ(MatrixCoefficients(matrix, 2, 2).size(), 1u);
  EXPECT_EQ(MatrixCoefficients(matrix, 2, 2)[0], 0);
  MatrixSet(matrix, 2, 2, -49, 3, failure);
  MatrixSet(matrix, 2, 2, 12, 7, failure);
  std::span<const Residue> span = MatrixCoefficients(matrix, 2, 2);
  ASSERT_EQ(span.size(), 63u);
  EXPECT_EQ(span[1], 3);
  EXPECT_EQ(span[62], 7);
  EXPECT_EQ(std::vector<int>(span.begin(), span.end()), ReadEntry(matrix, 2, 2));
}

TEST(MatrixSubtractMultiple, RemovesALeadingTermAsTheReductionDoes) {
  // (s, j) = 2 + 3t + t^2 and (s, s) = 1 + 2t over F_5: factor 1 * inverse(2) = 3, shift 1.
  PrimeField field = FieldOf(5);
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 1, 1, 0, 1, failure);
  MatrixSet(matrix, 1, 1, 1, 2, failure);
  MatrixSet(matrix, 1, 2, 0, 2, failure);
  MatrixSet(matrix, 1, 2, 1, 3, failure);
  MatrixSet(matrix, 1, 2, 2, 1, failure);
  MatrixSubtractMultiple(matrix, 1, 2, 1, 1, 3, 1, field, failure);
  // 2 + 3t + t^2 - 3t(1 + 2t) = 2 + 0t - 5t^2 = 2
  EXPECT_EQ(MatrixEntryDegree(matrix, 1, 2), 0);
  EXPECT_EQ(MatrixGet(matrix, 1, 2, 0), 2);
  EXPECT_EQ(MatrixGet(matrix, 1, 2, 1), 0);
  EXPECT_FALSE(failure.polynomialErrorFlag);
}

TEST(MatrixSubtractMultiple, AnEntryMinusItselfIsZero) {
  PrimeField field = FieldOf(7);
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 6, 6, -2, 3, failure);
  MatrixSet(matrix, 6, 6, 5, 4, failure);
  MatrixSubtractMultiple(matrix, 6, 6, 6, 6, 1, 0, field, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 6, 6), -1);
  EXPECT_EQ(MatrixLowestExponent(matrix, 6, 6), -1);
  // f - 2t f for f = 1 + t: 1 + t - 2t - 2t^2 = 1 + 6t + 5t^2 over F_7.
  MatrixSet(matrix, 6, 7, 0, 1, failure);
  MatrixSet(matrix, 6, 7, 1, 1, failure);
  MatrixSubtractMultiple(matrix, 6, 7, 6, 7, 2, 1, field, failure);
  std::vector<int> expected(50, 0);
  expected.insert(expected.end(), {1, 6, 5});
  EXPECT_EQ(ReadEntry(matrix, 6, 7), expected);
}

TEST(MatrixSubtractMultiple, TermsLeavingTheStoreAreDroppedWithOutOfMemory) {
  PrimeField field = FieldOf(3);
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 1, 1, 0, 1, failure);
  MatrixSet(matrix, 1, 1, 3, 1, failure);
  MatrixSubtractMultiple(matrix, 2, 1, 1, 1, 1, 9998, field, failure);
  EXPECT_TRUE(failure.polynomialErrorFlag);
  EXPECT_EQ(failure.errorMessage, "Out of memory");
  EXPECT_EQ(MatrixEntryDegree(matrix, 2, 1), 9998);
  EXPECT_EQ(MatrixGet(matrix, 2, 1, 9998), 2);

  FailureState below;
  MatrixSubtractMultiple(matrix, 2, 2, 1, 1, 1, -52, field, below);
  EXPECT_TRUE(below.polynomialErrorFlag);
  EXPECT_EQ(MatrixEntryDegree(matrix, 2, 2), -49);
  EXPECT_EQ(MatrixGet(matrix, 2, 2, -49), 2);
  EXPECT_EQ(MatrixLowestExponent(matrix, 2, 2), -49);

  // Terms landing exactly on -50 and 10000 are still inside.
  FailureState inside;
  MatrixSubtractMultiple(matrix, 3, 1, 1, 1, 1, 9997, field, inside);
  MatrixSubtractMultiple(matrix, 3, 2, 1, 1, 1, -50, field, inside);
  EXPECT_FALSE(inside.polynomialErrorFlag);
  EXPECT_EQ(MatrixEntryDegree(matrix, 3, 1), kMatrixMaxExponent);
  EXPECT_EQ(MatrixLowestExponent(matrix, 3, 1), 9997);
  EXPECT_EQ(MatrixEntryDegree(matrix, 3, 2), -47);
  EXPECT_EQ(MatrixLowestExponent(matrix, 3, 2), kMatrixMinExponent);
}

TEST(MatrixSwapEntries, ExchangesCoefficientsAndDegrees) {
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 1, 1, 4, 2, failure);
  MatrixSet(matrix, 250, 3, -7, 1, failure);
  MatrixSwapEntries(matrix, 1, 1, 250, 3, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 1, 1), -7);
  EXPECT_EQ(MatrixGet(matrix, 1, 1, -7), 1);
  EXPECT_EQ(MatrixEntryDegree(matrix, 250, 3), 4);
  EXPECT_EQ(MatrixGet(matrix, 250, 3, 4), 2);
  MatrixSwapEntries(matrix, 1, 1, 299, 299, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 1, 1), kEmptyEntryDegree);
  EXPECT_EQ(MatrixLowestExponent(matrix, 299, 299), -7);
  EXPECT_FALSE(failure.polynomialErrorFlag);
}

TEST(PolyMatrixStorage, FollowsWhatTheMatrixHolds) {
  PrimeField field = FieldOf(53);
  PolyMatrix matrix;
  FailureState failure;
  EXPECT_EQ(MatrixStorageBytes(matrix), 0u);
  // Reading never allocates.
  EXPECT_EQ(MatrixGet(matrix, 300, 300, 5), 0);
  EXPECT_EQ(MatrixStorageBytes(matrix), 0u);

  // One row of 100 entries of degree 1000: about 105 kB of coefficients, not a 300 x 300 block.
  for (int32_t j = 1; j <= 100; ++j) {
    for (int32_t e = 0; e <= 1000; ++e)
      MatrixSet(matrix, 1, j, e, static_cast<Residue>(1 + (e + j) % 52), failure);
  }
  const size_t held = 100 * 1051;
  EXPECT_GE(MatrixStorageBytes(matrix), held);
  EXPECT_LE(MatrixStorageBytes(matrix), 4 * held + 300 * sizeof(PolyMatrixSlot));

  // Cancelling every entry gives its block back; the next growth compacts the arena.
  for (int32_t j = 1; j <= 100; ++j) MatrixSubtractMultiple(matrix, 1, j, 1, j, 1, 0, field, failure);
  MatrixSet(matrix, 1, 1, 3, 1, failure);
  EXPECT_LE(MatrixStorageBytes(matrix), 4096 + 300 * sizeof(PolyMatrixSlot));
  EXPECT_EQ(ReadEntry(matrix, 1, 1).back(), 1);

  ResetMatrix(matrix);
  EXPECT_EQ(MatrixStorageBytes(matrix), 0u);
  EXPECT_EQ(MatrixEntryDegree(matrix, 1, 1), kEmptyEntryDegree);
  EXPECT_EQ(MatrixLowestExponent(matrix, 1, 1), kEmptyEntryLowestExponent);
  EXPECT_FALSE(failure.polynomialErrorFlag);
}

TEST(PolyMatrixStorage, EntriesSurviveRepeatedGrowthAndCompaction) {
  std::mt19937 random(77);
  PolyMatrix matrix;
  FailureState failure;
  std::map<std::pair<int32_t, int32_t>, std::vector<int>> expected;
  // Entries grow in small steps, interleaved, so blocks are abandoned and the arena compacts.
  for (int32_t top = 0; top <= 3000; top += 150) {
    for (int32_t n = 1; n <= 40; ++n) {
      int32_t i = n % 7 + 1;
      int32_t j = n;
      std::vector<int>& entry = expected[{i, j}];
      for (int32_t e = static_cast<int32_t>(entry.size()); e <= top; ++e) {
        int v = std::uniform_int_distribution<int>(1, 52)(random);
        entry.push_back(v);
        MatrixSet(matrix, i, j, e, static_cast<Residue>(v), failure);
      }
    }
  }
  for (const auto& [position, coefficients] : expected) {
    std::vector<int> read = ReadEntry(matrix, position.first, position.second);
    ASSERT_EQ(read.size(), coefficients.size() + 50);
    EXPECT_TRUE(std::equal(coefficients.begin(), coefficients.end(), read.begin() + 50))
        << "entry " << position.first << "," << position.second;
  }
  EXPECT_LE(MatrixStorageBytes(matrix), 4 * 40 * 3051 + 8 * 300 * sizeof(PolyMatrixSlot));
}

// The store as the rules describe it, kept as literally as possible.
class ReferenceMatrix {
 public:
  int Degree(int32_t i, int32_t j) { return entries_[{i, j}].degree; }

  int Get(int32_t i, int32_t j, int32_t e) {
    Entry& entry = entries_[{i, j}];
    if (e > entry.degree) return 0;
    return Stored(entry, e);
  }

  void Set(int32_t i, int32_t j, int32_t e, int v, FailureState& failure) {
    if (e > 10000 || e < -50) {
      FailPolynomial(failure, "Out of memory");
      return;
    }
    Entry& entry = entries_[{i, j}];
    if (e > entry.degree && v != 0) {
      for (int32_t x = entry.degree + 1; x <= e - 1; ++x) entry.stored[x] = 0;
      entry.degree = e;
    }
    entry.stored[e] = v;
    if (v == 0 && e == entry.degree) {
      while (Stored(entry, entry.degree) == 0 && entry.degree >= 0) --entry.degree;
    }
  }

  // Exponents -50 .. entry degree as read.
  std::vector<int> Dense(int32_t i, int32_t j) {
    Entry& entry = entries_[{i, j}];
    std::vector<int> coefficients(static_cast<size_t>(entry.degree + 51), 0);
    for (auto [e, v] : entry.stored) {
      if (e <= entry.degree) coefficients[static_cast<size_t>(e + 50)] = v;
    }
    return coefficients;
  }

  // Exponent by exponent in ascending order, one MatrixSet per nonzero source term.
  void SubtractMultiple(int32_t i, int32_t j, int32_t r, int32_t k, int factor, int32_t shift, int32_t p,
                        FailureState& failure) {
    std::vector<std::pair<int32_t, int>> source;
    for (int32_t e = -50; e <= Degree(r, k); ++e) {
      if (int c = Get(r, k, e); c != 0) source.emplace_back(e, c);
    }
    for (auto [e, c] : source) {
      int64_t target = int64_t{e} + shift;
      if (target > 10000 || target < -50) {
        FailPolynomial(failure, "Out of memory");
        continue;
      }
      int32_t t = static_cast<int32_t>(target);
      int v = ((Get(i, j, t) - factor * c) % p + p) % p;
      Set(i, j, t, v, failure);
    }
  }

  void Swap(int32_t i, int32_t j, int32_t r, int32_t k) { std::swap(entries_[{i, j}], entries_[{r, k}]); }

  void Reset() { entries_.clear(); }

 private:
  struct Entry {
    int degree = -50;
    std::map<int32_t, int> stored;
  };

  static int Stored(const Entry& entry, int32_t e) {
    auto found = entry.stored.find(e);
    return found == entry.stored.end() ? 0 : found->second;
  }

  std::map<std::pair<int32_t, int32_t>, Entry> entries_;
};

const std::vector<std::pair<int32_t, int32_t>> kPositions = {{1, 1}, {1, 2},     {2, 1},
                                                             {2, 2}, {300, 300}, {150, 7}};

// The lowest exponent by the rule: scan from the entry degree down to -50.
int ReferenceLowest(const std::vector<int>& coefficients) {
  int degree = static_cast<int>(coefficients.size()) - 51;
  int lowest = 0;
  bool found = false;
  for (int e = degree; e >= -50; --e) {
    if (coefficients[static_cast<size_t>(e + 50)] != 0) {
      lowest = e;
      found = true;
    }
  }
  if (found) return lowest;
  if (degree == -50 && coefficients[0] == 0) return -51;
  return degree;
}

bool ReferenceIsNonzero(const std::vector<int>& coefficients) {
  return std::any_of(coefficients.begin() + 50, coefficients.end(), [](int c) { return c != 0; });
}

void ExpectSameEntry(const PolyMatrix& matrix, ReferenceMatrix& reference,
                     std::pair<int32_t, int32_t> position) {
  auto [i, j] = position;
  SCOPED_TRACE("entry " + std::to_string(i) + "," + std::to_string(j));
  std::vector<int> expected = reference.Dense(i, j);
  ASSERT_EQ(MatrixEntryDegree(matrix, i, j), reference.Degree(i, j));
  ASSERT_EQ(ReadEntry(matrix, i, j), expected);
  std::span<const Residue> span = MatrixCoefficients(matrix, i, j);
  ASSERT_EQ(std::vector<int>(span.begin(), span.end()), expected);
  EXPECT_EQ(MatrixGet(matrix, i, j, reference.Degree(i, j) + 1), 0);
  EXPECT_EQ(MatrixLowestExponent(matrix, i, j), ReferenceLowest(expected));
  EXPECT_EQ(MatrixEntryIsNonzero(matrix, i, j), ReferenceIsNonzero(expected));
}

// How far from the usual range a random sequence reaches.
struct SequenceProfile {
  int steps = 0;
  bool nearLimits = false;  // exponents and shifts that run into -50 and 10000
};

// An exponent near where things happen: around the degree, in the usual range, or at the limits.
int32_t PickExponent(std::mt19937& random, int32_t degree, const SequenceProfile& profile) {
  int choice = std::uniform_int_distribution<int>(0, 9)(random);
  if (choice < 3) return degree + std::uniform_int_distribution<int32_t>(-3, 3)(random);
  if (choice == 3) return std::uniform_int_distribution<int32_t>(-53, -45)(random);
  if (choice == 4 && profile.nearLimits) return std::uniform_int_distribution<int32_t>(9990, 10003)(random);
  if (degree > 200) return std::uniform_int_distribution<int32_t>(-50, degree)(random);
  return std::uniform_int_distribution<int32_t>(-50, 150)(random);
}

// Away from the limits, shifts that would carry the source beyond degree 200 point down instead, so
// that entries stay short and many steps fit in the test's time.
int32_t PickShift(std::mt19937& random, int32_t sourceDegree, const SequenceProfile& profile) {
  int choice = std::uniform_int_distribution<int>(0, 9)(random);
  if (profile.nearLimits && choice == 0) return std::uniform_int_distribution<int32_t>(9900, 10060)(random);
  if (profile.nearLimits && choice == 1) return std::uniform_int_distribution<int32_t>(-10060, -9900)(random);
  int32_t shift = std::uniform_int_distribution<int32_t>(-60, 60)(random);
  return !profile.nearLimits && sourceDegree + shift > 200 ? -std::abs(shift) : shift;
}

// Random MatrixSet, MatrixSubtractMultiple, MatrixSwapEntries and ResetMatrix calls on a few
// entries, against the reference; every entry an operation touched is compared after it, with its
// coefficients, degree, lowest exponent and nonzero test, and the failure state.
void RunAgainstReference(int32_t p, uint32_t seed, const SequenceProfile& profile) {
  std::mt19937 random(seed);
  PrimeField field = FieldOf(p);
  PolyMatrix matrix;
  ReferenceMatrix reference;
  FailureState failure;
  FailureState expectedFailure;
  auto position = [&] {
    return kPositions[std::uniform_int_distribution<size_t>(0, kPositions.size() - 1)(random)];
  };
  auto residue = [&] {
    bool zero = std::bernoulli_distribution(0.35)(random);
    return zero ? 0 : std::uniform_int_distribution<int>(1, p - 1)(random);
  };
  for (int step = 0; step < profile.steps; ++step) {
    auto target = position();
    auto source = target;
    auto [i, j] = target;
    std::ostringstream operation;
    int kind = std::uniform_int_distribution<int>(0, 99)(random);
    if (kind < 55) {
      int32_t e = PickExponent(random, reference.Degree(i, j), profile);
      int v = residue();
      operation << "MatrixSet(" << i << "," << j << "," << e << "," << v << ")";
      MatrixSet(matrix, i, j, e, static_cast<Residue>(v), failure);
      reference.Set(i, j, e, v, expectedFailure);
    } else if (kind < 90) {
      source = position();
      auto [r, k] = source;
      int factor = std::uniform_int_distribution<int>(0, p - 1)(random);
      int32_t shift = PickShift(random, reference.Degree(r, k), profile);
      operation << "MatrixSubtractMultiple(" << i << "," << j << "," << r << "," << k << "," << factor << ","
                << shift << ")";
      MatrixSubtractMultiple(matrix, i, j, r, k, static_cast<Residue>(factor), shift, field, failure);
      reference.SubtractMultiple(i, j, r, k, factor, shift, p, expectedFailure);
    } else if (kind < 98) {
      source = position();
      auto [r, k] = source;
      operation << "MatrixSwapEntries(" << i << "," << j << "," << r << "," << k << ")";
      MatrixSwapEntries(matrix, i, j, r, k, failure);
      reference.Swap(i, j, r, k);
    } else {
      operation << "ResetMatrix";
      ResetMatrix(matrix);
      reference.Reset();
    }
    SCOPED_TRACE("p=" + std::to_string(p) + " seed=" + std::to_string(seed) + " step " +
                 std::to_string(step) + ": " + operation.str());
    ASSERT_EQ(failure.polynomialErrorFlag, expectedFailure.polynomialErrorFlag);
    ASSERT_EQ(failure.errorMessage, expectedFailure.errorMessage);
    failure = {};
    expectedFailure = {};
    std::vector<std::pair<int32_t, int32_t>> checked = {target, source};
    if (step % 50 == 0) checked = kPositions;
    for (auto entry : checked) {
      ExpectSameEntry(matrix, reference, entry);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(PolyMatrix, AgreesWithTheLiteralRulesUnderLongRandomSequencesOverEverySupportedPrime) {
  for (int32_t p : kSupportedPrimes) {
    RunAgainstReference(p, 9000 + static_cast<uint32_t>(p), {.steps = 1500, .nearLimits = false});
    if (HasFatalFailure()) return;
  }
}

TEST(PolyMatrix, AgreesWithTheLiteralRulesAtTheExponentLimitsOverEverySupportedPrime) {
  for (int32_t p : kSupportedPrimes) {
    RunAgainstReference(p, 7000 + static_cast<uint32_t>(p), {.steps = 60, .nearLimits = true});
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace quarvel
