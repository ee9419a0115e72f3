#include "norm/norm_run_start.h"

#include <algorithm>

#include "lists/knot_list_detection.h"
#include "run/picked_file.h"
#include "run/prepare_presentation.h"
#include "run/run_messages.h"

namespace quarvel {
namespace {

constexpr int kCaptionPanel = 5;
constexpr int kStartErrorX = 330;
constexpr uint64_t kWarmUpDrawsBelowTwo = 7'432'272;
constexpr uint64_t kWarmUpDrawsBelowThree = 5'214'572;

// The run's moving values, from the settings: the degree, the space, the list mode and the caps.
void StartRunValues(Workbench& wb) {
  const RunSettings& s = wb.settings;
  wb.current = StartingValues(s);
  wb.run.listMode = false;
  wb.run.degreeCap = s.degreeCap;
  wb.run.metabelianMaxOrder = s.metabelianMaxOrder;
}

}  // namespace

void OpenNormWindow(Workbench& wb) {
  wb.panels.flags = RunFlags{};
  wb.panels.window = ComputationWindow::norm;
  wb.panels.surface->ShowWindow(ComputationWindow::norm);
}

bool StartNormRun(Workbench& wb) {
  const RunSettings& s = wb.settings;
  Presentation& p = wb.presentation;
  StartRunValues(wb);
  ClearPanels(wb.panels);
  ClearFailure(wb.failure);
  if (p.braidText.empty()) CheckPickedFile(wb);
  if (p.braidText.empty() && !wb.failure.computationFailed) wb.run.listMode = PickedFileIsKnotList(s);
  if (wb.run.listMode) wb.run.listName = s.inputName;
  wb.run.multiField = std::count(s.fieldSelected.begin() + 1, s.fieldSelected.end(), true) > 1;
  if (p.braidText.empty()) {
    WriteText(wb.panels, kCaptionPanel, 7, 7, FileCaption(wb));
  } else {
    WriteText(wb.panels, kCaptionPanel, 7, 7, BraidInputCaption(wb));
  }
  SetSpaceNames(p, wb.current.groupType);

  PumpMessages(wb.panels);
  wb.panels.flags.paused = false;
  if (wb.current.degreeK == 0) wb.current.degreeK = 3;
  // Every norm-mode run moves the shared generator on by the same fixed number of draws.
  SkipDraws(wb.random, kWarmUpDrawsBelowTwo + kWarmUpDrawsBelowThree);
  wb.run.savedDegree = wb.current.degreeK;
  wb.run.savedSize = wb.current.degreeK;
  wb.evaluation.solutionCount = 0;

  if (!wb.run.listMode && !wb.failure.computationFailed) {
    wb.panels.flags.stopRequested = false;
    PreparePresentation(wb);
    if (wb.panels.flags.stopRequested) return false;
  }
  if (p.generatorCount > kMaxNormGenerators) Fail(wb.failure, "Too many generators!");
  if (wb.failure.computationFailed) {
    ShowRunError(wb, kStartErrorX);
    return false;
  }
  return true;
}

}  // namespace quarvel
