#include "alexander/zeroth_second_polynomials.h"

#include "alexander/fox_matrix.h"

namespace quarvel {
namespace {

constexpr int32_t kMaxDimension = 300;

enum class Block { zeroth, second };

// Fills the one block row, block column i holding I - (A(g)^-1)^T t^(-phi(g)) (zeroth) or
// I - A(g) t^(phi(g)) (second), and normalises the row powers.
GeneratorBlockMatrix FillGeneratorBlocks(Block kind, const Presentation& presentation,
                                         const Representation& representation, int64_t k,
                                         const PrimeField& field, PolyMatrix& matrix) {
  GeneratorBlockMatrix result;
  FailureState& failure = result.failures;
  const int64_t n = presentation.generatorCount;
  if (k < 1 || k > kMaxDegree || n < 0 || k * n > kMaxDimension) {
    Fail(failure, "Program error");
    return result;
  }
  ResetMatrix(matrix);
  for (int64_t i = 1; i <= n; ++i) {
    const int g = presentation.generatorLetters[i];
    if (g < 1 || g > kMaxGenerators) continue;
    const GeneratorImage& image = representation.generators[g];
    const IntMatrix& source = kind == Block::zeroth ? image.inverseMatrix : image.matrix;
    if (source.size != k) {
      Fail(failure, "Program error");
      return result;
    }
    const int32_t exponent = kind == Block::zeroth ? -presentation.phi[g] : presentation.phi[g];
    for (int32_t a = 1; a <= k; ++a) {
      for (int32_t b = 1; b <= k; ++b) {
        const int32_t row = b;
        const int32_t column = static_cast<int32_t>((i - 1) * k + a);
        MatrixSet(matrix, row, column, 0, static_cast<Residue>(a == b ? 1 : 0), failure);
        // Zeroth: (A^-1)[a][b] into (b, a), the transpose; second: A[b][a] into (b, a).
        const int64_t value = kind == Block::zeroth ? source(a, b) : source(b, a);
        const int64_t old = static_cast<uint8_t>(MatrixGet(matrix, row, column, exponent));
        MatrixSet(matrix, row, column, exponent, ReduceModP(field, old - value), failure);
      }
    }
  }
  // The coefficients are residues already, so there is nothing to bring into [0, p).
  RaiseFailures(failure, NormaliseRowPowers(matrix, k, 1, n));
  result.built = true;
  return result;
}

}  // namespace

GeneratorBlockMatrix ZerothPolynomialMatrix(const Presentation& presentation,
                                            const Representation& representation, int64_t k,
                                            const PrimeField& field, PolyMatrix& matrix) {
  return FillGeneratorBlocks(Block::zeroth, presentation, representation, k, field, matrix);
}

GeneratorBlockMatrix SecondPolynomialMatrix(const Presentation& presentation,
                                            const Representation& representation, int64_t k,
                                            const PrimeField& field, PolyMatrix& matrix) {
  return FillGeneratorBlocks(Block::second, presentation, representation, k, field, matrix);
}

}  // namespace quarvel
