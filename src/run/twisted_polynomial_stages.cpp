#include "run/twisted_polynomial_stages.h"

#include <string>

#include "alexander/fox_matrix.h"
#include "base/memory_guard.h"

namespace quarvel {
namespace {

constexpr int32_t kStatusOffset = 22;

}  // namespace

void OutputPanelReductionProgress::Status(int32_t position, int32_t positions, bool stillGoingOn) {
  std::string text = stillGoingOn ? "Computation of Alexander polynomial is still going on (status: "
                                  : "Computation of Alexander polynomial is going on (status: ";
  text += std::to_string(position) + "/" + std::to_string(positions) + (stillGoingOn ? ") " : ")");
  WriteText(wb_.panels, wb_.run.outputPanel, 7, wb_.run.outputLine + kStatusOffset, text + BlankLine());
}

void OutputPanelReductionProgress::Clear() {
  WriteText(wb_.panels, wb_.run.outputPanel, 7, wb_.run.outputLine + kStatusOffset, BlankLine());
}

void BuildWorkbenchFoxMatrix(Workbench& wb) {
  if (wb.failure.computationFailed) return;
  PanelRunControl control(wb.panels);
  wb.matrix.byteCeiling = wb.settings.memoryCeilingBytes;
  RunWithinMemory(wb.failure, [&] {
    RaiseFailures(wb.failure, TwistedFoxMatrix(wb.presentation, wb.representation, wb.current.degreeK,
                                               wb.field, control, wb.matrix));
  });
}

int32_t ReduceWorkbenchMatrix(Workbench& wb, int64_t blockRows, int64_t blockColumns) {
  if (wb.failure.computationFailed || wb.failure.polynomialErrorFlag) return -1;
  PanelRunControl control(wb.panels);
  OutputPanelReductionProgress progress(wb);
  wb.matrix.byteCeiling = wb.settings.memoryCeilingBytes;
  Reduction reduction;
  if (!RunWithinMemory(wb.failure, [&] {
        reduction = Reduce(wb.matrix, blockRows, blockColumns, wb.current.degreeK, wb.field,
                           wb.settings.keepTorsionSwitch, control, progress);
      }))
    return -1;
  RaiseFailures(wb.failure, reduction.failures);
  if (!reduction.complete()) return -1;
  TwistedResults& results = wb.twisted;
  results.twistedPolynomial = reduction.polynomial;
  results.rankOfTorsionFreePart = reduction.rankOfTorsionFreePart;
  results.positiveRank = reduction.positiveRank;
  return reduction.count;
}

}  // namespace quarvel
