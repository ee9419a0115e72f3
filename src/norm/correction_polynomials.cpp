#include "norm/correction_polynomials.h"

#include <string>

#include "alexander/zeroth_second_polynomials.h"
#include "run/twisted_polynomial_stages.h"

namespace quarvel {
namespace {

constexpr int32_t kClosedManifold = 3;

// Records the build's failures and reduces the matrix of one block row; false when nothing was built.
bool ReduceGeneratorBlocks(Workbench& wb, const GeneratorBlockMatrix& blocks) {
  RaiseFailures(wb.failure, blocks.failures);
  if (!blocks.built) return false;
  ReduceWorkbenchMatrix(wb, 1, wb.presentation.generatorCount);
  return true;
}

}  // namespace

void ZerothTwistedPolynomial(Workbench& wb) {
  if (wb.failure.computationFailed) return;
  const GeneratorBlockMatrix blocks =
      ZerothPolynomialMatrix(wb.presentation, wb.representation, wb.settings.degreeK, wb.field, wb.matrix);
  if (!ReduceGeneratorBlocks(wb, blocks)) return;
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
  if (wb.settings.groupType != kClosedManifold) {
    wb.twisted.deg2 = 0;
  } else {
    const GeneratorBlockMatrix blocks =
        SecondPolynomialMatrix(wb.presentation, wb.representation, wb.settings.degreeK, wb.field, wb.matrix);
    if (!ReduceGeneratorBlocks(wb, blocks)) return;
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
