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

// Every coefficient from `from` (by default -50) up to the entry degree, as MatrixGet reads it.
std::vector<int> ReadEntry(const PolyMatrix& matrix, int32_t i, int32_t j, int32_t from = kEmptyEntryDegree) {
  std::vector<int> coefficients;
  for (int32_t e = from; e <= MatrixEntryDegree(matrix, i, j); ++e) {
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

TEST(MatrixSet, ExponentsFarAboveAndBelowAreStoredAndReadBack) {
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 300, 300, 20000, 1, failure);
  MatrixSet(matrix, 300, 300, -500, 2, failure);
  EXPECT_FALSE(failure.polynomialErrorFlag);
  EXPECT_EQ(MatrixEntryDegree(matrix, 300, 300), 20000);
  EXPECT_EQ(MatrixLowestExponent(matrix, 300, 300), -500);
  EXPECT_EQ(MatrixFirstExponent(matrix, 300, 300), -500);
  EXPECT_EQ(MatrixGet(matrix, 300, 300, 20000), 1);
  EXPECT_EQ(MatrixGet(matrix, 300, 300, -500), 2);
  EXPECT_EQ(MatrixCoefficients(matrix, 300, 300).size(), 20501u);
  // An empty entry takes a term below -50 as its degree; a term below the degree leaves it.
  MatrixSet(matrix, 7, 7, -80, 3, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 7, 7), -80);
  MatrixSet(matrix, 7, 7, -90, 4, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 7, 7), -80);
  EXPECT_EQ(MatrixLowestExponent(matrix, 7, 7), -90);
  EXPECT_FALSE(failure.polynomialErrorFlag);
}

TEST(MatrixSet, AStorePastItsCeilingRunsOutOfMemoryAndChangesNothing) {
  PolyMatrix matrix;
  matrix.byteCeiling = 64 * 1024;
  FailureState failure;
  MatrixSet(matrix, 1, 1, 7, 1, failure);
  ASSERT_FALSE(failure.polynomialErrorFlag);
  const std::vector<int> before = ReadEntry(matrix, 1, 1);
  for (int32_t e : {100000, -100000}) {
    MatrixSet(matrix, 1, 1, e, 5, failure);
    EXPECT_TRUE(failure.polynomialErrorFlag) << e;
    EXPECT_EQ(failure.errorMessage, "Out of memory");
    EXPECT_EQ(ReadEntry(matrix, 1, 1), before);
    EXPECT_LE(MatrixStorageBytes(matrix), matrix.byteCeiling);
    failure = {};
  }
  PrimeField field = FieldOf(5);
  MatrixSubtractMultiple(matrix, 2, 1, 1, 1, 1, 100000, field, failure);
  EXPECT_EQ(failure.errorMessage, "Out of memory");
  EXPECT_EQ(MatrixEntryDegree(matrix, 2, 1), kEmptyEntryDegree);
  // The ceiling outlives a reset.
  ResetMatrix(matrix);
  EXPECT_EQ(matrix.byteCeiling, 64u * 1024);
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
  EXPECT_EQ(MatrixGet(matrix, 5, 5, 20000), 0);
  EXPECT_EQ(MatrixGet(matrix, 5, 5, -51), 0);
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

TEST(MatrixEntryToPoly, CopiesExponentsFromZeroOfAnyDegree) {
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 3, 1, -5, 4, failure);
  MatrixSet(matrix, 3, 1, 0, 2, failure);
  MatrixSet(matrix, 3, 1, 7000, 1, failure);
  Polynomial expected;
  PolySetCoefficient(expected, 0, 2);
  PolySetCoefficient(expected, 7000, 1);
  EXPECT_EQ(MatrixEntryToPoly(matrix, 3, 1), expected);
  EXPECT_EQ(MatrixEntryToPoly(matrix, 9, 9), Polynomial{});
  MatrixSet(matrix, 3, 2, -5, 4, failure);  // only a negative term: zero
  EXPECT_EQ(MatrixEntryToPoly(matrix, 3, 2), Polynomial{});
  EXPECT_FALSE(failure.polynomialErrorFlag);
}

TEST(MatrixCoefficients, IsTheEntryFromItsFirstExponentUpToItsDegree) {
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
  // A term below -50 moves the first exponent down with it.
  MatrixSet(matrix, 2, 2, -60, 1, failure);
  EXPECT_EQ(MatrixFirstExponent(matrix, 2, 2), -60);
  span = MatrixCoefficients(matrix, 2, 2);
  ASSERT_EQ(span.size(), 73u);
  EXPECT_EQ(span[0], 1);
  EXPECT_EQ(span[11], 3);
  EXPECT_EQ(std::vector<int>(span.begin(), span.end()), ReadEntry(matrix, 2, 2, -60));
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

TEST(MatrixSubtractMultiple, ShiftsFarUpAndDownAreApplied) {
  PrimeField field = FieldOf(3);
  PolyMatrix matrix;
  FailureState failure;
  MatrixSet(matrix, 1, 1, 0, 1, failure);
  MatrixSet(matrix, 1, 1, 3, 1, failure);
  MatrixSubtractMultiple(matrix, 2, 1, 1, 1, 1, 19998, field, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 2, 1), 20001);
  EXPECT_EQ(MatrixGet(matrix, 2, 1, 19998), 2);
  EXPECT_EQ(MatrixLowestExponent(matrix, 2, 1), 19998);
  // Into an empty entry, wholly below -50: the top term becomes the degree.
  MatrixSubtractMultiple(matrix, 2, 2, 1, 1, 1, -552, field, failure);
  EXPECT_EQ(MatrixEntryDegree(matrix, 2, 2), -549);
  EXPECT_EQ(MatrixGet(matrix, 2, 2, -549), 2);
  EXPECT_EQ(MatrixLowestExponent(matrix, 2, 2), -552);
  EXPECT_FALSE(failure.polynomialErrorFlag);
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

  // A reset keeps only the entry table of the one row stored into.
  ResetMatrix(matrix);
  EXPECT_LE(MatrixStorageBytes(matrix), 300 * sizeof(PolyMatrixSlot));
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

  void Set(int32_t i, int32_t j, int32_t e, int v) {
    Entry& entry = entries_[{i, j}];
    if (v != 0 && (e > entry.degree || (e < -50 && Empty(entry)))) {
      for (int32_t x = entry.degree + 1; x <= e - 1; ++x) entry.stored[x] = 0;
      entry.degree = e;
    }
    entry.stored[e] = v;
    if (v == 0 && e == entry.degree) {
      while (Stored(entry, entry.degree) == 0 && entry.degree >= 0) --entry.degree;
    }
  }

  // The lowest exponent ever stored into, -50 when that is higher.
  int32_t Lowest(int32_t i, int32_t j) {
    Entry& entry = entries_[{i, j}];
    return entry.stored.empty() ? -50 : std::min(-50, entry.stored.begin()->first);
  }

  // Exponents `from` .. entry degree as read.
  std::vector<int> Dense(int32_t i, int32_t j, int32_t from) {
    Entry& entry = entries_[{i, j}];
    std::vector<int> coefficients(static_cast<size_t>(std::max(entry.degree - from + 1, 0)), 0);
    for (auto [e, v] : entry.stored) {
      if (e <= entry.degree && e >= from) coefficients[static_cast<size_t>(e - from)] = v;
    }
    return coefficients;
  }

  // Exponent by exponent in ascending order, one MatrixSet per nonzero source term.
  void SubtractMultiple(int32_t i, int32_t j, int32_t r, int32_t k, int factor, int32_t shift, int32_t p) {
    std::vector<std::pair<int32_t, int>> source;
    for (int32_t e = Lowest(r, k); e <= Degree(r, k); ++e) {
      if (int c = Get(r, k, e); c != 0) source.emplace_back(e, c);
    }
    for (auto [e, c] : source) {
      int32_t t = e + shift;
      int v = ((Get(i, j, t) - factor * c) % p + p) % p;
      Set(i, j, t, v);
    }
  }

  void Swap(int32_t i, int32_t j, int32_t r, int32_t k) { std::swap(entries_[{i, j}], entries_[{r, k}]); }

  void Reset() { entries_.clear(); }

 private:
  struct Entry {
    int degree = -50;
    std::map<int32_t, int> stored;
  };

  static bool Empty(const Entry& entry) {
    return entry.degree == -50 &&
           std::all_of(entry.stored.begin(), entry.stored.end(), [](auto term) { return term.second == 0; });
  }

  static int Stored(const Entry& entry, int32_t e) {
    auto found = entry.stored.find(e);
    return found == entry.stored.end() ? 0 : found->second;
  }

  std::map<std::pair<int32_t, int32_t>, Entry> entries_;
};

const std::vector<std::pair<int32_t, int32_t>> kPositions = {{1, 1}, {1, 2},     {2, 1},
                                                             {2, 2}, {300, 300}, {150, 7}};

// The lowest exponent by the rule, from the coefficients at `from` .. degree.
int ReferenceLowest(const std::vector<int>& coefficients, int32_t from) {
  const int degree = static_cast<int>(coefficients.size()) - 1 + from;
  for (size_t n = 0; n < coefficients.size(); ++n) {
    if (coefficients[n] != 0) return static_cast<int>(n) + from;
  }
  return degree == -50 ? kEmptyEntryLowestExponent : degree;
}

bool ReferenceIsNonzero(const std::vector<int>& coefficients, int32_t from) {
  for (size_t n = 0; n < coefficients.size(); ++n) {
    if (coefficients[n] != 0 && static_cast<int>(n) + from >= 0) return true;
  }
  return false;
}

void ExpectSameEntry(const PolyMatrix& matrix, ReferenceMatrix& reference,
                     std::pair<int32_t, int32_t> position) {
  auto [i, j] = position;
  SCOPED_TRACE("entry " + std::to_string(i) + "," + std::to_string(j));
  const int32_t first = MatrixFirstExponent(matrix, i, j);
  ASSERT_LE(first, -50);
  const int32_t from = std::min(first, reference.Lowest(i, j));
  std::vector<int> expected = reference.Dense(i, j, from);
  ASSERT_EQ(MatrixEntryDegree(matrix, i, j), reference.Degree(i, j));
  ASSERT_EQ(ReadEntry(matrix, i, j, from), expected);
  // The stored residues are the tail of that from the first exponent on.
  std::span<const Residue> span = MatrixCoefficients(matrix, i, j);
  const size_t skipped = std::min(static_cast<size_t>(first - from), expected.size());
  ASSERT_TRUE(std::all_of(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(skipped),
                          [](int c) { return c == 0; }));
  ASSERT_EQ(std::vector<int>(span.begin(), span.end()),
            std::vector<int>(expected.begin() + static_cast<std::ptrdiff_t>(skipped), expected.end()));
  EXPECT_EQ(MatrixGet(matrix, i, j, reference.Degree(i, j) + 1), 0);
  EXPECT_EQ(MatrixLowestExponent(matrix, i, j), ReferenceLowest(expected, from));
  EXPECT_EQ(MatrixEntryIsNonzero(matrix, i, j), ReferenceIsNonzero(expected, from));
}

// How far from the usual range a random sequence reaches.
struct SequenceProfile {
  int steps = 0;
  bool farOut = false;  // exponents and shifts far beyond -50 and 10000
};

// An exponent near where things happen: around the degree, in the usual range, or at the limits.
int32_t PickExponent(std::mt19937& random, int32_t degree, const SequenceProfile& profile) {
  int choice = std::uniform_int_distribution<int>(0, 9)(random);
  if (choice < 3) return degree + std::uniform_int_distribution<int32_t>(-3, 3)(random);
  if (choice == 3) return std::uniform_int_distribution<int32_t>(-53, -45)(random);
  if (choice == 4 && profile.farOut) return std::uniform_int_distribution<int32_t>(9990, 10003)(random);
  if (choice == 5 && profile.farOut) return std::uniform_int_distribution<int32_t>(-600, -500)(random);
  if (degree > 200) return std::uniform_int_distribution<int32_t>(-50, degree)(random);
  return std::uniform_int_distribution<int32_t>(-50, 150)(random);
}

// Away from the limits, shifts that would carry the source beyond degree 200 point down instead, so
// that entries stay short and many steps fit in the test's time.
int32_t PickShift(std::mt19937& random, int32_t sourceDegree, const SequenceProfile& profile) {
  int choice = std::uniform_int_distribution<int>(0, 9)(random);
  if (profile.farOut && choice == 0) return std::uniform_int_distribution<int32_t>(9900, 10060)(random);
  if (profile.farOut && choice == 1) return std::uniform_int_distribution<int32_t>(-10060, -9900)(random);
  int32_t shift = std::uniform_int_distribution<int32_t>(-60, 60)(random);
  return !profile.farOut && sourceDegree + shift > 200 ? -std::abs(shift) : shift;
}

// Random MatrixSet, MatrixSubtractMultiple, MatrixSwapEntries and ResetMatrix calls on a few
// entries, against the reference; every entry an operation touched is compared after it, with its
// coefficients, degree, lowest exponent and nonzero test; nothing fails.
void RunAgainstReference(int32_t p, uint32_t seed, const SequenceProfile& profile) {
  std::mt19937 random(seed);
  PrimeField field = FieldOf(p);
  PolyMatrix matrix;
  ReferenceMatrix reference;
  FailureState failure;
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
      reference.Set(i, j, e, v);
    } else if (kind < 90) {
      source = position();
      auto [r, k] = source;
      int factor = std::uniform_int_distribution<int>(0, p - 1)(random);
      int32_t shift = PickShift(random, reference.Degree(r, k), profile);
      operation << "MatrixSubtractMultiple(" << i << "," << j << "," << r << "," << k << "," << factor << ","
                << shift << ")";
      MatrixSubtractMultiple(matrix, i, j, r, k, static_cast<Residue>(factor), shift, field, failure);
      reference.SubtractMultiple(i, j, r, k, factor, shift, p);
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
    ASSERT_FALSE(failure.polynomialErrorFlag) << failure.errorMessage;
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
    RunAgainstReference(p, 9000 + static_cast<uint32_t>(p), {.steps = 1500, .farOut = false});
    if (HasFatalFailure()) return;
  }
}

TEST(PolyMatrix, AgreesWithTheLiteralRulesFarBeyondTheUsualExponentsOverEverySupportedPrime) {
  for (int32_t p : kSupportedPrimes) {
    RunAgainstReference(p, 7000 + static_cast<uint32_t>(p), {.steps = 60, .farOut = true});
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace quarvel
