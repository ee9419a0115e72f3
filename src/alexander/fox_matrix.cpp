#include "alexander/fox_matrix.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <span>
#include <vector>

namespace quarvel {
namespace {

constexpr int32_t kMaxDimension = 300;
constexpr int32_t kLowestPrefixExponent = -48;
constexpr int32_t kNoRowPower = INT_MAX;

// The representation brought into [0, p) once per build, k x k matrices row by row (0-based
// inside), one slot per generator number.
struct GeneratorResidues {
  int32_t k = 0;
  std::vector<uint8_t> matrices;         // A(g) at (g * k * k)
  std::vector<uint8_t> inverseMatrices;  // A(g)^-1 at (g * k * k)
  std::array<uint8_t, kMaxGenerators + 1> scalar{};
  std::array<uint8_t, kMaxGenerators + 1> inverseScalar{};

  const uint8_t* Matrix(int g) const { return matrices.data() + static_cast<size_t>(g) * k * k; }
  const uint8_t* Inverse(int g) const { return inverseMatrices.data() + static_cast<size_t>(g) * k * k; }
};

// A letter pair of a relator: sign and generator number.
struct Letter {
  bool inverse = false;
  int g = 0;
};

Letter LetterAt(const Word& word, size_t pair) {
  return {word[2 * pair] == '-', static_cast<unsigned char>(word[2 * pair + 1]) - kGeneratorByteBase};
}

bool LettersAreGenerators(const Presentation& presentation) {
  for (int64_t j = 1; j <= presentation.relatorCount; ++j) {
    const Word& word = presentation.relators[j];
    for (size_t q = 0; q < word.size() / 2; ++q) {
      const int g = LetterAt(word, q).g;
      if (g < 1 || g > kMaxGenerators) return false;
    }
  }
  return true;
}

bool CopyMatrix(const IntMatrix& source, int32_t k, const PrimeField& field, uint8_t* target) {
  if (source.size != k) return false;
  for (int32_t a = 1; a <= k; ++a) {
    for (int32_t b = 1; b <= k; ++b) {
      target[(a - 1) * k + (b - 1)] = static_cast<uint8_t>(ReduceModP(field, source(a, b)));
    }
  }
  return true;
}

// False when a generator of the relators has no k x k matrices.
bool ReduceRepresentation(const Presentation& presentation, const Representation& representation, int32_t k,
                          const PrimeField& field, GeneratorResidues& residues) {
  residues.k = k;
  const size_t square = static_cast<size_t>(k) * k;
  residues.matrices.assign((kMaxGenerators + 1) * square, 0);
  residues.inverseMatrices.assign((kMaxGenerators + 1) * square, 0);
  std::array<bool, kMaxGenerators + 1> occurs = OccurringGenerators(presentation);
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (!occurs[g]) continue;
    const GeneratorImage& image = representation.generators[g];
    if (!CopyMatrix(image.matrix, k, field, residues.matrices.data() + g * square)) return false;
    if (!CopyMatrix(image.inverseMatrix, k, field, residues.inverseMatrices.data() + g * square))
      return false;
    residues.scalar[g] = static_cast<uint8_t>(ReduceModP(field, image.abelianScalar));
    residues.inverseScalar[g] =
        static_cast<uint8_t>(InverseModP(field, static_cast<Residue>(residues.scalar[g])));
  }
  return true;
}

// x mod p for x < 2^20 (a sum of at most 60 products of residues below 127) by one
// multiplication and a shift: with m = floor(2^27 / p) + 1 and 2^7 >= p the quotient is exact
// in that range.
struct SumReducer {
  uint32_t p;
  uint64_t m;
  explicit SumReducer(int32_t prime)
      : p(static_cast<uint32_t>(prime)), m((uint64_t{1} << 27) / static_cast<uint64_t>(prime) + 1) {}
  uint32_t operator()(uint32_t x) const { return x - static_cast<uint32_t>((x * m) >> 27) * p; }
};

// product := left * right modulo p, k x k. Zero entries of the left factor are skipped, which
// makes products of permutation matrices cost k^2.
void MultiplyModP(const uint8_t* left, const uint8_t* right, int32_t k, const SumReducer& reduce,
                  uint32_t* sums, uint8_t* product) {
  std::fill(sums, sums + static_cast<size_t>(k) * k, 0u);
  for (int32_t a = 0; a < k; ++a) {
    uint32_t* row = sums + static_cast<size_t>(a) * k;
    for (int32_t l = 0; l < k; ++l) {
      const uint32_t x = left[a * k + l];
      if (x == 0) continue;
      const uint8_t* rightRow = right + static_cast<size_t>(l) * k;
      for (int32_t b = 0; b < k; ++b) row[b] += x * rightRow[b];
    }
  }
  for (int32_t n = 0; n < k * k; ++n) product[n] = static_cast<uint8_t>(reduce(sums[n]));
}

bool StorableExponent(int64_t e) {
  return e >= INT_MIN && e <= INT_MAX;
}

// The terms of one relator, summed per block and exponent before they reach the store. For each
// generator position i the exponents kept are a window [low, high] inside the store's range; the
// sums are residues, and `highestTerm` records per entry the highest exponent at which some term
// was nonzero, which decides the entry degree the store would have been left with.
struct BlockSums {
  int32_t low = 0;
  int32_t high = -1;
  std::vector<uint8_t> sums;         // (exponent - low) * k * k + a * k + b
  std::vector<int32_t> highestTerm;  // a * k + b
};

// Stores one accumulated entry so that the store ends exactly as a term-by-term sequence of
// MatrixSet calls (reading the old value, storing the new one) would have left it: coefficients
// are the sums; the entry degree is the highest nonzero sum at an exponent >= 0, or -1 when all
// those cancelled after some term reached exponent >= 0, or else the highest exponent of a nonzero
// term (-50 when there was none).
void StoreEntry(PolyMatrix& matrix, FailureState& failure, int32_t row, int32_t column,
                const BlockSums& block, size_t entry, size_t square) {
  auto sumAt = [&](int32_t e) { return block.sums[static_cast<size_t>(e - block.low) * square + entry]; };
  const int32_t highestTerm = block.highestTerm[entry];
  if (highestTerm == INT_MIN) return;
  int32_t degree = -1;
  for (int32_t e = block.high; e >= 0 && e >= block.low; --e) {
    if (sumAt(e) != 0) {
      degree = e;
      break;
    }
  }
  if (degree < 0 && highestTerm < 0) degree = highestTerm;
  if (degree >= 0) {
    MatrixSet(matrix, row, column, degree, static_cast<Residue>(sumAt(degree)), failure);
  } else if (degree == -1) {
    MatrixSet(matrix, row, column, 0, 1, failure);
    MatrixSet(matrix, row, column, 0, 0, failure);
  } else if (degree != kEmptyEntryDegree) {
    MatrixSet(matrix, row, column, degree, 1, failure);
    MatrixSet(matrix, row, column, degree, 0, failure);
  }
  for (int32_t e = block.low; e <= std::min(block.high, degree); ++e) {
    if (e == degree && degree >= 0) continue;
    if (sumAt(e) != 0) MatrixSet(matrix, row, column, e, static_cast<Residue>(sumAt(e)), failure);
  }
}

// Raises the failures of the build in the order in which the term-by-term loops (generator
// position, then relator, then letter) meet them, so that the last message is theirs.
void ReplayFailures(const Presentation& presentation, const std::vector<int>& positionOf,
                    FailureState& failure) {
  for (int64_t i = 1; i <= presentation.generatorCount; ++i) {
    for (int64_t j = 1; j <= presentation.relatorCount; ++j) {
      const Word& word = presentation.relators[j];
      int64_t e = 0;
      for (size_t q = 0; q < word.size() / 2; ++q) {
        Letter letter = LetterAt(word, q);
        const int64_t phi = presentation.phi[letter.g];
        if (positionOf[letter.g] == i) {
          const int64_t exponent = letter.inverse ? phi - e : -e;
          if (!StorableExponent(exponent)) FailPolynomial(failure, "Out of memory");
        }
        e += letter.inverse ? -phi : phi;
        if (e < kLowestPrefixExponent) Fail(failure, "Program error");
      }
    }
  }
}

}  // namespace

FailureState TwistedFoxMatrix(const Presentation& presentation, const Representation& representation,
                              int64_t k64, const PrimeField& field, RunControl& control, PolyMatrix& matrix) {
  FailureState failure;
  const int64_t n = presentation.generatorCount;
  const int64_t m = presentation.relatorCount;
  if (k64 < 1 || k64 > kMaxDegree || n < 0 || m < 0 || k64 * n > kMaxDimension || k64 * m > kMaxDimension) {
    Fail(failure, "Program error");
    return failure;
  }
  const int32_t k = static_cast<int32_t>(k64);
  const size_t square = static_cast<size_t>(k) * k;
  const int32_t p = field.currentPrime;

  ResetMatrix(matrix);
  GeneratorResidues residues;
  if (!LettersAreGenerators(presentation) ||
      !ReduceRepresentation(presentation, representation, k, field, residues)) {
    Fail(failure, "Program error");
    return failure;
  }
  std::vector<int> positionOf(kMaxGenerators + 1, 0);
  for (int64_t i = n; i >= 1; --i) {
    int g = presentation.generatorLetters[i];
    if (g >= 1 && g <= kMaxGenerators) positionOf[g] = static_cast<int>(i);
  }

  std::vector<uint8_t> prefix(square), next(square);
  std::vector<uint32_t> productSums(square);
  const SumReducer reduce(p);
  std::vector<BlockSums> blocks(static_cast<size_t>(n) + 1);
  bool anyFailure = false;

  for (int64_t j = 1; j <= m; ++j) {
    const Word& word = presentation.relators[j];
    const size_t letters = word.size() / 2;

    // The exponent windows of the blocks (i, j).
    for (BlockSums& block : blocks) {
      block.low = INT_MAX;
      block.high = INT_MIN;
    }
    int64_t e = 0;
    for (size_t q = 0; q < letters; ++q) {
      Letter letter = LetterAt(word, q);
      const int64_t phi = presentation.phi[letter.g];
      e += letter.inverse ? -phi : phi;
      if (e < kLowestPrefixExponent) anyFailure = true;
      if (positionOf[letter.g] == 0) continue;
      // A "+" letter's term sits at minus the exponent before it, a "-" letter's at minus the one after.
      const int64_t exponent = letter.inverse ? -e : -(e - phi);
      if (!StorableExponent(exponent)) {
        anyFailure = true;
        continue;
      }
      BlockSums& block = blocks[positionOf[letter.g]];
      block.low = std::min(block.low, static_cast<int32_t>(exponent));
      block.high = std::max(block.high, static_cast<int32_t>(exponent));
    }
    for (BlockSums& block : blocks) {
      if (block.low > block.high) {
        block.low = 0;
        block.high = -1;
      }
      block.sums.assign(static_cast<size_t>(block.high - block.low + 1) * square, 0);
      block.highestTerm.assign(square, INT_MIN);
    }

    // One walk along the relator with the prefix matrix P, scalar s and exponent e. A "+" letter
    // adds + s * P^T * t^(-e) with the prefix before it, a "-" letter - s * P^T * t^(-e) with the
    // prefix after it.
    std::fill(prefix.begin(), prefix.end(), 0);
    for (int32_t a = 0; a < k; ++a) prefix[a * k + a] = 1;
    uint32_t s = 1;
    e = 0;
    auto addTerm = [&](int position, bool minus) {
      if (position == 0 || !StorableExponent(-e)) return;
      const uint32_t scalar = minus ? (static_cast<uint32_t>(p) - s) % static_cast<uint32_t>(p) : s;
      if (scalar == 0) return;
      BlockSums& block = blocks[position];
      const int32_t exponent = static_cast<int32_t>(-e);
      uint8_t* sums = block.sums.data() + static_cast<size_t>(exponent - block.low) * square;
      for (int32_t a = 0; a < k; ++a) {
        for (int32_t b = 0; b < k; ++b) {
          const uint32_t value = prefix[b * k + a];
          if (value == 0) continue;
          uint8_t& sum = sums[a * k + b];
          sum = static_cast<uint8_t>(ReduceBelowSquare(field, sum + scalar * value));
          int32_t& highest = block.highestTerm[a * k + b];
          highest = std::max(highest, exponent);
        }
      }
    };
    for (size_t q = 0; q < letters; ++q) {
      Letter letter = LetterAt(word, q);
      const int g = letter.g;
      const int position = positionOf[g];
      if (!letter.inverse) addTerm(position, false);
      MultiplyModP(prefix.data(), letter.inverse ? residues.Inverse(g) : residues.Matrix(g), k, reduce,
                   productSums.data(), next.data());
      prefix.swap(next);
      s = s * (letter.inverse ? residues.inverseScalar[g] : residues.scalar[g]) % static_cast<uint32_t>(p);
      e += letter.inverse ? -presentation.phi[g] : presentation.phi[g];
      if (letter.inverse) addTerm(position, true);
    }

    for (int64_t i = 1; i <= n; ++i) {
      control.PumpMessages();
      const BlockSums& block = blocks[i];
      for (int32_t a = 1; a <= k; ++a) {
        for (int32_t b = 1; b <= k; ++b) {
          const size_t entry = static_cast<size_t>(a - 1) * k + (b - 1);
          StoreEntry(matrix, failure, static_cast<int32_t>((i - 1) * k + a),
                     static_cast<int32_t>((j - 1) * k + b), block, entry, square);
        }
      }
    }
  }
  if (anyFailure) ReplayFailures(presentation, positionOf, failure);

  // Every stored coefficient is a residue already, so there is nothing to bring into [0, p).
  RaiseFailures(failure, NormaliseRowPowers(matrix, k, n, m));
  control.PumpMessages();
  return failure;
}

FailureState NormaliseRowPowers(PolyMatrix& matrix, int64_t k, int64_t blockRows, int64_t blockColumns) {
  FailureState failure;
  const int32_t rows = static_cast<int32_t>(std::clamp<int64_t>(k * blockRows, 0, kMaxDimension));
  const int32_t columns = static_cast<int32_t>(std::clamp<int64_t>(k * blockColumns, 0, kMaxDimension));
  std::vector<Residue> before;
  for (int32_t r = 1; r <= rows; ++r) {
    int32_t v = kNoRowPower;
    for (int32_t c = 1; c <= columns; ++c) {
      const int32_t lowest = MatrixLowestExponent(matrix, r, c);
      if (lowest != kEmptyEntryLowestExponent) v = std::min(v, lowest);
    }
    if (v == 0 || v == kNoRowPower) continue;
    for (int32_t c = 1; c <= columns; ++c) {
      const int32_t degree = MatrixEntryDegree(matrix, r, c);
      const int32_t first = MatrixFirstExponent(matrix, r, c);
      if (MatrixLowestExponent(matrix, r, c) == kEmptyEntryLowestExponent) continue;
      // The stores below never overwrite a coefficient before it is read, so the reads can come
      // from a copy of the entry as it was.
      std::span<const Residue> stored = MatrixCoefficients(matrix, r, c);
      before.assign(stored.begin(), stored.end());
      auto old = [&](int32_t e) {
        return e < first || e > degree ? Residue{0} : before[static_cast<size_t>(int64_t{e} - first)];
      };
      if (v > 0) {
        // Every entry of the row has a nonzero term at v or above, so degree - v >= 0: the old
        // leading coefficient now sits at degree - v, and clearing the top lowers the entry degree
        // by exactly v.
        for (int32_t d = 0; d <= degree - v; ++d) MatrixSet(matrix, r, c, d, old(d + v), failure);
        for (int32_t e = degree; e > degree - v; --e) MatrixSet(matrix, r, c, e, 0, failure);
      } else if (int64_t{degree} - v > INT_MAX) {
        FailPolynomial(failure, "Out of memory");
      } else {
        for (int32_t d = degree - v; d >= 0; --d) MatrixSet(matrix, r, c, d, old(d + v), failure);
      }
      for (int32_t e = first; e <= -1; ++e) {
        if (old(e) != 0) MatrixSet(matrix, r, c, e, 0, failure);
      }
    }
  }
  return failure;
}

}  // namespace quarvel
