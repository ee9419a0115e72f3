#include "norm/evaluate_representation.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "bounds/genus_norm_bounds.h"
#include "bounds/verdicts.h"
#include "poly/polynomial.h"
#include "reports/latex_details.h"
#include "reports/matrix_files.h"
#include "reports/results_file.h"
#include "run/run_event_records.h"
#include "run/twisted_polynomial_stages.h"

namespace quarvel {
namespace {

constexpr int kStatusPanel = 6;
constexpr int kVerdictY = 22;
constexpr int kBestResultPanel = 7;
constexpr int kNonMonicY = 172;
constexpr int kReportPointerPanel = 2;
constexpr int kLineStep = 15;
constexpr size_t kPieceBreakIndex = 71;  // a piece ends before the first sign at position 72 or later
constexpr int kFieldHeaderY = 213;
constexpr int kFieldLineY = 228;
constexpr int kBlankedLines = 19;
constexpr int kBlankedBelow = 212;
constexpr size_t kBlankedWidth = 156;

// What one evaluation works from.
struct Evaluation {
  Workbench& wb;
  int64_t b3;
  int64_t phiMultiple;  // d in phi = d phi_0
  int64_t k;
  int32_t p;
  std::string fieldText;       // "in F_p[t]"
  std::string fieldTextLatex;  // "\in \Bbb{F}_{p}[t^{\pm 1}]"
  std::string rankText;
  bool positiveRank;
};

bool IsKnot(const Workbench& wb) {
  return wb.current.groupType == GroupType::knot;
}

// The next line of the output panel.
void WriteLine(Workbench& wb, const std::string& text, int x = 7) {
  WriteText(wb.panels, wb.run.outputPanel, x, wb.run.outputLine + 7, text);
  wb.run.outputLine += kLineStep;
}

void BlankLowerOutputPanel(Workbench& wb) {
  std::string blank = BlankLine().substr(0, kBlankedWidth);
  for (int i = 0; i < kBlankedLines; ++i) {
    int y = wb.run.outputLine + 7 + 8 * i;
    if (y >= kBlankedBelow) break;
    WriteText(wb.panels, wb.run.outputPanel, 7, y, blank);
  }
}

int32_t DegreeSpan(const Polynomial& f) {
  int32_t high = PolyDegree(f);
  if (high < 0) return 0;
  int32_t low = 0;
  while (f.coefficients[low] == 0) ++low;
  return high - low;
}

void CountSolution(Workbench& wb) {
  if (wb.run.trivialPass) return;
  if (!wb.settings.compareFields || wb.run.fieldsDone == 1) ++wb.evaluation.solutionCount;
  WriteText(wb.panels, kStatusPanel, 7, 7,
            "Number of solutions: " + std::to_string(wb.evaluation.solutionCount) + "       ");
}

void ShowUntwisted(Evaluation& ev, const Polynomial& p) {
  Workbench& wb = ev.wb;
  EvaluationState& s = wb.evaluation;
  std::string text = PolyToText(p, true, false, false);
  if (ev.positiveRank) {
    WriteLine(wb, "Untwisted Alexander polynomial = 0 " + ev.fieldText);
    std::string second = "Untwisted torsion Alexander polynomial " + ev.fieldText + ":";
    WriteText(wb.panels, wb.run.outputPanel, 7 + 7 * static_cast<int>(second.size() + 1),
              wb.run.outputLine + 7, text);
    WriteLine(wb, second);
  } else {
    WriteLine(wb, "Untwisted Alexander polynomial " + ev.fieldText);
    WriteLine(wb, text);
  }
  s.untwistedPolynomialText = {
      text + " (in F_" + std::to_string(ev.p) + ")",
      PolyToText(p, true, false, true) + " \\in \\Bbb{F}_{" + std::to_string(ev.p) + "}[t^{\\pm 1}]"};
  s.untwistedDegree = s.twistedDegree;
  std::string degreeLine = (ev.positiveRank ? "Degree of untwisted torsion Alexander polynomial: "
                                            : "Degree of untwisted Alexander polynomial: ") +
                           std::to_string(s.twistedDegree) + "  ";
  if (!ev.rankText.empty()) {
    WriteText(wb.panels, wb.run.outputPanel, 7 + 7 * static_cast<int>(degreeLine.size()),
              wb.run.outputLine + 7, ev.rankText);
  }
  WriteLine(wb, degreeLine);
}

// The polynomial in pieces of about 72 characters, each further piece starting with its sign.
void WritePolynomialPieces(Workbench& wb, std::string text) {
  while (true) {
    size_t cut =
        text.size() > kPieceBreakIndex ? text.find_first_of("+-", kPieceBreakIndex) : std::string::npos;
    if (cut == std::string::npos) break;
    WriteLine(wb, text.substr(0, cut));
    text.erase(0, cut);
  }
  WriteLine(wb, text);
}

void ShowTwisted(Evaluation& ev, const Polynomial& p) {
  Workbench& wb = ev.wb;
  EvaluationState& s = wb.evaluation;
  if (ev.positiveRank) {
    WriteLine(wb, "Twisted Alexander polynomial = 0 " + ev.fieldText);
    WriteLine(wb, "Twisted torsion Alexander polynomial " + ev.fieldText);
  } else {
    WriteLine(wb, "Twisted Alexander polynomial " + ev.fieldText);
  }
  std::string text = PolyToText(p, true, false, false);
  WritePolynomialPieces(wb, text);

  PolynomialTexts texts{text + " " + ev.fieldText,
                        PolyToText(p, true, false, true) + " " + ev.fieldTextLatex};
  if (ev.positiveRank) texts = {"0 " + ev.fieldText, "0 " + ev.fieldTextLatex};
  if (wb.settings.compareFields) {
    s.fieldPolynomialTexts[wb.run.fieldIndex] = texts;
  } else {
    s.twistedPolynomialText = texts;
  }
  if (!ev.positiveRank)
    WriteLine(wb, "Degree of twisted Alexander polynomial: " + std::to_string(s.twistedDegree) + "  ");
  if (!ev.rankText.empty()) WriteLine(wb, ev.rankText);
}

// The stop conditions the polynomial meets.
void RecordStopVerdict(Evaluation& ev) {
  EvaluationState& s = ev.wb.evaluation;
  const StopVerdict verdict =
      PolynomialStopVerdict(ev.wb.settings.stopCondition, ev.wb.run.trivialPass, ev.positiveRank);
  if (verdict.stopConditionMet) s.stopConditionMet = true;
  if (verdict.polynomialVanished) s.polynomialVanished = true;
}

void ComputeBounds(Evaluation& ev, const ZerothCorrection& d) {
  EvaluationState& s = ev.wb.evaluation;
  const GenusNormBounds bounds =
      BoundsFromDegree(s.twistedDegree, d.bound, ev.k, ev.phiMultiple, ev.b3, ev.positiveRank);
  s.genusBound = bounds.genus;
  s.normBound = bounds.norm;
}

void ShowBounds(Evaluation& ev) {
  Workbench& wb = ev.wb;
  EvaluationState& s = wb.evaluation;
  const StopCondition stop = wb.settings.stopCondition;
  if (s.genusBound > s.bestBound && !wb.run.trivialPass &&
      (stop == StopCondition::improved || stop == StopCondition::notFibered)) {
    s.stopConditionMet = s.boundImproved = true;
  }
  s.improvedBound = false;
  if (IsKnot(wb)) {
    WriteLine(wb, "Lower bound for genus of K: " + TwoDecimals(s.genusBound) + "  ");
    s.boundText = BoundText(s.genusBound);
    if (s.genusBound > s.bestBound) {
      s.bestBound = s.genusBound;
      s.improvedBound = true;
    }
    WriteText(wb.panels, kBestResultPanel, 7, 7,
              "Maximal lower bound for genus of K: " + TwoDecimals(s.bestBound) + "  ");
    return;
  }
  WriteLine(wb, "Lower bound for the Thurston norm of phi: " + TwoDecimals(s.normBound) + "  ");
  s.boundText = BoundText(s.normBound);
  if (s.genusBound > s.bestBound) {
    s.bestBound = s.genusBound;
    s.bestNormBound = s.normBound;
    s.improvedBound = true;
  }
  WriteText(wb.panels, kBestResultPanel, 7, 7,
            "Lower bound for the Thurston norm of phi: " + TwoDecimals(s.bestNormBound) + "  ");
}

// Whether the degrees contradict fibering, alone and across the fields compared so far.
void RecordFibering(Evaluation& ev, const ZerothCorrection& d) {
  Workbench& wb = ev.wb;
  EvaluationState& s = wb.evaluation;
  const int64_t f = wb.settings.compareFields ? wb.run.fieldIndex : 0;
  if (f > 0) {
    s.fieldDegree[f] = s.twistedDegree;
    s.fieldBound[f] = FieldBound(s.twistedDegree, d);
  }
  const FiberingVerdict verdict = TestFibering(
      {s.twistedDegree, s.untwistedDegree, d, ev.k, ev.b3, ev.phiMultiple, ev.positiveRank, f, s.fieldDegree,
       s.fieldBound, wb.settings.fieldSelected, wb.settings.permutationGroupOnly});
  s.showsNotFibered = verdict.notFibered;
  s.showsNonMonic = verdict.nonMonic;
  if (s.showsNotFibered) s.possiblyFibered = false;
  if (s.showsNonMonic) s.possiblyMonic = false;
}

std::string PrimeForColumn(int32_t p) {
  return std::to_string(p) + (p < 10 ? "  " : "");
}

// Returns the verdict lines it shows.
std::vector<std::string> ShowFieldComparison(Evaluation& ev) {
  Workbench& wb = ev.wb;
  std::vector<std::string> verdicts;
  EvaluationState& s = wb.evaluation;
  int panel = wb.run.outputPanel;
  WriteText(wb.panels, panel, 7, kFieldHeaderY,
            "Degrees of the twisted Alexander polynomial over different finite fields.");
  int y = kFieldLineY + kLineStep * (wb.run.fieldsDone - 1);
  std::string prime = PrimeForColumn(ev.p);
  if (ev.positiveRank) {
    WriteText(wb.panels, panel, 7, y,
              "Twisted Alexander polynomial in F_" + prime + " vanishes" + BlankLine());
  } else {
    std::string bound = IsKnot(wb) ? "on genus = " + TwoDecimals(s.genusBound)
                                   : "on Thurston norm = " + TwoDecimals(s.normBound);
    WriteText(wb.panels, panel, 7, y,
              "Degree of twisted Alexander polynomial in F_" + prime + " = " +
                  std::to_string(s.twistedDegree) + ", resulting bound " + bound + std::string(22, ' '));
  }
  if (!s.possiblyFibered) {
    if (wb.settings.stopCondition == StopCondition::notFibered) s.stopConditionMet = true;
    static constexpr const char* kNotFibered[] = {"The knot is not fibered",
                                                  "The link complement does not fiber over phi:pi_1(M) -> Z",
                                                  "The Manifold does not fiber over phi:pi_1(M) -> Z",
                                                  "The Manifold does not fiber over phi:pi_1(M) -> Z"};
    verdicts.emplace_back(kNotFibered[std::clamp(OptionCode(wb.current.groupType), 0, 3)]);
    WriteText(wb.panels, kStatusPanel, 7, kVerdictY, verdicts.back());
  }
  bool integralPermutations =
      wb.settings.repFamily == RepFamily::permutation && !wb.settings.reducedPermutationRep;
  if (!s.possiblyMonic && integralPermutations) {
    static constexpr const char* kNonMonic[] = {"The knot has a non-monic twisted Alexander polynomial",
                                                "The link has a non-monic twisted Alexander polynomial",
                                                "The Manifold has a non-monic twisted Alexander polynomial",
                                                "The Manifold has a non-monic twisted Alexander polynomial"};
    verdicts.emplace_back(kNonMonic[std::clamp(OptionCode(wb.current.groupType), 0, 3)]);
    WriteText(wb.panels, kBestResultPanel, 7, kNonMonicY, verdicts.back());
  }
  return verdicts;
}

// Each diagonal entry divided by its lowest power of t, as the LaTeX report shows the diagonal.
void NormaliseDiagonal(Workbench& wb) {
  int64_t n = wb.current.degreeK * std::min(wb.presentation.generatorCount, wb.presentation.relatorCount);
  for (int32_t s = 1; s <= n; ++s) {
    int32_t degree = MatrixEntryDegree(wb.matrix, s, s);
    int32_t m = 0;
    while (m <= degree && MatrixGet(wb.matrix, s, s, m) == 0) ++m;
    if (m == 0 || m > degree) continue;
    for (int32_t e = 0; e <= degree - m; ++e)
      MatrixSet(wb.matrix, s, s, e, MatrixGet(wb.matrix, s, s, e + m), wb.failure);
    for (int32_t e = degree; e > degree - m; --e) MatrixSet(wb.matrix, s, s, e, 0, wb.failure);
  }
}

// Points to the LaTeX report of a knot once it has been written.
void PointToLatexReport(Workbench& wb) {
  if (!IsKnot(wb) || wb.settings.saveMode != SaveMode::latex || wb.run.trivialPass ||
      wb.failure.computationFailed)
    return;
  WriteText(wb.panels, kReportPointerPanel, 7, 7,
            "More details can be found in the file: " + ReportPath(wb.settings, kLatexReportName));
}

// The reports that show the unreduced matrix take it before the reduction overwrites it.
void WriteUnreducedMatrixReports(Workbench& wb) {
  if (wb.settings.matrixSaveMode == MatrixSaveMode::matrix) WriteMatrixFile(wb, false);
  if (wb.settings.saveMode == SaveMode::latex) PrepareLatexMatrixRows(wb);
  if (wb.settings.matrixSaveMode == MatrixSaveMode::gap) WriteGapFile(wb);
}

// D, D_lo and D_hi of the workbench's representation kind and pass.
ZerothCorrection CorrectionFor(const Workbench& wb) {
  const RunSettings& s = wb.settings;
  return ZerothCorrectionFor(wb.run.trivialPass, s.repFamily, wb.current.degreeK,
                             wb.current.groupType == GroupType::closed ? 1 : 0, PhiMultiple(wb.presentation),
                             wb.twisted.deg0 + wb.twisted.deg2);
}

}  // namespace

void EvaluateRepresentation(Workbench& wb) {
  WriteUnreducedMatrixReports(wb);
  ReduceWorkbenchMatrix(wb, wb.presentation.generatorCount, wb.presentation.relatorCount);
  // A polynomial beyond the store's limits leaves no result to show or write: the matrix file
  // keeps its first version, as after a stop, and the driver shows the error.
  if (wb.failure.polynomialErrorFlag) return;
  if (wb.settings.matrixSaveMode == MatrixSaveMode::matrix) WriteMatrixFile(wb, true);
  if (wb.settings.compareFields) BlankLowerOutputPanel(wb);
  if (wb.panels.flags.stopRequested) return;
  if (wb.panels.flags.paused) KeepWindowAlive(wb.panels);
  if (wb.failure.computationFailed) return;
  PumpMessages(wb.panels);

  const Polynomial& p = wb.twisted.twistedPolynomial;
  wb.evaluation.twistedDegree = DegreeSpan(p);
  CountSolution(wb);
  Evaluation ev{wb,
                wb.current.groupType == GroupType::closed ? 1 : 0,
                PhiMultiple(wb.presentation),
                wb.current.degreeK,
                wb.field.currentPrime,
                "in F_" + std::to_string(wb.field.currentPrime) + "[t]",
                "\\in \\Bbb{F}_{" + std::to_string(wb.field.currentPrime) + "}[t^{\\pm 1}]",
                "",
                wb.twisted.positiveRank};
  if (wb.twisted.positiveRank && wb.settings.keepTorsionSwitch) {
    ev.rankText = "Rank of torsion free part: " + std::to_string(wb.twisted.rankOfTorsionFreePart);
  }
  RecordStopVerdict(ev);
  if (wb.run.trivialPass) {
    ShowUntwisted(ev, p);
  } else {
    ShowTwisted(ev, p);
  }
  ZerothCorrection d = CorrectionFor(wb);
  ComputeBounds(ev, d);
  ShowBounds(ev);
  std::vector<std::string> verdicts;
  if (!wb.run.trivialPass) {
    RecordFibering(ev, d);
    if (wb.settings.compareFields) verdicts = ShowFieldComparison(ev);
  }
  NormaliseDiagonal(wb);
  if (!wb.run.trivialPass && wb.settings.saveMode != SaveMode::none) WriteResults(wb);
  PointToLatexReport(wb);
  wb.events->RepresentationEvaluated(RepresentationRecordOf(wb, std::move(verdicts)));
}

}  // namespace quarvel
