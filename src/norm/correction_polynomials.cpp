#include "norm/correction_polynomials.h"

#include <string>

#include "alexander/zeroth_second_polynomials.h"
#include "run/twisted_polynomial_stages.h"

namespace quarvel {
namespace {

// Records the build's failures and reduces the matrix of one block row; false when nothing was built.
bool ReduceGeneratorBlocks(Workbench& wb, const GeneratorBlockMatrix& blocks) {
  RaiseFailures(wb.failure, blocks.failures);
  if (!blocks.built) return false;
  ReduceWorkbenchMatrix(wb, 1, wb.presentation.generatorCount);
  return true;
}

// Pumps and, outside the trivial pass, shows "Degree of <which> twisted Alexander polynomial = d"
// `textBelow` below the saved panel position, which is set to `textBelow` + 7 below the output
// line when still 0; the output line moves 8 below the text.
void ShowDegree(Workbench& wb, const char* which, int32_t degree, int textBelow) {
  PumpMessages(wb.panels);
  if (wb.run.trivialPass) return;
  NormRunState& run = wb.run;
  if (run.savedPanelPosition == 0) run.savedPanelPosition = run.outputLine + textBelow + 7;
  WriteText(
      wb.panels, run.outputPanel, 7, run.savedPanelPosition + textBelow,
      std::string("Degree of ") + which + " twisted Alexander polynomial = " + std::to_string(degree) + " ");
  run.outputLine = run.savedPanelPosition + textBelow + 8;
}

}  // namespace

void ZerothTwistedPolynomial(Workbench& wb) {
  if (wb.failure.computationFailed) return;
  const GeneratorBlockMatrix blocks =
      ZerothPolynomialMatrix(wb.presentation, wb.representation, wb.current.degreeK, wb.field, wb.matrix);
  if (!ReduceGeneratorBlocks(wb, blocks)) return;
  wb.twisted.zerothPolynomial = wb.twisted.twistedPolynomial;
  wb.twisted.deg0 = PolyDegree(wb.twisted.twistedPolynomial);
  ShowDegree(wb, "zeroth", wb.twisted.deg0, 0);
}

void SecondTwistedPolynomial(Workbench& wb) {
  if (wb.failure.computationFailed) return;
  if (wb.current.groupType != GroupType::closed) {
    wb.twisted.deg2 = 0;
    wb.twisted.secondPolynomial = Polynomial{{1}};
  } else {
    const GeneratorBlockMatrix blocks =
        SecondPolynomialMatrix(wb.presentation, wb.representation, wb.current.degreeK, wb.field, wb.matrix);
    if (!ReduceGeneratorBlocks(wb, blocks)) return;
    wb.twisted.secondPolynomial = wb.twisted.twistedPolynomial;
    wb.twisted.deg2 = PolyDegree(wb.twisted.twistedPolynomial);
  }
  ShowDegree(wb, "second", wb.twisted.deg2, 15);
}

}  // namespace quarvel
