#include "run/run_messages.h"

#include <array>

#include "group/diagram_text.h"
#include "run/braid_input.h"

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

// The braid caption, or for a PD or DT code the same words with the code in place of the braid.
std::string DiagramCaption(std::string_view braidCaption, std::string_view text) {
  std::string caption(braidCaption);
  const DiagramForm form = FormOfDiagramText(text);
  if (form == DiagramForm::braid) return caption;
  const std::string code = form == DiagramForm::pd ? "given by the PD code " : "given by the DT code ";
  for (std::string_view braid : {"the closure of the braid ", "closure of the braid "}) {
    if (size_t at = caption.find(braid); at != std::string::npos)
      return caption.replace(at, braid.size(), code);
  }
  return caption;
}

}  // namespace

std::string BraidInputCaption(Workbench& wb) {
  const bool zeroSurgery = wb.settings.zeroSurgery;
  wb.current.writeKnotFiles = false;
  LoadBraidPresentation(wb);
  const bool link = wb.presentation.braidIsLink;
  wb.current.groupType = link ? GroupType::link : (zeroSurgery ? GroupType::closed : GroupType::knot);
  return DiagramCaption(BraidCaption(link, zeroSurgery, wb.panels.window), wb.presentation.braidText) +
         wb.presentation.braidText;
}

std::string FileCaption(const Workbench& wb) {
  return "Filename: " + wb.settings.inputName +
         std::string(kGroupTypeCaptions[OptionCode(wb.current.groupType)]);
}

void ShowRunError(Workbench& wb, int x) {
  wb.events->Error(wb.failure.errorMessage);
  WriteError(wb.panels, 1, x, 7, "       ERROR: " + wb.failure.errorMessage + std::string(10, ' '));
  PumpMessages(wb.panels);
  wb.panels.flags.paused = true;
  KeepWindowAlive(wb.panels);
}

}  // namespace quarvel
