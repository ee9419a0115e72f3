#include "run/prepare_presentation.h"

#include "group/braid.h"
#include "group/presentation_file.h"
#include "run/presentation_display.h"
#include "simplify/simplify_presentation.h"

namespace quarvel {

void PreparePresentation(Workbench& wb) {
  if (wb.failure.computationFailed) return;
  Presentation& p = wb.presentation;
  if (p.braidText.empty()) {
    PreScan scan = PreScanPresentationFile(wb);
    if (wb.failure.computationFailed) return;
    if (scan.kind == PreScan::nothingUsable) {
      return Fail(wb.failure,
                  "The file " + PickedPath(wb.settings) + " holds no braid, presentation or knot list");
    }
    if (scan.kind == PreScan::braid) p.braidText = scan.braidText;
  }
  if (!p.braidText.empty()) {
    BuildBraidPresentation(wb);
    SetPhiToOne(p);
  } else {
    ReadPresentationFile(wb);
  }
  if (wb.failure.computationFailed) return;

  if (wb.settings.isotopyMode) {
    ShowIsotopyPresentation(wb);
  } else {
    ShowPresentation(wb);
  }
  PumpMessages(wb.panels);
  SimplifyPresentation(wb);
  if (wb.failure.computationFailed) return;
  ListSurvivingGenerators(p, wb.simplification);
  PumpMessages(wb.panels);
}

}  // namespace quarvel
