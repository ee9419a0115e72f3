#include "alexander/rational_fox_matrix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "group/knot_tables.h"
#include "integer_test_support.h"
#include "run/twisted_polynomial_stages.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::ConjugacyClass;
using testing::EntryTerms;
using testing::ParseRationalText;
using testing::Perm;
using testing::PrepareBraid;
using testing::PrepareFile;
using testing::SetPermutationRepresentation;
using testing::SetTrivialRepresentation;
using testing::TempDir;

RationalPolynomial Untwisted(const std::string& content) {
  Bench b;
  TempDir dir;
  PrepareFile(b.wb, dir, content);
  RationalMatrix matrix(1);
  EXPECT_TRUE(
      BuildUntwistedRationalFoxMatrix(b.wb.presentation, b.wb.field.currentPrime, matrix, b.wb.failure));
  return matrix(1, 1);
}

TEST(RationalFoxMatrix, ClassicalFoxDerivativesConjugatedAndNormalised) {
  // x y x^-1 y^-1: 1 - t^-1 for x, times t.
  EXPECT_EQ(Untwisted("+a+b-a-b\n"), ParseRationalText("-1+t"));
  // x y x y^-1 x^-1 y^-1 (the trefoil): 1 + t^-2 - t^-1, times t^2.
  EXPECT_EQ(Untwisted("+a+b+a-b-a-b\n"), ParseRationalText("1-t+t^{2}"));
  // With phi(y) = 0 the terms of x y x^-1 y^-1 cancel.
  EXPECT_EQ(Untwisted("+a+b-a-b\nb0\n"), ParseRationalText("0"));
}

// Rows 1 .. k(n-1) agree with the twisted Fox matrix over F_p of the same representation, each row
// up to its power of t (an entry that cancels counts in the row power over F_p, not over Q).
TEST(RationalFoxMatrix, AgreesWithTheMatrixOverFp) {
  struct Case {
    const char* knot;
    size_t degree;
    std::vector<int> cycleType;
    int32_t effort;
  };
  for (const Case& c : {Case{"3_1", 3, {2}, 0}, Case{"4_1", 5, {2, 2}, 20}, Case{"6_1", 3, {2}, 20}}) {
    Bench b;
    PrepareBraid(b.wb, std::string(KnotBraid(FindKnot(c.knot).knotList)), c.effort, 53);
    testing::ClassSearch search;
    search.accept = [](const std::map<int, Perm>& images) {
      return std::any_of(images.begin(), images.end(),
                         [&](const auto& entry) { return entry.second != images.begin()->second; });
    };
    const auto images =
        FindRepresentationIn(b.wb.presentation, ConjugacyClass(c.degree, c.cycleType), search);
    ASSERT_FALSE(images.empty()) << c.knot;
    SetPermutationRepresentation(b.wb, images);
    const int64_t n = b.wb.presentation.generatorCount, k = b.wb.current.degreeK;
    RationalMatrix rational(static_cast<int32_t>(std::min<int64_t>(k * n, kRationalMatrixSide)));
    ASSERT_TRUE(BuildRationalFoxMatrix(b.wb.presentation, b.wb.representation, b.wb.current.degreeK,
                                       b.wb.field.currentPrime, rational, b.wb.failure))
        << c.knot;
    BuildWorkbenchFoxMatrix(b.wb);
    const PrimeField field = testing::FieldOf(53);
    for (int32_t r = 1; r <= k * (n - 1); ++r) {
      int32_t lowest = kRationalSlots;
      for (int32_t col = 1; col <= k * (n - 1); ++col) {
        const std::vector<int> terms = EntryTerms(b.wb.matrix, r, col);
        auto first = std::find_if(terms.begin(), terms.end(), [](int v) { return v != 0; });
        if (first != terms.end()) lowest = std::min(lowest, static_cast<int32_t>(first - terms.begin()));
      }
      for (int32_t col = 1; col <= k * (n - 1); ++col) {
        const std::vector<int> terms = EntryTerms(b.wb.matrix, r, col);
        for (int32_t e = 0; e < kRationalSlots; ++e) {
          const size_t index = static_cast<size_t>(e + lowest);
          const int expected = index < terms.size() ? terms[index] : 0;
          EXPECT_EQ(ReduceModP(field, rational(r, col).coefficients[e].numerator), expected)
              << c.knot << " entry (" << r << "," << col << ") exponent " << e;
        }
      }
    }
    for (int32_t r = static_cast<int32_t>(k * (n - 1)) + 1; r <= rational.size(); ++r) {
      EXPECT_EQ(rational(r, 1).degree, -1) << "row " << r << " lies outside the matrix";
    }
  }
}

TEST(RationalFoxMatrix, PrefixExponentBeyondTwelveStopsTheRun) {
  for (int power : {12, 13}) {
    Bench b;
    TempDir dir;
    const std::string a = std::to_string(power) + "a";
    PrepareFile(b.wb, dir, "+" + a + "+b-" + a + "-b\nb0\n");
    RationalMatrix matrix(1);
    const bool built =
        BuildUntwistedRationalFoxMatrix(b.wb.presentation, b.wb.field.currentPrime, matrix, b.wb.failure);
    EXPECT_EQ(built, power == 12);
    EXPECT_EQ(b.wb.failure.computationFailed, power == 13);
    if (power == 13) {
      EXPECT_EQ(b.wb.failure.errorMessage, "Program error - degree");
    }
  }
}

TEST(RationalFoxMatrix, BuildsNothingAfterAFailureOrWithoutMatrices) {
  Bench b;
  PrepareBraid(b.wb, "{1,1,1}", 20, 13);
  RationalMatrix matrix(3);
  SetPermutationRepresentation(b.wb, {{1, {2, 1, 3}}, {2, {1, 3, 2}}, {3, {3, 2, 1}}});
  b.wb.current.degreeK = 2;  // the matrices are 3 x 3
  EXPECT_FALSE(BuildRationalFoxMatrix(b.wb.presentation, b.wb.representation, b.wb.current.degreeK,
                                      b.wb.field.currentPrime, matrix, b.wb.failure));
  EXPECT_FALSE(b.wb.failure.computationFailed);
  SetTrivialRepresentation(b.wb);
  matrix(1, 1) = ParseRationalText("5");
  Fail(b.wb.failure, "Out of memory");
  EXPECT_FALSE(BuildRationalFoxMatrix(b.wb.presentation, b.wb.representation, b.wb.current.degreeK,
                                      b.wb.field.currentPrime, matrix, b.wb.failure));
  EXPECT_EQ(b.wb.failure.errorMessage, "Out of memory");
  EXPECT_EQ(matrix(1, 1), ParseRationalText("5"));
}

}  // namespace
}  // namespace quarvel
