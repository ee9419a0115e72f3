#include "norm/norm_run_start.h"

#include <algorithm>

#include "run/picked_file.h"
#include "run/prepare_presentation.h"
#include "run/run_messages.h"

namespace quarvel {
namespace {

constexpr int kCaptionPanel = 5;
constexpr int kStartErrorX = 330;
constexpr uint64_t kWarmUpDrawsBelowTwo = 7'432'272;
constexpr uint64_t kWarmUpDrawsBelowThree = 5'214'572;

}  // namespace

void OpenNormWindow(Workbench& wb) {
  wb.panels.flags = RunFlags{};
  wb.panels.window = ComputationWindow::norm;
  wb.panels.surface->ShowWindow(ComputationWindow::norm);
}

bool StartNormRun(Workbench& wb) {
  RunSettings& s = wb.settings;
  Presentation& p = wb.presentation;
  ClearPanels(wb.panels);
  ClearFailure(wb.failure);
  if (p.braidText.empty()) CheckPickedFile(wb);
  if (p.braidText.empty() && !wb.failure.computationFailed) s.listMode = PickedFileIsKnotList(s);
  if (s.listMode) wb.run.listName = s.inputName;  // knots of the list rename the input
  wb.run.multiField = std::count(s.fieldSelected.begin() + 1, s.fieldSelected.end(), true) > 1;
  if (p.braidText.empty()) {
    WriteText(wb.panels, kCaptionPanel, 7, 7, FileCaption(s));
  } else {
    WriteText(wb.panels, kCaptionPanel, 7, 7, BraidInputCaption(wb));
  }
  SetSpaceNames(p, s.groupType);

  PumpMessages(wb.panels);
  wb.panels.flags.paused = false;
  if (s.degreeK == 0) s.degreeK = 3;
  FillPrimeTable(s);
  // Every norm-mode run moves the shared generator on by the same fixed number of draws.
  SkipDraws(wb.random, kWarmUpDrawsBelowTwo + kWarmUpDrawsBelowThree);
  wb.run.savedDegree = s.degreeK;
  wb.run.savedSize = s.degreeK;
  wb.run.savedPrime = s.currentPrime;
  wb.evaluation.solutionCount = 0;

  if (!s.listMode && !wb.failure.computationFailed) {
    wb.panels.flags.stopRequested = false;
    PreparePresentation(wb);
    if (wb.panels.flags.stopRequested) return false;
  }
  if (s.repFamily == kAbelianFamily) s.compareFields = false;
  if (p.generatorCount > kMaxNormGenerators) Fail(wb.failure, "Too many generators!");
  if (wb.failure.computationFailed) {
    ShowRunError(wb, kStartErrorX);
    return false;
  }
  return true;
}

}  // namespace quarvel
