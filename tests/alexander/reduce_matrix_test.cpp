#include "alexander/reduce_matrix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "alexander_test_support.h"
#include "e2e/cli_runner.h"
#include "run/twisted_polynomial_stages.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::DescribeMatrix;
using testing::EntryTerms;
using testing::kSupportedPrimes;
using testing::ReadEntry;
using testing::SetEntry;

// ---------------------------------------------------------------------------------------------
// The reference twin: leading-term elimination over F_p[t], position by position, written term by
// term with MatrixGet and MatrixSet (swaps exchange whole entries). Its diagonal is another
// diagonal form of the same module, so Reduce must give the same product, count and rank wherever
// it finishes (its entry degrees are not bounded by the answer's).

Residue Mod(int32_t p, int64_t n) {
  return static_cast<Residue>(((n % p) + p) % p);
}

void SubtractLiteral(Workbench& wb, int32_t tr, int32_t tc, int32_t sr, int32_t sc, int32_t factor,
                     int32_t shift) {
  const int32_t p = wb.field.currentPrime;
  for (int32_t e = 0; e <= MatrixEntryDegree(wb.matrix, sr, sc); ++e) {
    const int32_t old = MatrixGet(wb.matrix, tr, tc, e + shift);
    const int32_t c = MatrixGet(wb.matrix, sr, sc, e);
    MatrixSet(wb.matrix, tr, tc, e + shift, Mod(p, old - int64_t{factor} * c), wb.failure);
  }
}

int32_t Lead(const Workbench& wb, int32_t i, int32_t j) {
  return MatrixGet(wb.matrix, i, j, MatrixEntryDegree(wb.matrix, i, j));
}

int32_t LowestTerm(const Workbench& wb, int32_t i, int32_t j) {
  int32_t e = 0;
  while (MatrixGet(wb.matrix, i, j, e) == 0) ++e;
  return e;
}

void DivideLiteral(Workbench& wb, int32_t i, int32_t j, int32_t d) {
  const int32_t degree = MatrixEntryDegree(wb.matrix, i, j);
  for (int32_t e = 0; e <= degree - d; ++e) {
    MatrixSet(wb.matrix, i, j, e, MatrixGet(wb.matrix, i, j, e + d), wb.failure);
  }
  for (int32_t e = degree; e > degree - d; --e) MatrixSet(wb.matrix, i, j, e, 0, wb.failure);
}

constexpr int32_t kNoTerm = std::numeric_limits<int32_t>::max();

struct LiteralResults {
  Polynomial polynomial;
  int32_t count = 0;
  int32_t rank = 0;
  bool positiveRank = false;
};

LiteralResults LiteralReduce(Workbench& wb, int32_t blockRows, int32_t blockColumns) {
  const int32_t k = static_cast<int32_t>(wb.current.degreeK);
  const int32_t p = wb.field.currentPrime;
  const int32_t rows = k * blockRows;
  const int32_t columns = k * blockColumns;
  const int32_t n = std::min(rows, columns);
  auto degree = [&](int32_t i, int32_t j) { return MatrixEntryDegree(wb.matrix, i, j); };
  for (int32_t s = 1; s <= n; ++s) {
    bool clean = false;
    while (!clean) {
      bool rowClean = true;
      for (int32_t j = s + 1; j <= columns; ++j) rowClean = rowClean && degree(s, j) < 0;
      if (!rowClean) {
        int32_t pivot = 0;
        for (int32_t j = s; j <= columns; ++j) {
          if (degree(s, j) >= 0 && (pivot == 0 || degree(s, j) < degree(s, pivot))) pivot = j;
        }
        if (pivot != s) {
          for (int32_t r = s; r <= rows; ++r) MatrixSwapEntries(wb.matrix, r, s, r, pivot, wb.failure);
        }
        for (int32_t j = s + 1; j <= columns; ++j) {
          if (degree(s, j) < 0) continue;
          const int32_t shift = degree(s, j) - degree(s, s);
          const int32_t factor =
              Lead(wb, s, j) * InverseModP(wb.field, static_cast<Residue>(Lead(wb, s, s))) % p;
          for (int32_t r = 1; r <= rows; ++r) {
            if (degree(r, s) >= 0) SubtractLiteral(wb, r, j, r, s, factor, shift);
          }
        }
      }
      bool columnClean = true;
      for (int32_t r = s + 1; r <= rows; ++r) columnClean = columnClean && degree(r, s) < 0;
      if (!columnClean) {
        int32_t pivot = 0;
        for (int32_t r = s; r <= rows; ++r) {
          if (degree(r, s) >= 0 && (pivot == 0 || degree(r, s) < degree(pivot, s))) pivot = r;
        }
        if (pivot != s) {
          for (int32_t j = 1; j <= columns; ++j) MatrixSwapEntries(wb.matrix, s, j, pivot, j, wb.failure);
        }
        for (int32_t r = s + 1; r <= rows; ++r) {
          if (degree(r, s) < 0) continue;
          const int32_t shift = degree(r, s) - degree(s, s);
          const int32_t factor =
              Lead(wb, r, s) * InverseModP(wb.field, static_cast<Residue>(Lead(wb, s, s))) % p;
          for (int32_t j = 1; j <= columns; ++j) {
            if (degree(s, j) >= 0) SubtractLiteral(wb, r, j, s, j, factor, shift);
          }
        }
      }
      clean = true;
      for (int32_t j = s + 1; j <= columns; ++j) clean = clean && degree(s, j) < 0;
      for (int32_t r = s + 1; r <= rows; ++r) clean = clean && degree(r, s) < 0;
    }
    for (int32_t r = s; r <= rows; ++r) {
      int32_t d = kNoTerm;
      for (int32_t j = 1; j <= columns; ++j) {
        if (degree(r, j) >= 0) d = std::min(d, LowestTerm(wb, r, j));
      }
      if (d >= 1 && d != kNoTerm) {
        for (int32_t j = 1; j <= columns; ++j) {
          if (degree(r, j) >= 0) DivideLiteral(wb, r, j, d);
        }
      }
    }
    for (int32_t j = s; j <= columns; ++j) {
      int32_t d = kNoTerm;
      for (int32_t r = 1; r <= rows; ++r) {
        if (degree(r, j) >= 0) d = std::min(d, LowestTerm(wb, r, j));
      }
      if (d >= 1 && d != kNoTerm) {
        for (int32_t r = 1; r <= rows; ++r) {
          if (degree(r, j) >= 0) DivideLiteral(wb, r, j, d);
        }
      }
    }
  }
  LiteralResults results;
  results.polynomial = Polynomial{{1}};
  results.count = rows;
  for (int32_t s = 1; s <= n; ++s) {
    if (!MatrixEntryIsNonzero(wb.matrix, s, s)) continue;
    PolyMultiply(wb.field, results.polynomial, MatrixEntryToPoly(wb.matrix, s, s), results.polynomial);
    --results.count;
  }
  Polynomial& f = results.polynomial;
  int32_t m = 0;
  while (m <= PolyDegree(f) && f.coefficients[m] == 0) ++m;
  if (m <= PolyDegree(f)) {
    const Residue inverse = InverseModP(wb.field, f.coefficients[m]);
    std::vector<Residue> shifted;
    for (int32_t e = m; e <= PolyDegree(f); ++e)
      shifted.push_back(static_cast<Residue>(f.coefficients[e] * inverse % p));
    f = PolyFromCoefficients(shifted);
  }
  if (results.count > k) {
    if (!wb.settings.keepTorsionSwitch) f = Polynomial{};
    results.rank = results.count - k;
    results.positiveRank = true;
  }
  return results;
}

// ---------------------------------------------------------------------------------------------

// A workbench over F_p with degree k and the matrix cleared.
void PrepareField(Workbench& wb, int32_t p, int64_t k, bool keepTorsion = true) {
  SetCurrentPrime(wb.field, p);
  wb.current.degreeK = k;
  wb.settings.keepTorsionSwitch = keepTorsion;
  ResetMatrix(wb.matrix);
}

std::string Text(const Polynomial& f) {
  return PolyToText(f, false, false, false);
}

TEST(ReduceMatrixEdgeCases, OneByOneEntryComesBackNormalisedWithCountZero) {
  Bench b;
  PrepareField(b.wb, 5, 1);
  SetEntry(b.wb, 1, 1, 1, {2, 0, 4});  // 2t + 4t^3 ~ 1 + 2t^2 over F_5
  EXPECT_EQ(ReduceWorkbenchMatrix(b.wb, 1, 1), 0);
  EXPECT_EQ(Text(b.wb.twisted.twistedPolynomial), " 1+2t^2");
  EXPECT_FALSE(b.wb.twisted.positiveRank);
  EXPECT_EQ(b.wb.twisted.rankOfTorsionFreePart, 0);
}

TEST(ReduceMatrixEdgeCases, ZeroMatrixGivesOneWithFullCountAndTheSwitchDecidesTheVanishing) {
  for (bool keep : {true, false}) {
    Bench b;
    PrepareField(b.wb, 7, 2, keep);
    // count = k*R = 4 > k: the torsion-free part has rank 2.
    EXPECT_EQ(ReduceWorkbenchMatrix(b.wb, 2, 3), 4);
    EXPECT_EQ(Text(b.wb.twisted.twistedPolynomial), keep ? " 1" : " 0");
    EXPECT_TRUE(b.wb.twisted.positiveRank);
    EXPECT_EQ(b.wb.twisted.rankOfTorsionFreePart, 2);
  }
}

TEST(ReduceMatrixEdgeCases, ZeroRowAndColumnGiveAZeroDiagonalEntryThatOnlyAddsToTheCount) {
  Bench b;
  PrepareField(b.wb, 13, 1);
  SetEntry(b.wb, 1, 1, 0, {1, 1});     // 1 + t
  SetEntry(b.wb, 1, 3, 0, {0, 1});     // t
  SetEntry(b.wb, 3, 1, 0, {2});        // 2
  SetEntry(b.wb, 3, 3, 0, {0, 0, 1});  // t^2
  // Row 2 and column 2 are zero; det of the rest is (1 + t) t^2 - 2t = t (t^2 + t - 2).
  EXPECT_EQ(ReduceWorkbenchMatrix(b.wb, 3, 3), 1);
  EXPECT_EQ(Text(b.wb.twisted.twistedPolynomial), " 1+6t+6t^2");  // (t^2 + t - 2) / -2 over F_13
  EXPECT_FALSE(b.wb.twisted.positiveRank);                        // count 1 = k
  EXPECT_FALSE(MatrixEntryIsNonzero(b.wb.matrix, 3, 3));          // the nonzero entries come first
}

TEST(ReduceMatrixEdgeCases, PositiveRankKeepsTheTorsionOnlyWithTheSwitch) {
  for (bool keep : {true, false}) {
    Bench b;
    PrepareField(b.wb, 11, 1, keep);
    // A column (1+t)(2+t), (1+t)t, 3(1+t): one relation on three generators, count 2.
    SetEntry(b.wb, 1, 1, 0, {2, 3, 1});
    SetEntry(b.wb, 2, 1, 0, {0, 1, 1});
    SetEntry(b.wb, 3, 1, 0, {3, 3});
    EXPECT_EQ(ReduceWorkbenchMatrix(b.wb, 3, 1), 2);
    EXPECT_EQ(Text(b.wb.twisted.twistedPolynomial), keep ? " 1+t" : " 0");
    EXPECT_TRUE(b.wb.twisted.positiveRank);
    EXPECT_EQ(b.wb.twisted.rankOfTorsionFreePart, 1);
  }
}

TEST(ReduceMatrixEdgeCases, CountWithBlocksComparesWithTheDegree) {
  Bench b;
  PrepareField(b.wb, 13, 2);
  // 4 x 2 of rank 2: count = 4 - 2 = k, so no positive rank.
  SetEntry(b.wb, 1, 1, 0, {1, 1});
  SetEntry(b.wb, 2, 2, 0, {0, 1});
  SetEntry(b.wb, 3, 1, 0, {3});
  SetEntry(b.wb, 4, 2, 0, {5, 0, 1});
  EXPECT_EQ(ReduceWorkbenchMatrix(b.wb, 2, 1), 2);
  EXPECT_FALSE(b.wb.twisted.positiveRank);
  EXPECT_EQ(Text(b.wb.twisted.twistedPolynomial), " 1");  // gcds: (1 + t, 3) = 1, (t, 5 + t^2) = 1
}

TEST(ReduceMatrixKnownValues, DeterminantsOfSquareMatrices) {
  struct Case {
    int32_t p;
    std::vector<std::vector<std::vector<int>>> entries;  // row by row, coefficients from t^0
    std::string expected;
  } cases[] = {
      // det [[1+t, t], [t, 1+t]] = 1 + 2t; over F_2 it is 1.
      {13, {{{1, 1}, {0, 1}}, {{0, 1}, {1, 1}}}, " 1+2t"},
      {2, {{{1, 1}, {0, 1}}, {{0, 1}, {1, 1}}}, " 1"},
      // det [[t, 1, 0], [0, t, 1], [1, 0, t]] = t^3 + 1.
      {13, {{{0, 1}, {1}, {}}, {{}, {0, 1}, {1}}, {{1}, {}, {0, 1}}}, " 1+t^3"},
      // diag(t^2, t^3 + t^4): the powers of t are units.
      {7, {{{0, 0, 1}, {}}, {{}, {0, 0, 0, 1, 1}}}, " 1+t"},
      // [[2 + t, 4], [1, 3t]]: det = 3t^2 + 6t - 4 = 3 (t^2 + 2t - 4/3) over F_5: 3t^2 + t + 1.
      {5, {{{2, 1}, {4}}, {{1}, {0, 3}}}, " 1+t+3t^2"},
  };
  for (const Case& c : cases) {
    Bench b;
    const int32_t size = static_cast<int32_t>(c.entries.size());
    PrepareField(b.wb, c.p, 1);
    for (int32_t i = 1; i <= size; ++i) {
      for (int32_t j = 1; j <= size; ++j) SetEntry(b.wb, i, j, 0, c.entries[i - 1][j - 1]);
    }
    EXPECT_EQ(ReduceWorkbenchMatrix(b.wb, size, size), 0);
    EXPECT_EQ(Text(b.wb.twisted.twistedPolynomial), c.expected) << "p=" << c.p << " size " << size;
    // The matrix ends diagonal, with the powers of t and the units divided out.
    for (int32_t i = 1; i <= size; ++i) {
      for (int32_t j = 1; j <= size; ++j) {
        if (i != j) {
          EXPECT_LT(MatrixEntryDegree(b.wb.matrix, i, j), 0) << i << "," << j;
        }
      }
      EXPECT_EQ(MatrixGet(b.wb.matrix, i, i, 0), 1) << "no power of t nor unit left at " << i;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Progress, pumping, pause and stop.

// Pumps that can press the buttons: "Pause" at pump pauseAt, again at releaseAt, "Back to the main
// menu" at stopAt (0: never).
class ButtonSurface : public HeadlessSurface {
 public:
  int pauseAt = 0;
  int releaseAt = 0;
  int stopAt = 0;
  int pumps = 0;
  void ProcessMessages(RunFlags& flags) override {
    ++pumps;
    if (pumps == pauseAt || pumps == releaseAt) flags.paused = !flags.paused;
    if (pumps == stopAt) flags.stopRequested = true;
  }
};

// An n x n diagonal matrix of constants: every position takes exactly one pass.
void FillConstantDiagonal(Workbench& wb, int32_t n) {
  for (int32_t s = 1; s <= n; ++s) SetEntry(wb, s, s, 0, {1 + s % 3});
}

TEST(ReduceMatrixProgress, StatusLineEverySeventySecondPassAlternatingThenBlanked) {
  Bench b;
  std::ostringstream transcript;
  b.surface.RecordTranscript(transcript);
  PrepareField(b.wb, 13, 1);
  b.wb.run.outputPanel = 3;
  b.wb.run.outputLine = 40;
  FillConstantDiagonal(b.wb, 80);
  ReduceWorkbenchMatrix(b.wb, 80, 80);
  EXPECT_EQ(transcript.str(),
            "P3\t7\t62\tComputation of Alexander polynomial is going on (status: 1/80)\n"
            "P3\t7\t62\tComputation of Alexander polynomial is still going on (status: 73/80)\n"
            "P3\t7\t62\t\n");
  EXPECT_EQ(b.surface.MessagePumps(), 80);  // one per pass
}

TEST(ReduceMatrixProgress, NoStatusLineBelowTwentyOneDiagonalPositions) {
  Bench b;
  std::ostringstream transcript;
  b.surface.RecordTranscript(transcript);
  PrepareField(b.wb, 13, 1);
  FillConstantDiagonal(b.wb, 20);
  ReduceWorkbenchMatrix(b.wb, 20, 25);
  EXPECT_EQ(transcript.str(), "");
  EXPECT_EQ(b.surface.MessagePumps(), 20);

  // With blocks, N counts k * min(R, W): 3 * 7 = 21 shows the line.
  Bench blocks;
  std::ostringstream blockTranscript;
  blocks.surface.RecordTranscript(blockTranscript);
  PrepareField(blocks.wb, 13, 3);
  FillConstantDiagonal(blocks.wb, 21);
  ReduceWorkbenchMatrix(blocks.wb, 7, 8);
  EXPECT_NE(blockTranscript.str().find("(status: 1/21)"), std::string::npos) << blockTranscript.str();
}

TEST(ReduceMatrixProgress, PauseWaitsAndTheReductionGoesOnWhenReleased) {
  ButtonSurface surface;
  surface.pauseAt = 2;
  surface.releaseAt = 6;
  Workbench wb(surface);
  PrepareField(wb, 13, 1);
  FillConstantDiagonal(wb, 5);
  EXPECT_EQ(ReduceWorkbenchMatrix(wb, 5, 5), 0);
  EXPECT_EQ(surface.pumps, 5 + 4);  // the third pass waits through pumps 3 .. 6
  EXPECT_FALSE(wb.panels.flags.paused);
  EXPECT_EQ(Text(wb.twisted.twistedPolynomial), " 1");
}

TEST(ReduceMatrixProgress, StopReturnsWithoutResultsAndLeavesTheMatrixAsItWas) {
  for (bool whilePaused : {false, true}) {
    ButtonSurface surface;
    // The stop is seen at the start of the second pass, directly or during the wait.
    surface.stopAt = whilePaused ? 2 : 1;
    if (whilePaused) surface.pauseAt = 1;
    Workbench wb(surface);
    PrepareField(wb, 13, 1);
    wb.twisted.twistedPolynomial = PolyFromCoefficients({0, 0, 0, 5});  // results of an earlier reduction
    wb.twisted.rankOfTorsionFreePart = 9;
    // [[t, 1 + t], [1, t]]: the first step takes the unit 1 at (2, 1) as pivot.
    SetEntry(wb, 1, 1, 0, {0, 1});
    SetEntry(wb, 1, 2, 0, {1, 1});
    SetEntry(wb, 2, 1, 0, {1});
    SetEntry(wb, 2, 2, 0, {0, 1});
    const std::string before = DescribeMatrix(wb.matrix, 2, 2);
    EXPECT_EQ(ReduceWorkbenchMatrix(wb, 2, 2), -1);
    EXPECT_EQ(PolyCoefficient(wb.twisted.twistedPolynomial, 3), 5);
    EXPECT_EQ(wb.twisted.rankOfTorsionFreePart, 9);
    EXPECT_EQ(DescribeMatrix(wb.matrix, 2, 2), before) << "whilePaused=" << whilePaused;
  }
}

// The reduction itself, without a window: how it ended comes back as a value, and the progress
// sees the positions the status line shows.
TEST(ReduceMatrixProgress, TheEndAndTheStatusComeBackAsValues) {
  struct StopAtPump final : RunControl {
    explicit StopAtPump(int at) : stopAt(at) {}
    void PumpMessages() override { ++pumps; }
    bool StopRequested() const override { return pumps >= stopAt; }
    int pumps = 0;
    int stopAt;
  };
  struct Positions final : ReductionProgress {
    void Status(int32_t position, int32_t positions, bool stillGoingOn) override {
      seen.push_back(std::to_string(position) + "/" + std::to_string(positions) +
                     (stillGoingOn ? " still" : ""));
    }
    void Clear() override { seen.push_back("clear"); }
    std::vector<std::string> seen;
  };
  Bench b;
  PrepareField(b.wb, 13, 1);
  FillConstantDiagonal(b.wb, 80);
  const PolyMatrix diagonal = b.wb.matrix;
  NoRunControl none;
  Positions progress;
  const Reduction done = Reduce(b.wb.matrix, 80, 80, 1, b.wb.field, false, none, progress);
  EXPECT_TRUE(done.complete());
  EXPECT_EQ(done.count, 0);
  EXPECT_EQ(Text(done.polynomial), " 1");
  EXPECT_EQ(progress.seen, (std::vector<std::string>{"1/80", "73/80 still", "clear"}));

  b.wb.matrix = diagonal;
  StopAtPump stop(2);
  Positions stopped;
  const Reduction early = Reduce(b.wb.matrix, 80, 80, 1, b.wb.field, false, stop, stopped);
  EXPECT_EQ(early.end, ReductionEnd::stopped);
  EXPECT_EQ(early.count, -1);
  EXPECT_FALSE(early.failures.computationFailed || early.failures.polynomialErrorFlag);
  EXPECT_EQ(stopped.seen, std::vector<std::string>{"1/80"});  // no clearing after a stop

  const Reduction tooLarge = Reduce(b.wb.matrix, 301, 1, 1, b.wb.field, false, none, progress);
  EXPECT_EQ(tooLarge.end, ReductionEnd::failed);
  EXPECT_TRUE(tooLarge.failures.computationFailed);
  EXPECT_EQ(tooLarge.failures.errorMessage, "Program error");
}

TEST(ReduceMatrixProgress, AFailedComputationOrAStopBeforehandChangesNothing) {
  for (bool failed : {true, false}) {
    Bench b;
    PrepareField(b.wb, 13, 1);
    SetEntry(b.wb, 1, 1, 0, {0, 1, 1});
    if (failed) {
      Fail(b.wb.failure, "Program error");
    } else {
      b.wb.panels.flags.stopRequested = true;
    }
    b.wb.twisted.deg0 = 4;
    EXPECT_EQ(ReduceWorkbenchMatrix(b.wb, 1, 1), -1);
    EXPECT_EQ(EntryTerms(b.wb.matrix, 1, 1), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(Text(b.wb.twisted.twistedPolynomial), " 0");
    EXPECT_EQ(b.surface.MessagePumps(), 0);
  }
}

// ---------------------------------------------------------------------------------------------
// Reduce against the reference twin.

struct RandomCase {
  int32_t p = 2;
  int32_t k = 1;
  int32_t blockRows = 1;
  int32_t blockColumns = 1;
  bool keepTorsion = true;
  int32_t evenColumnsFrom = 0;  // lowest exponent of the entries in even columns
};

// Random entries with a mix of empty, cancelled (-1) and nonzero entries, some rows dependent on
// others and some common powers of t, so that zero diagonal entries and unit removals occur.
void FillRandom(Workbench& wb, const RandomCase& c, std::mt19937& random) {
  const int32_t rows = c.k * c.blockRows;
  const int32_t columns = c.k * c.blockColumns;
  const int32_t maxDegree = static_cast<int32_t>(random() % 7);
  const int32_t density = static_cast<int32_t>(random() % 4);
  std::vector<std::vector<std::vector<int>>> dense(rows + 1, std::vector<std::vector<int>>(columns + 1));
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= columns; ++j) {
      if (static_cast<int32_t>(random() % 4) < density) continue;
      std::vector<int>& terms = dense[i][j];
      const int32_t degree = static_cast<int32_t>(random() % (maxDegree + 1));
      for (int32_t e = 0; e <= degree; ++e) terms.push_back(static_cast<int>(random() % c.p));
      terms.back() = 1 + static_cast<int>(random() % (c.p - 1));
    }
  }
  // Dependent rows: row i := t^shift * factor * row r, possibly plus nothing.
  for (int32_t i = 2; i <= rows; ++i) {
    if (random() % 5 != 0) continue;
    const int32_t r = 1 + static_cast<int32_t>(random() % (i - 1));
    const int32_t shift = static_cast<int32_t>(random() % 3);
    const int factor = 1 + static_cast<int>(random() % (c.p - 1));
    for (int32_t j = 1; j <= columns; ++j) {
      std::vector<int> terms(shift, 0);
      for (int v : dense[r][j]) terms.push_back(v * factor % c.p);
      dense[i][j] = dense[r][j].empty() ? std::vector<int>{} : terms;
    }
  }
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= columns; ++j) {
      if (!dense[i][j].empty()) {
        SetEntry(wb, i, j, j % 2 == 0 ? c.evenColumnsFrom : 0, dense[i][j]);
      } else if (random() % 6 == 0) {
        // An entry whose terms cancelled: entry degree -1.
        MatrixSet(wb.matrix, i, j, 1, 1, wb.failure);
        MatrixSet(wb.matrix, i, j, 1, 0, wb.failure);
      }
    }
  }
}

// Reduce on a random matrix whose even columns start at exponent evenColumnsFrom, the reference on
// the same matrix with them starting at 0: a column times a power of t is a unimodular change, so
// the product, count and rank must agree.
void ExpectSameReduction(const RandomCase& c, std::mt19937& random) {
  Bench fast;
  PrepareField(fast.wb, c.p, c.k, c.keepTorsion);
  std::mt19937 same = random;
  FillRandom(fast.wb, c, random);
  const int32_t rows = c.k * c.blockRows;
  const int32_t columns = c.k * c.blockColumns;
  const std::string input = DescribeMatrix(fast.wb.matrix, rows, columns);
  Bench plain;
  PrepareField(plain.wb, c.p, c.k, c.keepTorsion);
  RandomCase low = c;
  low.evenColumnsFrom = 0;
  FillRandom(plain.wb, low, same);

  fast.wb.twisted.twistedPolynomial = PolyFromCoefficients({0, 1});  // an earlier result, replaced
  const int32_t count = ReduceWorkbenchMatrix(fast.wb, c.blockRows, c.blockColumns);
  const LiteralResults expected = LiteralReduce(plain.wb, c.blockRows, c.blockColumns);
  SCOPED_TRACE("p=" + std::to_string(c.p) + " k=" + std::to_string(c.k) +
               " R=" + std::to_string(c.blockRows) + " W=" + std::to_string(c.blockColumns) +
               " keep=" + std::to_string(c.keepTorsion) + "\ninput:\n" + input);
  EXPECT_EQ(count, expected.count);
  EXPECT_EQ(fast.wb.twisted.twistedPolynomial, expected.polynomial)
      << Text(fast.wb.twisted.twistedPolynomial) << " vs " << Text(expected.polynomial);
  EXPECT_EQ(fast.wb.twisted.rankOfTorsionFreePart, expected.rank);
  EXPECT_EQ(fast.wb.twisted.positiveRank, expected.positiveRank);
  EXPECT_EQ(fast.wb.failure.polynomialErrorFlag, plain.wb.failure.polynomialErrorFlag);
}

TEST(ReduceMatrixAgreement, ReduceAndTheReferenceAgreeOnRandomMatricesOverEverySupportedPrime) {
  std::mt19937 random(20240611);
  for (int32_t p : kSupportedPrimes) {
    for (int trial = 0; trial < 40; ++trial) {
      RandomCase c;
      c.p = p;
      c.k = trial % 4 == 0 ? 2 + static_cast<int32_t>(random() % 2) : 1;
      const int32_t most = c.k == 1 ? 9 : 3;
      c.blockRows = 1 + static_cast<int32_t>(random() % most);
      c.blockColumns = 1 + static_cast<int32_t>(random() % most);
      c.keepTorsion = random() % 2 == 0;
      ExpectSameReduction(c, random);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

TEST(ReduceMatrixAgreement, TermsBeyondExponentTenThousandAreKeptAndTheCeilingEndsTheReduction) {
  Bench fast;
  PrepareField(fast.wb, 7, 1);
  // Row 1: 1 + t and t^9998, so column 2 loses t^9997 times column 1, which pushes the t^5 of
  // row 2 to exponent 10002.
  SetEntry(fast.wb, 1, 1, 0, {1, 1});
  MatrixSet(fast.wb.matrix, 1, 2, 9998, 3, fast.wb.failure);
  SetEntry(fast.wb, 2, 1, 0, {0, 0, 0, 0, 0, 2});
  SetEntry(fast.wb, 2, 2, 0, {4});
  Bench plain;
  PrepareField(plain.wb, 7, 1);
  plain.wb.matrix = fast.wb.matrix;
  Bench capped;
  PrepareField(capped.wb, 7, 1);
  capped.wb.matrix = fast.wb.matrix;
  ASSERT_FALSE(fast.wb.failure.polynomialErrorFlag);

  const LiteralResults expected = LiteralReduce(plain.wb, 2, 2);
  EXPECT_EQ(ReduceWorkbenchMatrix(fast.wb, 2, 2), expected.count);
  EXPECT_FALSE(fast.wb.failure.polynomialErrorFlag);
  EXPECT_EQ(fast.wb.twisted.twistedPolynomial, expected.polynomial);
  EXPECT_GT(PolyDegree(expected.polynomial), 10000);

  // A ceiling that leaves the store what it holds but no room for the work space: the reduction
  // ends with "Out of memory" and the earlier results stay.
  capped.wb.settings.memoryCeilingBytes = MatrixStorageBytes(capped.wb.matrix) + 1000;
  capped.wb.twisted.twistedPolynomial = PolyFromCoefficients({0, 0, 0, 5});  // an earlier result
  EXPECT_EQ(ReduceWorkbenchMatrix(capped.wb, 2, 2), -1);
  EXPECT_TRUE(capped.wb.failure.polynomialErrorFlag);
  EXPECT_EQ(capped.wb.failure.errorMessage, "Out of memory");
  EXPECT_EQ(Text(capped.wb.twisted.twistedPolynomial), " 5t^3");
  // A reduction entered with the flag raised does nothing.
  const std::string before = DescribeMatrix(capped.wb.matrix, 2, 2);
  EXPECT_EQ(ReduceWorkbenchMatrix(capped.wb, 2, 2), -1);
  EXPECT_EQ(DescribeMatrix(capped.wb.matrix, 2, 2), before);
}

// Entries from exponent 20000 on next to low ones: the leading-term elimination pushes terms far
// beyond where the entries started; the Laurent division keeps the spans, whatever the exponents.
TEST(ReduceMatrixAgreement, ReduceAndTheReferenceAgreeOnRandomMatricesWithHighExponents) {
  std::mt19937 random(20261208);
  for (int32_t p : {2, 13, 53}) {
    for (int trial = 0; trial < 100; ++trial) {
      RandomCase c;
      c.p = p;
      c.blockRows = 1 + static_cast<int32_t>(random() % 3);
      c.blockColumns = 2 + static_cast<int32_t>(random() % 2);
      c.keepTorsion = random() % 2 == 0;
      c.evenColumnsFrom = 20000;
      ExpectSameReduction(c, random);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Twisted Fox matrices as norm runs build them: table knots under every representation kind.

struct GapMatrix {
  int32_t rows = 0;
  int32_t columns = 0;
  int32_t multiplied = 0;  // the diagonal entries the program multiplies
};

// The matrix of the GAP program `norm --matrix gap` writes ("M:=[" ... "];", a row per line, each
// entry "Zero(R)" or "One(R)*( terms )", terms such as "12", "3*t", "t^4" joined by "+"), stored
// into the workbench over the program's field.
GapMatrix ReadGapMatrix(const std::string& program, Workbench& wb) {
  GapMatrix m;
  std::smatch match;
  EXPECT_TRUE(std::regex_search(program, match, std::regex(R"(GF\((\d+)\))")));
  PrepareField(wb, std::stoi(match[1]), 1);
  EXPECT_TRUE(std::regex_search(program, match, std::regex(R"(for i in \[1\.\.(\d+)\])")));
  m.multiplied = std::stoi(match[1]);
  const std::regex term(R"((\d*)\*?(t?)\^?(\d*))");
  std::istringstream lines(program.substr(program.find("M:=[")));
  for (std::string line; std::getline(lines, line) && line != "];";) {
    if (!line.starts_with("[")) continue;
    ++m.rows;
    std::istringstream cells(line.substr(1, line.find(']') - 1));
    int32_t column = 0;
    for (std::string cell; std::getline(cells, cell, ',');) {
      ++column;
      if (cell.find("One(R)") == std::string::npos) continue;
      std::istringstream terms(
          cell.substr(cell.find("*(") + 2, cell.find(')', cell.find("*(")) - cell.find("*(") - 2));
      for (std::string text; std::getline(terms, text, '+');) {
        text.erase(0, text.find_first_not_of(' '));
        EXPECT_TRUE(std::regex_match(text, match, term)) << text;
        const int32_t exponent = match[2].length() == 0   ? 0
                                 : match[3].length() == 0 ? 1
                                                          : std::stoi(match[3]);
        MatrixSet(wb.matrix, m.rows, column, exponent,
                  static_cast<Residue>(match[1].length() == 0 ? 1 : std::stoi(match[1])), wb.failure);
      }
    }
    m.columns = std::max(m.columns, column);
  }
  return m;
}

TEST(ReduceMatrixAgreement, ReduceAndTheReferenceAgreeOnFoxMatricesOfTableKnotsOfEveryKind) {
  const std::vector<std::vector<std::string>> kinds = {
      {"sk-v", "--size", "4"},
      {"ak-v", "--size", "5"},
      {"sk-z", "--size", "4"},
      {"ak-z", "--size", "5"},
      {"sk-regular", "--size", "3"},
      {"metabelian", "--size", "7"},
      {"abelian"},  // last: over F_2 only the trivial solution exists
  };
  const std::vector<std::string> knots = {"3_1", "4_1", "5_2", "6_1", "7_4", "8_19"};
  const std::vector<std::string> fields = {"2", "3", "5", "7", "11", "13", "17", "53"};
  size_t run = 0;
  for (const std::vector<std::string>& kind : kinds) {
    for (const std::string& knot : knots) {
      const std::string& field = fields[run++ % fields.size()];
      if (kind[0] == "abelian" && field == "2") continue;
      testing::TempDir dir;
      std::vector<std::string> args = {"norm", "--knot",   knot,  "--field", field,  "--cycles",
                                       "1",    "--matrix", "gap", "--save",  "none", "--rep"};
      args.insert(args.end(), kind.begin(), kind.end());
      testing::RunCliIn(dir.path(), args);
      const std::string program = testing::ReadWholeFile(dir.path() / "quarvel_matrix_gap.txt");
      SCOPED_TRACE(knot + " " + kind[0] + " over F_" + field);
      ASSERT_NE(program.find("M:=["), std::string::npos);
      Bench fast;
      fast.wb.settings.keepTorsionSwitch = true;
      const GapMatrix m = ReadGapMatrix(program, fast.wb);
      const int32_t k = m.rows - m.multiplied;
      ASSERT_GT(k, 0);
      fast.wb.current.degreeK = k;
      Bench plain;
      plain.wb.settings = fast.wb.settings;
      plain.wb.current = fast.wb.current;
      plain.wb.field = fast.wb.field;
      plain.wb.matrix = fast.wb.matrix;
      const int32_t count = ReduceWorkbenchMatrix(fast.wb, m.rows / k, m.columns / k);
      const LiteralResults expected = LiteralReduce(plain.wb, m.rows / k, m.columns / k);
      EXPECT_EQ(count, expected.count);
      EXPECT_EQ(fast.wb.twisted.twistedPolynomial, expected.polynomial)
          << Text(fast.wb.twisted.twistedPolynomial) << " vs " << Text(expected.polynomial);
      EXPECT_EQ(fast.wb.twisted.rankOfTorsionFreePart, expected.rank);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Larger matrices: diag(f_1, ..., f_n) hidden by unimodular row and column operations must give
// back the product of the f_i. The product is formed here by plain convolution.

using Poly = std::vector<int>;  // coefficients from t^0

Poly MultiplyPlain(const Poly& f, const Poly& g, int p) {
  if (f.empty() || g.empty()) return {};
  Poly h(f.size() + g.size() - 1, 0);
  for (size_t i = 0; i < f.size(); ++i) {
    for (size_t j = 0; j < g.size(); ++j) h[i + j] = (h[i + j] + f[i] * g[j]) % p;
  }
  return h;
}

void AddMultiple(Poly& target, const Poly& source, int factor, int shift, int p) {
  if (source.empty()) return;
  if (target.size() < source.size() + shift) target.resize(source.size() + shift, 0);
  for (size_t e = 0; e < source.size(); ++e) target[e + shift] = (target[e + shift] + factor * source[e]) % p;
  while (!target.empty() && target.back() == 0) target.pop_back();
}

TEST(ReduceMatrixKnownValues, HiddenDiagonalsComeBackAsTheProductOfTheirEntries) {
  std::mt19937 random(77);
  for (int32_t p : {2, 3, 13, 53}) {
    for (int trial = 0; trial < 3; ++trial) {
      const int32_t n = 12 + 6 * trial;
      std::vector<std::vector<Poly>> m(n + 1, std::vector<Poly>(n + 1));
      Poly product{1};
      int32_t zeros = 0;
      for (int32_t i = 1; i <= n; ++i) {
        Poly f;
        if (random() % 7 != 0) {
          f.push_back(1 + static_cast<int>(random() % (p - 1)));  // nonzero constant term
          const int32_t degree = static_cast<int32_t>(random() % 4);
          for (int32_t e = 1; e <= degree; ++e) f.push_back(static_cast<int>(random() % p));
          f.back() = 1 + static_cast<int>(random() % (p - 1));
          product = MultiplyPlain(product, f, p);
        } else {
          ++zeros;
        }
        m[i][i] = f;
      }
      for (int op = 0; op < 6 * n; ++op) {
        const int32_t a = 1 + static_cast<int32_t>(random() % n);
        const int32_t b = 1 + static_cast<int32_t>(random() % n);
        if (a == b) continue;
        const int factor = 1 + static_cast<int>(random() % (p - 1));
        const int shift = static_cast<int>(random() % 3);
        if (op % 2 == 0) {
          for (int32_t j = 1; j <= n; ++j)
            AddMultiple(m[a][j], m[b][j], factor, shift, p);  // row a += c t^s row b
        } else {
          for (int32_t i = 1; i <= n; ++i) AddMultiple(m[i][a], m[i][b], factor, shift, p);  // column op
        }
      }
      Bench bench;
      PrepareField(bench.wb, p, 1);
      for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = 1; j <= n; ++j) SetEntry(bench.wb, i, j, 0, m[i][j]);
      }
      const int32_t count = ReduceWorkbenchMatrix(bench.wb, n, n);
      Polynomial expected;
      const int inverse = InverseModP(bench.wb.field, static_cast<Residue>(product[0]));
      for (size_t e = 0; e < product.size(); ++e)
        PolySetCoefficient(expected, static_cast<int32_t>(e), static_cast<Residue>(product[e] * inverse % p));
      SCOPED_TRACE("p=" + std::to_string(p) + " n=" + std::to_string(n));
      EXPECT_EQ(count, zeros);
      EXPECT_EQ(bench.wb.twisted.twistedPolynomial, expected)
          << Text(bench.wb.twisted.twistedPolynomial) << " vs " << Text(expected);
      EXPECT_FALSE(bench.wb.failure.polynomialErrorFlag);
    }
  }
}

}  // namespace
}  // namespace quarvel
