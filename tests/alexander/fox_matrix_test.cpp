#include "alexander/fox_matrix.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <random>

#include "alexander_test_support.h"
#include "group/knot_tables.h"
#include "run/twisted_polynomial_stages.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::DescribeMatrix;
using testing::EntryTerms;
using testing::EvaluateWord;
using testing::Invert;
using testing::IsIdentity;
using testing::kSupportedPrimes;
using testing::Perm;
using testing::PrepareBraid;
using testing::ReadEntry;
using testing::SetEntry;
using testing::SetPermutationRepresentation;
using testing::SetTrivialRepresentation;

using Terms = std::vector<int>;

constexpr int32_t kNoPower = std::numeric_limits<int32_t>::max();

// A presentation given directly: generator numbers in ascending order, relators as words.
void SetPresentation(Workbench& wb, const std::vector<int>& generators, const std::vector<Word>& relators) {
  Presentation& p = wb.presentation;
  p.generatorCount = static_cast<int64_t>(generators.size());
  for (size_t i = 0; i < generators.size(); ++i) p.generatorLetters[i + 1] = generators[i];
  p.relatorCount = static_cast<int64_t>(relators.size());
  for (size_t j = 0; j < relators.size(); ++j) p.relators[j + 1] = relators[j];
}

// A word from a readable form: "a B" is +a-b (capital letters are inverses of generators 1..26).
Word W(const std::string& letters) {
  Word word;
  for (char c : letters) {
    if (c == ' ') continue;
    const bool inverse = c >= 'A' && c <= 'Z';
    word += inverse ? '-' : '+';
    word += static_cast<char>(inverse ? c - 'A' + 'a' : c);
  }
  return word;
}

void SetMatrices(Workbench& wb, int g, const std::vector<std::vector<int32_t>>& matrix,
                 const std::vector<std::vector<int32_t>>& inverse, Residue scalar = 1) {
  GeneratorImage& image = wb.representation.generators[g];
  const int32_t k = static_cast<int32_t>(matrix.size());
  image.matrix.Reset(k);
  image.inverseMatrix.Reset(k);
  for (int32_t a = 1; a <= k; ++a) {
    for (int32_t b = 1; b <= k; ++b) {
      image.matrix(a, b) = matrix[a - 1][b - 1];
      image.inverseMatrix(a, b) = inverse[a - 1][b - 1];
    }
  }
  image.abelianScalar = scalar;
}

void SetScalar(Workbench& wb, int g, Residue scalar) {
  SetMatrices(wb, g, {{1}}, {{1}}, scalar);
}

void UseField(Workbench& wb, int32_t p, int64_t k) {
  SetCurrentPrime(wb.field, p);
  wb.current.degreeK = k;
}

// ---------------------------------------------------------------------------------------------
// The build written term by term from the rules: a prefix matrix, scalar and exponent per
// generator-relator pair, every Fox term read with MatrixGet and stored with MatrixSet.

using Square = std::vector<std::vector<int64_t>>;  // 1-based, slot 0 unused

Square Product(const Square& left, const IntMatrix& right, int32_t k, int32_t p) {
  Square result(k + 1, std::vector<int64_t>(k + 1, 0));
  for (int32_t a = 1; a <= k; ++a) {
    for (int32_t b = 1; b <= k; ++b) {
      int64_t sum = 0;
      for (int32_t l = 1; l <= k; ++l) sum += left[a][l] * (((right(l, b) % p) + p) % p);
      result[a][b] = sum % p;
    }
  }
  return result;
}

// Each row times t^-v, v its lowest exponent over entries that are not empty, read and stored
// coefficient by coefficient.
void LiteralNormaliseRowPowers(Workbench& wb, int32_t rows, int32_t columns) {
  for (int32_t r = 1; r <= rows; ++r) {
    int32_t v = kNoPower;
    std::vector<bool> empty(static_cast<size_t>(columns) + 1);
    for (int32_t c = 1; c <= columns; ++c) {
      const int32_t degree = MatrixEntryDegree(wb.matrix, r, c);
      int32_t lowest = degree;  // an entry without a nonzero coefficient counts with its degree
      bool nonzero = false;
      for (int32_t e = degree; e >= MatrixFirstExponent(wb.matrix, r, c); --e) {
        if (MatrixGet(wb.matrix, r, c, e) != 0) lowest = e, nonzero = true;
      }
      empty[c] = degree == kEmptyEntryDegree && !nonzero;
      if (!empty[c]) v = std::min(v, lowest);
    }
    if (v == 0 || v == kNoPower) continue;
    for (int32_t c = 1; c <= columns; ++c) {
      const int32_t degree = MatrixEntryDegree(wb.matrix, r, c);
      if (empty[c]) continue;
      const int32_t first = MatrixFirstExponent(wb.matrix, r, c);
      if (v > 0) {
        for (int32_t d = 0; d <= degree - v; ++d) {
          MatrixSet(wb.matrix, r, c, d, MatrixGet(wb.matrix, r, c, d + v), wb.failure);
        }
        for (int32_t e = degree; e > degree - v; --e) MatrixSet(wb.matrix, r, c, e, 0, wb.failure);
      } else {
        for (int32_t d = degree - v; d >= 0; --d) {
          MatrixSet(wb.matrix, r, c, d, MatrixGet(wb.matrix, r, c, d + v), wb.failure);
        }
      }
      for (int32_t e = first; e < 0; ++e) MatrixSet(wb.matrix, r, c, e, 0, wb.failure);
    }
  }
}

void LiteralBuild(Workbench& wb) {
  const Presentation& presentation = wb.presentation;
  const int32_t k = static_cast<int32_t>(wb.current.degreeK);
  const int32_t p = wb.field.currentPrime;
  auto mod = [p](int64_t v) { return static_cast<Residue>(((v % p) + p) % p); };
  ResetMatrix(wb.matrix);
  for (int64_t i = 1; i <= presentation.generatorCount; ++i) {
    const int x = presentation.generatorLetters[i];
    for (int64_t j = 1; j <= presentation.relatorCount; ++j) {
      const Word& word = presentation.relators[j];
      Square prefix(k + 1, std::vector<int64_t>(k + 1, 0));
      for (int32_t a = 1; a <= k; ++a) prefix[a][a] = 1;
      int64_t s = 1;
      int64_t e = 0;
      for (size_t q = 0; q + 1 < word.size(); q += 2) {
        const bool minus = word[q] == '-';
        const int g = static_cast<unsigned char>(word[q + 1]) - kGeneratorByteBase;
        const GeneratorImage& image = wb.representation.generators[g];
        const int64_t scalar = mod(image.abelianScalar);
        const int64_t inverseScalar = InverseModP(wb.field, static_cast<Residue>(scalar));
        const int64_t phi = presentation.phi[g];
        if (g == x) {
          for (int32_t a = 1; a <= k; ++a) {
            for (int32_t b = 1; b <= k; ++b) {
              const int32_t row = static_cast<int32_t>((i - 1) * k + a);
              const int32_t column = static_cast<int32_t>((j - 1) * k + b);
              if (!minus) {
                const int32_t exponent = static_cast<int32_t>(-e);
                const int64_t old = MatrixGet(wb.matrix, row, column, exponent);
                MatrixSet(wb.matrix, row, column, exponent, mod(old + prefix[b][a] * s), wb.failure);
              } else {
                const Square q2 = Product(prefix, image.inverseMatrix, k, p);
                const int32_t exponent = static_cast<int32_t>(phi - e);
                const int64_t old = MatrixGet(wb.matrix, row, column, exponent);
                MatrixSet(wb.matrix, row, column, exponent, mod(old - inverseScalar * (q2[b][a] * s)),
                          wb.failure);
              }
            }
          }
        }
        prefix = Product(prefix, minus ? image.inverseMatrix : image.matrix, k, p);
        e += minus ? -phi : phi;
        s = s * (minus ? inverseScalar : scalar) % p;
        if (e < -48) Fail(wb.failure, "Program error");
      }
    }
  }
  LiteralNormaliseRowPowers(wb, static_cast<int32_t>(k * presentation.generatorCount),
                            static_cast<int32_t>(k * presentation.relatorCount));
}

// ---------------------------------------------------------------------------------------------

TEST(FoxMatrixEdgeCases, CommutatorGivesTMinusOneAfterTheRowNormalisation) {
  Bench b;
  UseField(b.wb, 13, 1);
  SetPresentation(b.wb, {1, 2}, {W("abAB")});
  b.wb.presentation.phi[1] = b.wb.presentation.phi[2] = 1;
  SetTrivialRepresentation(b.wb);
  BuildWorkbenchFoxMatrix(b.wb);
  // d/dx = 1 - x y x^-1 -> 1 - t^-1 -> t - 1; d/dy = x - x y x^-1 y^-1 -> t^-1 - 1 -> 1 - t.
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (Terms{12, 1}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 1), (Terms{1, 12}));
  EXPECT_FALSE(b.wb.failure.computationFailed);
  EXPECT_FALSE(b.wb.failure.polynomialErrorFlag);
}

TEST(FoxMatrixEdgeCases, ARelatorWithoutTheGeneratorLeavesItsBlockEmpty) {
  Bench b;
  UseField(b.wb, 5, 2);
  SetPresentation(b.wb, {1, 2}, {W("abAB"), W("bb")});
  SetPermutationRepresentation(b.wb, {{1, {2, 1}}, {2, {1, 2}}});
  BuildWorkbenchFoxMatrix(b.wb);
  for (int32_t row = 1; row <= 2; ++row) {
    for (int32_t column = 3; column <= 4; ++column) {
      EXPECT_EQ(MatrixEntryDegree(b.wb.matrix, row, column), kEmptyEntryDegree) << row << "," << column;
    }
  }
  EXPECT_GE(MatrixEntryDegree(b.wb.matrix, 3, 3), 0);  // b's block of "bb" is 1 + t^-1 (normalised)
}

TEST(FoxMatrixEdgeCases, AnInverseLetterUsesThePrefixThroughItTransposed) {
  Bench b;
  UseField(b.wb, 7, 2);
  SetPresentation(b.wb, {1}, {W("A"), W("a")});
  b.wb.presentation.phi[1] = 2;
  SetMatrices(b.wb, 1, {{1, 1}, {0, 1}}, {{1, -1}, {0, 1}});
  BuildWorkbenchFoxMatrix(b.wb);
  // Block of a^-1: -(A^-1)^T t^(phi - 0) = -[[1, 0], [-1, 1]] t^2; block of a: +I.
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (Terms{0, 0, 6}));
  EXPECT_EQ(MatrixEntryDegree(b.wb.matrix, 1, 2), kEmptyEntryDegree);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 1), (Terms{0, 0, 1}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 2), (Terms{0, 0, 6}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 3), (Terms{1}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 4), (Terms{1}));
  EXPECT_EQ(MatrixEntryDegree(b.wb.matrix, 1, 4), kEmptyEntryDegree);
}

TEST(FoxMatrixEdgeCases, ScalarsMultiplyAlongThePrefixAndInvertOnInverseLetters) {
  Bench b;
  UseField(b.wb, 7, 1);
  SetPresentation(b.wb, {1, 2}, {W("aba"), W("A")});
  b.wb.presentation.phi[1] = b.wb.presentation.phi[2] = 1;
  SetScalar(b.wb, 1, 2);
  SetScalar(b.wb, 2, 3);
  BuildWorkbenchFoxMatrix(b.wb);
  // Row a: 1 + s(ab) t^-2 = 1 + 6t^-2 and -s(a)^-1 t = 3t; the row is multiplied by t^2.
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (Terms{6, 0, 1}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 2), (Terms{0, 0, 0, 3}));
  // Row b: s(a) t^-1 = 2t^-1, multiplied by t.
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 1), (Terms{2}));
  EXPECT_EQ(MatrixEntryDegree(b.wb.matrix, 2, 2), kEmptyEntryDegree);
}

TEST(FoxMatrixEdgeCases, APrefixExponentBelowMinus48IsAProgramErrorButTheBuildRunsOn) {
  for (int letters : {48, 49}) {
    Bench b;
    UseField(b.wb, 13, 1);
    Word word;
    for (int q = 0; q < letters; ++q) word += "-a";
    SetPresentation(b.wb, {1, 2}, {word, W("ab")});
    b.wb.presentation.phi[1] = b.wb.presentation.phi[2] = 1;
    SetTrivialRepresentation(b.wb);
    NoRunControl none;
    const FailureState failures =
        TwistedFoxMatrix(b.wb.presentation, b.wb.representation, 1, b.wb.field, none, b.wb.matrix);
    EXPECT_EQ(failures.computationFailed, letters == 49) << letters;
    EXPECT_FALSE(failures.polynomialErrorFlag);
    EXPECT_EQ(failures.errorMessage, letters == 49 ? "Program error" : "") << letters;
    // The run records them on top of what it had: both flags, the build's message.
    FailureState run;
    FailPolynomial(run, "Out of memory");
    RaiseFailures(run, failures);
    EXPECT_EQ(run.computationFailed, letters == 49);
    EXPECT_TRUE(run.polynomialErrorFlag);
    EXPECT_EQ(run.errorMessage, letters == 49 ? "Program error" : "Out of memory");
    // -(t + t^2 + ... + t^letters); the row keeps its power since "ab" has a term at t^0.
    EXPECT_EQ(MatrixEntryDegree(b.wb.matrix, 1, 1), letters);
    EXPECT_EQ(MatrixLowestExponent(b.wb.matrix, 1, 1), 1);
    EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 2), (Terms{1}));  // the other relator is built as well
  }
}

TEST(FoxMatrixEdgeCases, TermsFarBelowExponentMinusFiftyAreBuiltAndShiftedUp) {
  Bench b;
  UseField(b.wb, 13, 1);
  Word word;
  for (int q = 0; q < 501; ++q) word += "+a";  // terms at t^0, t^-1, ..., t^-500
  SetPresentation(b.wb, {1}, {word});
  b.wb.presentation.phi[1] = 1;
  SetTrivialRepresentation(b.wb);
  BuildWorkbenchFoxMatrix(b.wb);
  EXPECT_FALSE(b.wb.failure.polynomialErrorFlag);
  EXPECT_FALSE(b.wb.failure.computationFailed);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), Terms(501, 1));  // times t^500: 1 + t + ... + t^500
  EXPECT_EQ(MatrixLowestExponent(b.wb.matrix, 1, 1), 0);
}

TEST(FoxMatrixEdgeCases, NothingHappensAfterAFailureAndThePanelsArePumpedPerPair) {
  Bench failed;
  UseField(failed.wb, 13, 1);
  SetPresentation(failed.wb, {1, 2}, {W("abAB")});
  SetTrivialRepresentation(failed.wb);
  SetEntry(failed.wb, 1, 1, 0, {3});
  Fail(failed.wb.failure, "Too many generators!");
  BuildWorkbenchFoxMatrix(failed.wb);
  EXPECT_EQ(EntryTerms(failed.wb.matrix, 1, 1), (Terms{3}));
  EXPECT_EQ(failed.surface.MessagePumps(), 0);

  Bench b;
  UseField(b.wb, 13, 1);
  SetPresentation(b.wb, {1, 2}, {W("abAB"), W("ab"), W("BB")});
  SetTrivialRepresentation(b.wb);
  BuildWorkbenchFoxMatrix(b.wb);
  EXPECT_EQ(b.surface.MessagePumps(), 2 * 3 + 1);
}

TEST(NormaliseRowPowers, ShiftsEachRowByItsLowestExponentOnly) {
  Bench b;
  UseField(b.wb, 13, 1);
  SetEntry(b.wb, 1, 1, -1, {12, 1});  // -t^-1 + 1 -> t - 1
  SetEntry(b.wb, 2, 1, 2, {5});       // 5t^2 with 7t^3 -> 5 + 7t
  SetEntry(b.wb, 2, 2, 3, {7});
  SetEntry(b.wb, 3, 1, 0, {4, 4});  // already from t^0: untouched
  SetEntry(b.wb, 3, 2, 2, {1});
  EXPECT_FALSE(NormaliseRowPowers(b.wb.matrix, b.wb.current.degreeK, 3, 2).computationFailed);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (Terms{12, 1}));
  EXPECT_EQ(MatrixEntryDegree(b.wb.matrix, 1, 2), kEmptyEntryDegree);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 1), (Terms{5}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 2, 2), (Terms{0, 7}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 3, 1), (Terms{4, 4}));
  EXPECT_EQ(EntryTerms(b.wb.matrix, 3, 2), (Terms{0, 0, 1}));
  for (int32_t row = 1; row <= 3; ++row) {
    for (int32_t e = kEmptyEntryDegree; e < 0; ++e) EXPECT_EQ(MatrixGet(b.wb.matrix, row, 1, e), 0);
  }
  // Columns beyond the block columns neither count nor move.
  SetEntry(b.wb, 1, 3, -5, {1});
  EXPECT_FALSE(NormaliseRowPowers(b.wb.matrix, b.wb.current.degreeK, 1, 2).computationFailed);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (Terms{12, 1}));
}

TEST(NormaliseRowPowers, ACancelledEntryCountsWithItsEntryDegree) {
  Bench b;
  UseField(b.wb, 13, 1);
  SetEntry(b.wb, 1, 1, 0, {2});
  MatrixSet(b.wb.matrix, 1, 2, 1, 4, b.wb.failure);  // 4t, then cancelled: entry degree -1
  MatrixSet(b.wb.matrix, 1, 2, 1, 0, b.wb.failure);
  ASSERT_EQ(MatrixEntryDegree(b.wb.matrix, 1, 2), -1);
  EXPECT_FALSE(NormaliseRowPowers(b.wb.matrix, b.wb.current.degreeK, 1, 2).computationFailed);
  EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (Terms{0, 2}));  // the row was multiplied by t
  EXPECT_EQ(MatrixEntryDegree(b.wb.matrix, 1, 2), -1);
}

// ---------------------------------------------------------------------------------------------
// The build against the literal one on random presentations and representations.

TEST(FoxMatrixAgreement, BuildAgreesWithTheTermByTermRulesOnRandomPresentations) {
  std::mt19937 random(4242);
  for (int32_t p : kSupportedPrimes) {
    for (int trial = 0; trial < 25; ++trial) {
      Bench fast;
      const int64_t k = 1 + static_cast<int64_t>(random() % 3);
      UseField(fast.wb, p, k);
      // Generators: a few distinct numbers, ascending; words over them and one spare number.
      std::vector<int> generators;
      for (int g = 1; g <= kMaxGenerators && generators.size() < 1 + random() % 4; ++g) {
        if (random() % 6 == 0) generators.push_back(g);
      }
      if (generators.empty()) generators.push_back(3);
      std::vector<int> letters = generators;
      if (random() % 3 == 0) letters.push_back(generators.back() % kMaxGenerators + 1);
      const int phiRange = trial % 5 == 0 ? 9 : 3;
      std::vector<Word> relators(1 + random() % 4);
      for (Word& word : relators) {
        const size_t length = trial % 7 == 0 ? 40 + random() % 30 : random() % 15;
        for (size_t q = 0; q < length; ++q) {
          word += random() % 2 ? '+' : '-';
          word += static_cast<char>(GeneratorByte(letters[random() % letters.size()]));
        }
      }
      SetPresentation(fast.wb, generators, relators);
      for (int g : letters) {
        fast.wb.presentation.phi[g] = static_cast<int32_t>(random() % (2 * phiRange + 1)) - phiRange;
        std::vector<std::vector<int32_t>> matrix(k, std::vector<int32_t>(k)), inverse = matrix;
        for (auto& row : matrix) {
          for (int32_t& v : row) v = static_cast<int32_t>(random() % 201) - 100;
        }
        for (auto& row : inverse) {
          for (int32_t& v : row) v = random() % 3 == 0 ? 0 : static_cast<int32_t>(random() % 2001) - 1000;
        }
        SetMatrices(fast.wb, g, matrix, inverse, static_cast<Residue>(1 + random() % (p - 1)));
      }
      Bench plain;
      UseField(plain.wb, p, k);
      plain.wb.presentation = fast.wb.presentation;
      plain.wb.representation = fast.wb.representation;

      BuildWorkbenchFoxMatrix(fast.wb);
      LiteralBuild(plain.wb);
      std::string description = "p=" + std::to_string(p) + " k=" + std::to_string(k) + " relators:";
      for (const Word& word : relators) description += " " + WordToText(word, false);
      description += " phi:";
      for (int g : letters) description += " " + std::to_string(fast.wb.presentation.phi[g]);
      SCOPED_TRACE(description);
      EXPECT_EQ(fast.wb.failure.computationFailed, plain.wb.failure.computationFailed);
      EXPECT_EQ(fast.wb.failure.polynomialErrorFlag, plain.wb.failure.polynomialErrorFlag);
      EXPECT_EQ(fast.wb.failure.errorMessage, plain.wb.failure.errorMessage);
      const int32_t rows = static_cast<int32_t>(k * generators.size());
      const int32_t columns = static_cast<int32_t>(k * relators.size());
      for (int32_t i = 1; i <= rows; ++i) {
        for (int32_t j = 1; j <= columns; ++j) {
          ASSERT_EQ(MatrixEntryDegree(fast.wb.matrix, i, j), MatrixEntryDegree(plain.wb.matrix, i, j))
              << "entry " << i << "," << j << "\n"
              << DescribeMatrix(plain.wb.matrix, rows, columns);
          ASSERT_EQ(ReadEntry(fast.wb.matrix, i, j), ReadEntry(plain.wb.matrix, i, j))
              << "entry " << i << "," << j;
        }
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Known values of knots. The braids give Wirtinger presentations; phi is 1 on every generator.

std::string AlexanderPolynomial(Workbench& wb) {
  BuildWorkbenchFoxMatrix(wb);
  ReduceWorkbenchMatrix(wb, wb.presentation.generatorCount, wb.presentation.relatorCount);
  EXPECT_FALSE(wb.failure.computationFailed) << wb.failure.errorMessage;
  EXPECT_FALSE(wb.failure.polynomialErrorFlag) << wb.failure.errorMessage;
  return PolyToText(wb.twisted.twistedPolynomial, false, false, false);
}

struct Knot {
  const char* name;
  std::string braid;
  std::string alexander;  // over F_13, normalised
};

std::string TableBraid(const char* name) {
  return std::string(KnotBraid(FindKnot(name).knotList));
}

const std::vector<Knot>& Knots() {
  static const std::vector<Knot> knots = {
      {"3_1", "{1,1,1}", " 1+12t+t^2"},                  // 1 - t + t^2
      {"4_1", "{-1,2,-1,2}", " 1+10t+t^2"},              // 1 - 3t + t^2
      {"5_2", "{-1,2,1,1,1,2}", " 1+5t+t^2"},            // 2 - 3t + 2t^2, halved
      {"6_1", TableBraid("6_1"), " 1+4t+t^2"},           // 2 - 5t + 2t^2, halved: 1 - 35t + t^2
      {"11_401", "{1,2,2,-3,1,-3,1,-2,1,-2,-3}", " 1"},  // the Conway knot
  };
  return knots;
}

TEST(FoxMatrixKnownValues, AlexanderPolynomialsOfKnotsWithTheTrivialRepresentation) {
  for (const Knot& knot : Knots()) {
    Bench b;
    PrepareBraid(b.wb, knot.braid, 20, 13);
    ASSERT_FALSE(b.wb.failure.computationFailed) << knot.name;
    SetTrivialRepresentation(b.wb);
    EXPECT_EQ(AlexanderPolynomial(b.wb), knot.alexander) << knot.name << " " << knot.braid;
    EXPECT_FALSE(b.wb.twisted.positiveRank) << knot.name;
  }
}

TEST(FoxMatrixKnownValues, AnAbelianRepresentationEvaluatesTheAlexanderPolynomialAtCOverT) {
  // Every meridian goes to c = 2 in F_13: the polynomial is t^2 D(c/t) ~ D(t/c) = 1 - t/2 + t^2/4.
  Bench b;
  PrepareBraid(b.wb, "{1,1,1}", 0, 13);
  b.wb.current.degreeK = 1;
  for (int g = 1; g <= 3; ++g) SetScalar(b.wb, g, 2);
  EXPECT_EQ(AlexanderPolynomial(b.wb), " 1+6t+10t^2");
}

// The trefoil's Wirtinger generators a, b, c with a = (1 2), b = (2 3), c = (1 3).
std::map<int, Perm> TrefoilOntoS3() {
  return {{1, {2, 1, 3}}, {2, {1, 3, 2}}, {3, {3, 2, 1}}};
}

void ExpectRelatorsHold(const Presentation& presentation, const std::map<int, Perm>& images) {
  const size_t k = images.begin()->second.size();
  for (int j = 1; j <= presentation.inputRelatorCount; ++j) {
    EXPECT_TRUE(IsIdentity(EvaluateWord(presentation.inputRelators[j], images, k))) << "input relator " << j;
  }
  for (int64_t j = 1; j <= presentation.relatorCount; ++j) {
    EXPECT_TRUE(IsIdentity(EvaluateWord(presentation.relators[j], images, k))) << "relator " << j;
  }
}

TEST(FoxMatrixKnownValues, TrefoilOntoS3IsTheAlexanderPolynomialTimesOneMinusTSquared) {
  // The permutation representation is the trivial one plus the 2-dimensional one, whose
  // polynomial for the trefoil is 1 - t^2: together (1 - t + t^2)(1 - t^2) = 1 - t + t^3 - t^4.
  for (int32_t effort : {0, 20}) {
    Bench b;
    PrepareBraid(b.wb, "{1,1,1}", effort, 13);
    ExpectRelatorsHold(b.wb.presentation, TrefoilOntoS3());
    SetPermutationRepresentation(b.wb, TrefoilOntoS3());
    EXPECT_EQ(AlexanderPolynomial(b.wb), " 1+12t+t^3+12t^4") << "effort " << effort;
  }
}

// ---------------------------------------------------------------------------------------------
// Invariance: the polynomial belongs to the group and the representation's conjugacy class, not
// to the presentation or the labelling of points.

// A representation of the input presentation in a conjugacy class, not all generators equal.
std::map<int, Perm> FindNonAbelianIn(const Presentation& presentation, const std::vector<Perm>& candidates) {
  testing::ClassSearch search;
  search.accept = [](const std::map<int, Perm>& images) {
    return std::any_of(images.begin(), images.end(),
                       [&](const auto& entry) { return entry.second != images.begin()->second; });
  };
  std::map<int, Perm> found = testing::FindRepresentationIn(presentation, candidates, search);
  EXPECT_FALSE(found.empty()) << "no representation found";
  return found;
}

struct TwistedCase {
  Knot knot;
  size_t degree;
  std::vector<int> cycleType;
};

std::vector<TwistedCase> TwistedCases() {
  const std::vector<Knot>& knots = Knots();
  return {
      {knots[0], 3, {2}},        // trefoil: 3-colourings
      {knots[1], 5, {2, 2}},     // figure-eight: 5-colourings (dihedral D_5)
      {knots[2], 7, {2, 2, 2}},  // 5_2: 7-colourings
      {knots[3], 3, {2}},        // 6_1: 3-colourings
  };
}

std::string TwistedPolynomial(const std::string& braid, int32_t effort, int32_t p,
                              const std::map<int, Perm>& images) {
  Bench b;
  PrepareBraid(b.wb, braid, effort, p);
  ExpectRelatorsHold(b.wb.presentation, images);
  SetPermutationRepresentation(b.wb, images);
  return AlexanderPolynomial(b.wb);
}

TEST(FoxMatrixInvariance, ThePolynomialDoesNotDependOnTheSimplificationEffort) {
  for (const TwistedCase& c : TwistedCases()) {
    Bench input;
    PrepareBraid(input.wb, c.knot.braid, 0, 13);
    const std::map<int, Perm> images =
        FindNonAbelianIn(input.wb.presentation, testing::ConjugacyClass(c.degree, c.cycleType));
    for (int32_t p : {5, 13, 53}) {
      const std::string reference = TwistedPolynomial(c.knot.braid, 0, p, images);
      for (int32_t effort : {20, 150}) {
        EXPECT_EQ(TwistedPolynomial(c.knot.braid, effort, p, images), reference)
            << c.knot.name << " p=" << p << " effort " << effort;
      }
    }
    // The untwisted polynomial as well.
    for (int32_t effort : {0, 20, 150}) {
      Bench b;
      PrepareBraid(b.wb, c.knot.braid, effort, 13);
      SetTrivialRepresentation(b.wb);
      EXPECT_EQ(AlexanderPolynomial(b.wb), c.knot.alexander) << c.knot.name << " effort " << effort;
    }
  }
}

TEST(FoxMatrixInvariance, RelabellingThePointsOfAPermutationRepresentationChangesNothing) {
  std::mt19937 random(99);
  for (const TwistedCase& c : TwistedCases()) {
    Bench input;
    PrepareBraid(input.wb, c.knot.braid, 0, 13);
    const std::map<int, Perm> images =
        FindNonAbelianIn(input.wb.presentation, testing::ConjugacyClass(c.degree, c.cycleType));
    Perm relabel(c.degree);
    for (size_t i = 0; i < c.degree; ++i) relabel[i] = static_cast<int32_t>(i + 1);
    std::shuffle(relabel.begin(), relabel.end(), random);
    std::map<int, Perm> conjugated;
    for (const auto& [g, image] : images)
      conjugated[g] = testing::Compose(testing::Compose(relabel, image), Invert(relabel));
    for (int32_t p : kSupportedPrimes) {
      EXPECT_EQ(TwistedPolynomial(c.knot.braid, 20, p, conjugated),
                TwistedPolynomial(c.knot.braid, 20, p, images))
          << c.knot.name << " p=" << p;
    }
  }
}

}  // namespace
}  // namespace quarvel
