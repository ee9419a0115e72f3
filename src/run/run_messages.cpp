#include "run/run_messages.h"

#include <array>
#include <fstream>

#include "group/input_file_check.h"
#include "lists/knot_list_detection.h"
#include "run/braid_input.h"
#include "run/picked_file.h"

namespace quarvel {
namespace {

constexpr std::array<std::string_view, 4> kGroupTypeCaptions = {
    " (fundamental group of a knot complement)", " (fundamental group of a link complement)",
    " (fundamental group of a manifold with boundary)",
    " (fundamental group of a manifold without boundary)"};

std::string_view BraidCaption(bool link, bool zeroSurgery, ComputationWindow window) {
  if (link && zeroSurgery) {
    return "Manifold is 0-surgery along first component of the link which is the closure of the braid ";
  }
  if (link) return "Link is closure of the braid ";
  if (zeroSurgery && window == ComputationWindow::isotopy) {
    return "Manifold is 0-surgery along the knot which is the closure of the braid ";
  }
  if (zeroSurgery) return "M is 0-surgery along the knot which is the closure of the braid ";
  return "Knot is closure of the braid ";
}

}  // namespace

bool PickedFileIsKnotList(const RunSettings& s) {
  if (UnusableFileReason(PickedPath(s))) return false;
  std::ifstream in(PickedPath(s), std::ios::binary);
  return in && IsKnotList(in);
}

std::string BraidInputCaption(Workbench& wb) {
  RunSettings& s = wb.settings;
  s.writeKnotFiles = false;
  LoadBraidPresentation(wb);
  const bool link = wb.presentation.braidIsLink;
  s.groupType = link ? 1 : (s.zeroSurgery ? 3 : 0);
  return std::string(BraidCaption(link, s.zeroSurgery, wb.panels.window)) + wb.presentation.braidText;
}

std::string FileCaption(const RunSettings& s) {
  std::string caption = "Filename: " + s.inputName;
  if (s.groupType >= 0 && s.groupType < 4) caption += kGroupTypeCaptions[s.groupType];
  return caption;
}

void ShowRunError(Workbench& wb, int x) {
  WriteText(wb.panels, 1, x, 7, "       ERROR: " + wb.failure.errorMessage + std::string(10, ' '));
  PumpMessages(wb.panels);
  wb.panels.flags.paused = true;
  KeepWindowAlive(wb.panels);
}

}  // namespace quarvel
