#pragma once
// The twisted Fox matrix and its reduction as stages of a run, for both modes: they work on the
// workbench's matrix store, record failures on the run's failure state and keep the results of a
// complete reduction in wb.twisted.

#include <cstdint>

#include "alexander/reduce_matrix.h"
#include "run/workbench.h"

namespace quarvel {

// The status line of a long reduction on the output panel, 22 below the output line: "Computation
// of Alexander polynomial is going on (status: s/N)" and "... is still going on (status: s/N) " in
// turn; a blank line at the end.
class OutputPanelReductionProgress final : public ReductionProgress {
 public:
  explicit OutputPanelReductionProgress(Workbench& wb) : wb_(wb) {}
  void Status(int32_t position, int32_t positions, bool stillGoingOn) override;
  void Clear() override;

 private:
  Workbench& wb_;
};

// Fills wb.matrix with the twisted Fox matrix of the presentation and representation of the
// workbench, over its field at its degree. Does nothing when the computation has failed already.
void BuildWorkbenchFoxMatrix(Workbench& wb);

// Reduces wb.matrix (fox matrix layout of blockRows x blockColumns blocks at the workbench's
// degree) with the keep-torsion switch of the settings, pumping the panels and showing the status
// on the output panel. Nothing happens when a failure is recorded already. Returns the count, or
// -1 when the reduction gave no results (wb.twisted then stays as it was).
int32_t ReduceWorkbenchMatrix(Workbench& wb, int64_t blockRows, int64_t blockColumns);

}  // namespace quarvel
