#include "alexander/zeroth_second_polynomials.h"

#include <string>

#include "alexander/fox_matrix.h"
#include "alexander/reduce_matrix.h"

namespace quarvel {
namespace {

constexpr int32_t kMaxDimension = 300;

enum class Block { zeroth, second };

// Fills the one block row, block column i holding I - (A(g)^-1)^T t^(-phi(g)) (zeroth) or
// I - A(g) t^(phi(g)) (second), and reduces it; false when the sizes do not fit the store.
bool ReduceGeneratorBlocks(Workbench& wb, Block kind) {
  const Presentation& presentation = wb.presentation;
  const int64_t n = presentation.generatorCount;
  const int64_t k = wb.current.degreeK;
  if (k < 1 || k > kMaxDegree || n < 0 || k * n > kMaxDimension) {
    Fail(wb.failure, "Program error");
    return false;
  }
  PolyMatrix& matrix = wb.matrix;
  FailureState& failure = wb.failure;
  ResetMatrix(matrix);
  for (int64_t i = 1; i <= n; ++i) {
    const int g = presentation.generatorLetters[i];
    if (g < 1 || g > kMaxGenerators) continue;
    const GeneratorImage& image = wb.representation.generators[g];
    const IntMatrix& source = kind == Block::zeroth ? image.inverseMatrix : image.matrix;
    if (source.size != k) {
      Fail(failure, "Program error");
      return false;
    }
    const int32_t exponent = kind == Block::zeroth ? -presentation.phi[g] : presentation.phi[g];
    for (int32_t a = 1; a <= k; ++a) {
      for (int32_t b = 1; b <= k; ++b) {
        const int32_t row = b;
        const int32_t column = static_cast<int32_t>((i - 1) * k + a);
        MatrixSet(matrix, row, column, 0, static_cast<Residue>(a == b ? 1 : 0), failure);
        // Zeroth: (A^-1)[a][b] into (b, a), the transpose; second: A[b][a] into (b, a).
        const int64_t value = kind == Block::zeroth ? source(a, b) : source(b, a);
        const int64_t old = MatrixGet(matrix, row, column, exponent);
        MatrixSet(matrix, row, column, exponent, ReduceModP(wb.field, old - value), failure);
      }
    }
  }
  // The coefficients are residues already, so there is nothing to bring into [0, p).
  NormaliseRowPowers(wb, 1, n);
  ReduceMatrix(wb, 1, n);
  return true;
}

}  // namespace

void ZerothTwistedPolynomial(Workbench& wb) {
  if (wb.failure.computationFailed) return;
  if (!ReduceGeneratorBlocks(wb, Block::zeroth)) return;
  wb.twisted.deg0 = PolyDegree(wb.twisted.twistedPolynomial);
  PumpMessages(wb.panels);
  if (wb.run.trivialPass) return;
  NormRunState& run = wb.run;
  if (run.savedPanelPosition == 0) run.savedPanelPosition = run.outputLine + 7;
  WriteText(wb.panels, run.outputPanel, 7, run.savedPanelPosition,
            "Degree of zeroth twisted Alexander polynomial = " + std::to_string(wb.twisted.deg0) + " ");
  run.outputLine = run.savedPanelPosition + 8;
}

void SecondTwistedPolynomial(Workbench& wb) {
  if (wb.failure.computationFailed) return;
  if (wb.current.groupType != GroupType::closed) {
    wb.twisted.deg2 = 0;
  } else {
    if (!ReduceGeneratorBlocks(wb, Block::second)) return;
    wb.twisted.deg2 = PolyDegree(wb.twisted.twistedPolynomial);
  }
  PumpMessages(wb.panels);
  if (wb.run.trivialPass) return;
  NormRunState& run = wb.run;
  if (run.savedPanelPosition == 0) run.savedPanelPosition = run.outputLine + 22;
  WriteText(wb.panels, run.outputPanel, 7, run.savedPanelPosition + 15,
            "Degree of second twisted Alexander polynomial = " + std::to_string(wb.twisted.deg2) + " ");
  run.outputLine = run.savedPanelPosition + 23;
}

}  // namespace quarvel
