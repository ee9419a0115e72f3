#include "norm/norm_driver.h"

#include <algorithm>

#include "base/memory_guard.h"
#include "lists/norm_list.h"
#include "norm/correction_polynomials.h"
#include "norm/evaluate_representation.h"
#include "norm/norm_run_start.h"
#include "norm/rational_invariants.h"
#include "norm/representation_stage.h"
#include "run/run_event_records.h"
#include "run/run_messages.h"
#include "run/twisted_polynomial_stages.h"

namespace quarvel {
namespace {

constexpr int kCycleErrorX = 300;
constexpr int kListErrorX = 330;
constexpr int64_t kPastLastField = kSelectableFields + 1;
constexpr int32_t kMatrixSide = 300;
constexpr int kFieldBlankY = 258;

bool IsPermutationFamily(const RunSettings& s) {
  return s.repFamily == RepFamily::permutation;
}

// The next knot of the list, at the size of the current pass. Returns false when the run ends
// here: the user left, or the list or the knot's braid failed.
bool FetchListKnot(Workbench& wb) {
  ClearPanels(wb.panels);
  wb.current.degreeK = wb.run.savedSize;
  // A knot that never gets its untwisted pass (too many generators) must not show the last one's.
  wb.evaluation.untwistedPolynomialText = {};
  wb.evaluation.untwistedDegree = 0;
  NextListKnot(wb, wb.settings.inputDirectory + wb.run.listName);
  wb.run.savedDegree = wb.current.degreeK;
  if (wb.panels.flags.stopRequested) return false;
  if (wb.failure.computationFailed) {
    ShowRunError(wb, kListErrorX);
    return false;
  }
  return true;
}

// The per-knot start before the cycles; false when the run ends instead.
bool StartKnot(Workbench& wb) {
  EvaluationState& e = wb.evaluation;
  e.possiblyFibered = e.possiblyMonic = true;
  wb.run.listSatisfied = false;
  if (wb.run.listMode && !FetchListKnot(wb)) return false;
  wb.representation.nontrivialCount = 0;
  const Presentation& p = wb.presentation;
  NormRunState& run = wb.run;
  // In a list each knot's caps start from the settings, so that its result does not depend on the
  // knots before it.
  if (run.listMode) {
    run.degreeCap = wb.settings.degreeCap;
    run.metabelianMaxOrder = wb.settings.metabelianMaxOrder;
  }
  if (p.generatorCount * p.relatorCount > 0) {
    int32_t cap =
        static_cast<int32_t>(std::min(kMatrixSide / p.generatorCount, kMatrixSide / p.relatorCount));
    run.degreeCap = std::min(run.degreeCap, cap);
    run.metabelianMaxOrder = std::min(run.metabelianMaxOrder, cap);
  }
  e.stopConditionMet = false;
  return true;
}

void StartUntwistedPass(Workbench& wb) {
  EvaluationState& e = wb.evaluation;
  wb.run.trivialPass = true;
  e.bestBound = 0;
  wb.image.generatorBound = 1;
  wb.representation.searchNumber = 0;
  wb.current.degreeK = 1;
  e.boundImproved = e.polynomialVanished = false;
  wb.run.cycleCounter = 0;
  wb.run.knotFirstSolution = e.solutionCount;
  wb.run.prime = wb.settings.currentPrime;
}

// Moves to the next selected field of the comparison; false once past the last one.
bool NextComparedField(Workbench& wb) {
  NormRunState& run = wb.run;
  const RunSettings& s = wb.settings;
  do {
    ++run.fieldIndex;
  } while (run.fieldIndex < kPastLastField && !s.fieldSelected[run.fieldIndex]);
  if (run.fieldIndex < kPastLastField) run.prime = s.primeTable[run.fieldIndex];
  if (run.fieldIndex == kPastLastField && run.fieldsDone == 0) Fail(wb.failure, "No field selected!");
  ++run.fieldsDone;
  for (int r = run.fieldsDone; r <= kSelectableFields; ++r) {
    WriteText(wb.panels, run.outputPanel, 7, kFieldBlankY + 15 * (r - 1), BlankLine());
  }
  return run.fieldIndex < kPastLastField;
}

void ComputeOverField(Workbench& wb) {
  SetCurrentPrime(wb.field, wb.run.prime);
  ZerothTwistedPolynomial(wb);
  SecondTwistedPolynomial(wb);
  PumpMessages(wb.panels);
  // Before the evaluation, whose results file prints the texts of this representation; called for
  // every presentation, so that one whose deficiency is not one leaves both texts empty.
  IntegerAlexanderAndWada(wb);
  BuildWorkbenchFoxMatrix(wb);
  EvaluateRepresentation(wb);
}

// The twisted polynomials of the representation, over one field or over each compared field.
// Returns false when the run ends here (stop or error).
bool EvaluateOverFields(Workbench& wb) {
  NormRunState& run = wb.run;
  bool comparing = wb.settings.compareFields && !run.trivialPass;
  run.fieldIndex = 0;
  run.fieldsDone = 0;
  do {
    bool fieldLeft = !comparing || NextComparedField(wb);
    if (fieldLeft && !wb.failure.computationFailed) ComputeOverField(wb);
    // A polynomial beyond the store's limits leaves a wrong result behind: the run stops on it.
    if (wb.failure.polynomialErrorFlag) wb.failure.computationFailed = true;
    if (wb.panels.flags.stopRequested) return false;
    PumpMessages(wb.panels);
    if (wb.failure.computationFailed) {
      // In a list the knot is recorded as not computed and the walk goes on.
      if (!wb.run.listMode) ShowRunError(wb, kCycleErrorX);
      return false;
    }
  } while (comparing && run.fieldIndex != kPastLastField && wb.representation.representationFound &&
           (wb.evaluation.possiblyFibered || !wb.run.listMode));
  return true;
}

// The regular and the reduced representations turn the degree k of S_k into the order of the image
// and into k - 1; each cycle searches S_k again at the degree the last search drew from, raised
// if the first search raised it.
bool SavesSearchDegree(const Workbench& wb) {
  const RunSettings& s = wb.settings;
  return IsPermutationFamily(s) && (s.permutationGroupOnly || s.reducedPermutationRep) && !wb.run.trivialPass;
}

void FindNextRepresentation(Workbench& wb) {
  const RunSettings& s = wb.settings;
  SearchRepresentation(wb);
  if (SavesSearchDegree(wb)) wb.run.savedDegree = wb.current.degreeK;
  ComputeImageOrder(wb);
  if (s.determineImageSize) CountImageGenerators(wb);
  if (s.reducedPermutationRep && SavesSearchDegree(wb)) wb.current.degreeK -= 1;  // V has dimension k - 1
}

enum class CycleEnd { nextCycle, endKnot, endRun };

CycleEnd RunCycle(Workbench& wb) {
  const RunSettings& s = wb.settings;
  int64_t& k = wb.current.degreeK;
  NormRunState& run = wb.run;
  EvaluationState& e = wb.evaluation;
  bool trivial = run.trivialPass;
  if (!trivial) run.outputPanel = 7 - run.outputPanel;
  if (trivial) run.outputLine = 0;
  run.savedPanelPosition = 0;
  if (SavesSearchDegree(wb)) k = run.savedDegree;
  k = std::min<int64_t>(k, run.degreeCap);
  wb.representation.representationFound = true;
  bool sizeOk = wb.presentation.generatorCount <= kMaxNormGenerators;
  const bool searched = sizeOk && !wb.failure.computationFailed;
  if (searched) FindNextRepresentation(wb);
  if (wb.panels.flags.stopRequested) return CycleEnd::endRun;
  if (run.listMode && KnotFailed(wb.failure)) return CycleEnd::endKnot;
  if (searched && wb.failure.computationFailed) {
    ShowRunError(wb, kCycleErrorX);
    return CycleEnd::endRun;
  }

  if (wb.representation.representationFound && k <= run.degreeCap && sizeOk &&
      !wb.failure.computationFailed) {
    if (!EvaluateOverFields(wb)) {
      const bool knotFailed = run.listMode && KnotFailed(wb.failure) && !wb.panels.flags.stopRequested;
      return knotFailed ? CycleEnd::endKnot : CycleEnd::endRun;
    }
  }
  if (trivial) k = run.savedDegree;

  bool stop = false;
  run.trivialPass = false;
  if (s.compareFields && run.listMode && run.multiField && !e.possiblyFibered) stop = true;
  const std::string& untwisted = e.untwistedPolynomialText.plain;
  if (s.compareFields && (untwisted.size() < 2 || untwisted[1] != '1')) {
    stop = true;
    e.possiblyFibered = false;
  }
  if (e.stopConditionMet) stop = true;
  ++run.cycleCounter;
  // The cycle limit ends a single run, and in a list each knot's cycles.
  const bool limitReached =
      run.representationLimit >= 0 &&
      e.solutionCount - (run.listMode ? run.knotFirstSolution : 0) >= run.representationLimit;
  if (limitReached && !run.listMode) {
    wb.panels.flags.stopRequested = true;
    run.representationLimitReached = true;
  }
  if (wb.panels.flags.stopRequested) return CycleEnd::endRun;
  if (stop || limitReached) return CycleEnd::endKnot;
  if (run.listMode && run.cycleCounter > k * (k / 2 + 1) + 2) return CycleEnd::endKnot;
  return wb.representation.representationFound ? CycleEnd::nextCycle : CycleEnd::endKnot;
}

}  // namespace

void RunNormMode(Workbench& wb) {
  OpenNormWindow(wb);
  if (!RunWithinMemory(wb.failure, [&wb] { NormDriver(wb); })) ShowRunError(wb, kCycleErrorX);
  wb.events->RunEnded(RunEndRecordOf(wb, "norm"));
}

void NormDriver(Workbench& wb) {
  if (!StartNormRun(wb)) return;
  wb.run.outputPanel = 4;
  wb.run.firstWrite = true;
  const bool listMode = wb.run.listMode;
  while (true) {
    if (!StartKnot(wb)) return;
    const bool knotLeft = !listMode || !wb.run.listDone;
    if (knotLeft) {
      StartUntwistedPass(wb);
      CycleEnd end = CycleEnd::nextCycle;
      while (end == CycleEnd::nextCycle) end = RunCycle(wb);
      if (end == CycleEnd::endRun) return;
    }
    if (wb.panels.flags.stopRequested) return;
    if (listMode && knotLeft) {
      const std::string listPath = wb.settings.inputDirectory + wb.run.listName;
      if (KnotFailed(wb.failure)) {
        RecordFailedListKnot(wb, listPath);
      } else {
        WriteListResult(wb, listPath);
      }
      if (wb.failure.computationFailed) {
        ShowRunError(wb, kListErrorX);
        return;
      }
      if (!wb.run.listSatisfied) continue;
    }
    if (wb.evaluation.stopConditionMet || wb.run.listSatisfied || wb.run.singlePass) return;
    // A new pass over the list, or the same presentation again, at the next size.
    ++wb.run.savedSize;
  }
}

}  // namespace quarvel
