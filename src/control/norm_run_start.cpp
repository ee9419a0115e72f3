#include "control/norm_run_start.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

#include "group/braid.h"
#include "group/knot_list_detection.h"
#include "group/prepare_presentation.h"

namespace quarvel {
namespace {

constexpr int kCaptionPanel = 5;
constexpr int kStartErrorX = 330;
constexpr uint64_t kWarmUpDrawsBelowTwo = 7'432'272;
constexpr uint64_t kWarmUpDrawsBelowThree = 5'214'572;

constexpr std::array<std::string_view, 4> kGroupTypeCaptions = {
    " (fundamental group of a knot complement)", " (fundamental group of a link complement)",
    " (fundamental group of a manifold with boundary)",
    " (fundamental group of a manifold without boundary)"};

std::string_view BraidCaption(bool link, bool zeroSurgery) {
  if (link && zeroSurgery) {
    return "Manifold is 0-surgery along first component of the link which is the closure of the braid ";
  }
  if (link) return "Link is closure of the braid ";
  if (zeroSurgery) return "M is 0-surgery along the knot which is the closure of the braid ";
  return "Knot is closure of the braid ";
}

void DetectKnotList(Workbench& wb) {
  std::ifstream in(wb.settings.inputDirectory + wb.settings.inputName, std::ios::binary);
  if (in && IsKnotList(in)) wb.settings.listMode = true;
}

// Builds the braid once to learn whether it closes to a link, which decides the group type.
void WriteBraidCaption(Workbench& wb) {
  RunSettings& s = wb.settings;
  s.writeKnotFiles = false;
  BuildBraidPresentation(wb);
  bool link = wb.presentation.braidIsLink;
  s.groupType = link ? 1 : (s.zeroSurgery ? 3 : 0);
  std::string caption(BraidCaption(link, s.zeroSurgery));
  WriteText(wb.panels, kCaptionPanel, 7, 7, caption + wb.presentation.braidText);
}

void WriteFileCaption(Workbench& wb) {
  const RunSettings& s = wb.settings;
  std::string caption = "Filename: " + s.inputName;
  if (s.groupType >= 0 && s.groupType < 4) caption += kGroupTypeCaptions[s.groupType];
  WriteText(wb.panels, kCaptionPanel, 7, 7, caption);
}

}  // namespace

void OpenNormWindow(Workbench& wb) {
  wb.panels.flags = RunFlags{};
  wb.panels.window = ComputationWindow::norm;
  wb.panels.surface->ShowWindow(ComputationWindow::norm);
}

void ShowRunError(Workbench& wb, int x) {
  WriteText(wb.panels, 1, x, 7, "       ERROR: " + wb.failure.errorMessage + std::string(10, ' '));
  PumpMessages(wb.panels);
  wb.panels.flags.paused = true;
  KeepWindowAlive(wb.panels);
}

bool StartNormRun(Workbench& wb) {
  RunSettings& s = wb.settings;
  Presentation& p = wb.presentation;
  ClearPanels(wb.panels);
  ClearFailure(wb.failure);
  if (p.braidText.empty()) DetectKnotList(wb);
  wb.run.multiField = std::count(s.fieldSelected.begin() + 1, s.fieldSelected.end(), true) > 1;
  if (p.braidText.empty()) {
    WriteFileCaption(wb);
  } else {
    WriteBraidCaption(wb);
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
