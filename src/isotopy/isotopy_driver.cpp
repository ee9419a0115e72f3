#include "isotopy/isotopy_driver.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/memory_guard.h"
#include "homs/enumerate_homomorphisms.h"
#include "homs/isotopy_group.h"
#include "isotopy/isotopy_panel_reports.h"
#include "lists/isotopy_list.h"
#include "lists/knot_list_detection.h"
#include "reports/isotopy_report.h"
#include "reports/report_text.h"
#include "run/homomorphism_store.h"
#include "run/picked_file.h"
#include "run/prepare_presentation.h"
#include "run/run_event_records.h"
#include "run/run_messages.h"
#include "run/twisted_polynomial_stages.h"

namespace quarvel {
namespace {

constexpr int kRunningPanel = 2;
constexpr int kClearedLines = 200;
constexpr int kErrorClearedLines = 20;
constexpr int kErrorX = 330;
constexpr uint64_t kWarmUpDraws = 1000;
constexpr int kPolynomialX = 470;

bool FlagSet(const Workbench& wb) {
  return wb.failure.computationFailed || wb.failure.polynomialErrorFlag;
}

std::string GroupName(const IsotopyGroup& group) {
  return (group.letter == 'a' ? "A_" : "S_") + std::to_string(group.degree);
}

void ClearRunPanels(Workbench& wb) {
  for (int panel = 1; panel <= 3; ++panel) {
    for (int i = 1; i <= kClearedLines; ++i) WriteText(wb.panels, panel, 7, 7 + 8 * (i - 1), BlankLine());
  }
  PumpMessages(wb.panels);
}

void ShowKnotError(Workbench& wb) {
  for (int i = 1; i <= kErrorClearedLines; ++i) WriteText(wb.panels, 1, 7, 8 * i - 4, BlankLine());
  ShowRunError(wb, kErrorX);
}

// The twisted Fox matrix of the representation in the workbench, reduced; the status of a long
// reduction goes on panel 2 below the current class.
void ComputeTwistedPolynomial(Workbench& wb) {
  wb.run.outputPanel = kRunningPanel;
  wb.run.outputLine = wb.isotopy.linePosition;
  BuildWorkbenchFoxMatrix(wb);
  ReduceWorkbenchMatrix(wb, wb.presentation.generatorCount, wb.presentation.relatorCount);
}

void UntwistedAlexanderPolynomial(Workbench& wb) {
  wb.current.degreeK = 1;
  for (GeneratorImage& image : wb.representation.generators) {
    image.matrix.Reset(1);
    image.matrix(1, 1) = 1;
    image.inverseMatrix.Reset(1);
    image.inverseMatrix(1, 1) = 1;
  }
  SetCurrentPrime(wb.field, wb.settings.currentPrime);
  SetSpaceNames(wb.presentation, wb.current.groupType);
  ComputeTwistedPolynomial(wb);
  if (FlagSet(wb)) return;
  IsotopyState& iso = wb.isotopy;
  // The torsion product concerns the classes: the Alexander polynomial stays 0 where it vanishes.
  iso.untwistedPolynomial = wb.twisted.positiveRank ? Polynomial{} : wb.twisted.twistedPolynomial;
  iso.untwistedDegree = PolyDegree(iso.untwistedPolynomial);
  iso.untwistedPolynomialText = {PolyToText(iso.untwistedPolynomial, true, false, false),
                                 PolyToText(iso.untwistedPolynomial, true, false, true)};
  WriteText(wb.panels, 1, 7, 7, "Alexander polynomial: ");
  WriteText(wb.panels, 1, 7, 22, iso.untwistedPolynomialText.plain);
}

// The per-homomorphism step: show the class, keep it, compute its twisted polynomial, multiply it
// in. Returns whether the enumeration goes on: not after a failure.
bool EvaluateHomomorphism(Workbench& wb, const Assignment& images) {
  IsotopyState& iso = wb.isotopy;
  const IsotopyGroup& group = wb.isotopyGroup;
  const Assignment homomorphism = ExtendToEliminated(group, wb.simplification.substitutionList, images);
  const int32_t representationLine = iso.linePosition;
  ShowIsotopyRepresentation(wb, homomorphism);
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (!wb.presentation.generatorUsed[g]) continue;
    wb.representation.generators[g].matrix = group.matrices[homomorphism[g]];
    wb.representation.generators[g].inverseMatrix = group.inverseMatrices[homomorphism[g]];
  }
  if (const std::optional<Failure> full =
          StoreHomomorphism(wb.homomorphisms, homomorphism, wb.settings.memoryCeilingBytes)) {
    FailPolynomial(wb.failure, full->message);
    return false;
  }
  ComputeTwistedPolynomial(wb);
  WriteText(wb.panels, kRunningPanel, 7, iso.linePosition + 22, BlankLine());
  const Polynomial& twisted = wb.twisted.twistedPolynomial;
  PolyMultiply(wb.field, iso.productPolynomial, twisted, iso.productPolynomial);
  iso.classTexts.push_back({PolyToText(twisted, true, false, false), PolyToText(twisted, true, false, true)});
  ShowClassPolynomial(wb, representationLine, iso.classTexts.back().plain);
  if (!FlagSet(wb)) wb.events->ClassEvaluated(ClassRecordOf(wb, homomorphism));
  PumpMessages(wb.panels);
  return !FlagSet(wb);
}

// Every class of homomorphisms into the group, each through EvaluateHomomorphism; the store keeps
// them with the enumeration's counters.
void EnumerateClasses(Workbench& wb) {
  HomomorphismStore& store = wb.homomorphisms;
  store = HomomorphismStore{};
  PanelRunControl control(wb.panels);
  EnumerationPanels progress(wb);
  const EnumerationOutcome outcome = EnumerateHomomorphisms(
      SimplifiedRelatorsOf(wb.presentation, wb.simplification), wb.isotopyGroup, wb.settings.allHomomorphisms,
      control, progress, [&wb](const Assignment& images, const HomomorphismCounts&) {
        return EvaluateHomomorphism(wb, images);
      });
  store.satisfyingCount = outcome.counts.satisfying;
  store.newCount = outcome.counts.found;
  wb.isotopy.enumerationStopped = outcome.stopped;
}

void WriteClassHeaders(Workbench& wb) {
  const std::string space = wb.presentation.spaceName;
  const std::string group = GroupName(wb.isotopyGroup);
  const std::string k = std::to_string(wb.isotopyGroup.degree);
  WriteText(wb.panels, kRunningPanel, 7, 22,
            "Equivalence classes of homomorphisms: pi_1(" + space + ") -> " + group);
  WriteText(wb.panels, kRunningPanel, kPolynomialX, 22,
            "Twisted " + std::string(TorsionWord(wb.settings.torsionProduct)) +
                "Alexander polynomials corresponding to pi_1(" + space + ") -> " + group + " -> GL(F_" +
                std::to_string(wb.settings.currentPrime) + "," + k + ")");
}

void WriteInputCaption(Workbench& wb) {
  if (wb.presentation.braidText.empty()) {
    WriteIsotopyHeader(wb.panels, 7, 7, FileCaption(wb));
  } else {
    WriteIsotopyHeader(wb.panels, 7, 7, BraidInputCaption(wb) + BlankLine());
  }
}

// Waits for the user after the last knot, an error or a stop.
void WaitForUser(Workbench& wb) {
  PumpMessages(wb.panels);
  wb.panels.flags.paused = true;
  KeepWindowAlive(wb.panels);
}

std::string ListPath(const Workbench& wb) {
  return wb.settings.inputDirectory + wb.isotopy.listName;
}

// The presentation of the next knot: the input's, or the next unprocessed knot of the list.
// Returns false when the run ends here.
bool LoadKnot(Workbench& wb) {
  IsotopyState& iso = wb.isotopy;
  if (iso.listMode) {
    NextIsotopyKnot(wb, ListPath(wb));
  } else {
    wb.panels.flags.stopRequested = false;
    PreparePresentation(wb);
    if (wb.panels.flags.stopRequested) return false;
  }
  if (FlagSet(wb)) {
    ShowRunError(wb, kErrorX);
    return false;
  }
  if (iso.listMode && iso.listDone) {
    WriteText(wb.panels, 1, kErrorX, 7, "       Computed all knots in the list        ");
    WaitForUser(wb);
    return false;
  }
  return true;
}

// One knot: its presentation, the untwisted polynomial, the invariant, and in a list its result
// line. Returns true when the next knot of the list follows.
bool RunKnot(Workbench& wb) {
  IsotopyState& iso = wb.isotopy;
  ClearRunPanels(wb);
  if (!LoadKnot(wb)) return false;
  RunWithinMemory(wb.failure, [&] {
    UntwistedAlexanderPolynomial(wb);
    if (FlagSet(wb)) return;
    BuildIsotopyGroup(wb);
    if (iso.firstKnot) {
      FindConjugacyClasses(wb.isotopyGroup);
      iso.firstKnot = false;
    }
    ComputeKnotInvariant(wb);
  });
  // In a list a knot that fails is recorded as not computed and the walk goes on.
  if (FlagSet(wb) && iso.listMode && !wb.panels.flags.stopRequested) {
    if (RecordFailedIsotopyKnot(wb, ListPath(wb))) return true;
  }
  if (FlagSet(wb)) {
    ShowKnotError(wb);
    return false;
  }
  if (iso.listMode) RecordIsotopyResult(wb, ListPath(wb));
  if (FlagSet(wb)) {
    ShowRunError(wb, kErrorX);
    return false;
  }
  if (iso.listMode && !wb.panels.flags.stopRequested) return true;
  WaitForUser(wb);
  return false;
}

}  // namespace

void RunIsotopy(Workbench& wb) {
  wb.panels.flags = RunFlags{};
  wb.panels.window = ComputationWindow::isotopy;
  wb.panels.surface->ShowWindow(ComputationWindow::isotopy);
  if (!RunWithinMemory(wb.failure, [&wb] { IsotopyDriver(wb); })) ShowRunError(wb, kErrorX);
  wb.events->RunEnded(RunEndRecordOf(wb, "isotopy"));
}

void IsotopyDriver(Workbench& wb) {
  const RunSettings& s = wb.settings;
  IsotopyState& iso = wb.isotopy;
  iso.listDone = false;
  ClearFailure(wb.failure);
  SkipDraws(wb.random, kWarmUpDraws);
  wb.current = StartingValues(s);
  wb.current.degreeK = IsotopyDegree(s.isotopyGroup);
  if (wb.presentation.braidText.empty()) CheckPickedFile(wb);
  iso.listMode =
      wb.presentation.braidText.empty() && !wb.failure.computationFailed && PickedFileIsKnotList(s);
  if (iso.listMode) {
    iso.listName = s.inputName;
  } else {
    WriteInputCaption(wb);
  }
  PumpMessages(wb.panels);
  wb.panels.flags.paused = false;
  for (GeneratorImage& image : wb.representation.generators) image.abelianScalar = 1;
  iso.firstKnot = true;
  while (RunKnot(wb)) {
  }
}

void BuildIsotopyGroup(Workbench& wb) {
  const std::string& name = wb.settings.isotopyGroup;
  if (wb.isotopyGroup.name != name || wb.isotopyGroup.elements.empty()) {
    std::vector<int32_t> classes = std::move(wb.isotopyGroup.classRepresentatives);
    wb.isotopyGroup = MakeIsotopyGroup(name);
    wb.isotopyGroup.classRepresentatives = std::move(classes);
  }
  wb.current.degreeK = wb.isotopyGroup.degree;
}

void ComputeKnotInvariant(Workbench& wb) {
  IsotopyState& iso = wb.isotopy;
  if (wb.settings.isotopyGroup == "s1") {
    ShowUntwistedOnly(wb);
    wb.events->ProductComputed(ProductRecordOf(wb));
    return;
  }
  WriteClassHeaders(wb);
  iso.productPolynomial = Polynomial{{1}};
  iso.classTexts.clear();
  iso.linePosition = kFirstClassLine;
  EnumerateClasses(wb);
  // A failed class leaves the product incomplete: it is neither shown nor saved.
  if (iso.enumerationStopped || FlagSet(wb)) return;
  ShowProduct(wb, static_cast<int64_t>(wb.homomorphisms.rows.size()));
  wb.events->ProductComputed(ProductRecordOf(wb));
  const SaveMode saveMode = wb.settings.isotopySaveMode;
  if (saveMode != SaveMode::none) WriteIsotopyReport(wb, saveMode == SaveMode::latex);
}

}  // namespace quarvel
