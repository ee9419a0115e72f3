#include "run/prepare_presentation.h"

#include <string>
#include <utility>

#include "run/braid_input.h"
#include "run/picked_file.h"
#include "run/presentation_display.h"
#include "run/run_event_records.h"
#include "simplify/simplify_presentation.h"

namespace quarvel {
namespace {

constexpr int kProgressPanel = 2;
constexpr const char* kPhiNotWellDefined = " Homomorphism phi is not well-defined ";

// The notice on panel 2 while the elimination trials run, wiped when they end.
class PanelSimplificationProgress : public SimplificationProgress {
 public:
  explicit PanelSimplificationProgress(Panels& panels) : panels_(panels) {}
  void TrialsGoingOn(bool still) override {
    WriteText(panels_, kProgressPanel, 7, 7,
              still ? std::string("Simplification of fundamental group is still going on")
                    : "Simplification of fundamental group is going on" + std::string(15, ' '));
  }
  void TrialsDone() override { WriteText(panels_, kProgressPanel, 7, 7, BlankLine()); }

 private:
  Panels& panels_;
};

// Simplifies the run's presentation with the run's effort and generator; a stop request leaves the
// best trial so far.
void Simplify(Workbench& wb) {
  PanelRunControl control(wb.panels);
  PanelSimplificationProgress progress(wb.panels);
  Result<Simplified> simplified =
      SimplifyPresentation(wb.presentation, wb.settings.simplifyEffort, wb.random, control, progress);
  if (!simplified) return Fail(wb.failure, simplified.error());
  if (!simplified->phiWellDefined) Fail(wb.failure, kPhiNotWellDefined);
  wb.simplification = std::move(simplified->simplification);
}

}  // namespace

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
    LoadBraidPresentation(wb);
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
  PresentationRecord given = PresentationRecordOf(p, OccurringGeneratorNumbers(p));
  Simplify(wb);
  if (wb.failure.computationFailed) return;
  ListSurvivingGenerators(p, wb.simplification);
  wb.events->Input(InputRecordOf(wb, std::move(given)));
  PumpMessages(wb.panels);
}

}  // namespace quarvel
