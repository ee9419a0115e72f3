#include "isotopy/isotopy_panel_reports.h"

#include <algorithm>
#include <string>

#include "poly/polynomial.h"
#include "reports/report_text.h"

namespace quarvel {
namespace {

constexpr int kClassPanel = 2;
constexpr int kProductPanel = 3;
constexpr int kMargin = 7;
constexpr int kPolynomialX = 470;
constexpr size_t kClassFirstCut = 89;
constexpr size_t kProductFirstCut = 169;
constexpr int kClassPieceStep = 13;
constexpr int kProductPieceStep = 12;
constexpr int kLineAfterRepresentation = 15;
constexpr int kRepresentationWrapStep = 13;
constexpr size_t kPiecesForSummary = 6;
constexpr int kSummaryStep = 15;
constexpr size_t kSummaryEnd = 50;
constexpr int kProgressPanel = 1;
constexpr int kProgressY = 67;
constexpr int kCountY = 7;

}  // namespace

void ShowIsotopyRepresentation(Workbench& wb, const Assignment& homomorphism) {
  const Presentation& p = wb.presentation;
  const IsotopyGroup& group = wb.isotopyGroup;
  int32_t& line = wb.isotopy.linePosition;
  int64_t used = 0;
  for (int32_t g = 1; g <= kMaxGenerators; ++g) used += p.generatorUsed[g];
  const int64_t k = group.degree;
  const bool compact = k * used > 50;
  const int wrapAfter = compact ? 430 : 420;
  const int arrowOffset = compact ? 9 : 11;
  const int imageOffset = compact ? 18 : 24;
  const int advance = static_cast<int>((compact ? 11 : 35) + 10 * k);
  int x = kMargin;
  int y = line;
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    if (x > wrapAfter) {
      y += kRepresentationWrapStep;
      x = kMargin;
    }
    WriteText(wb.panels, kClassPanel, x, y, std::string(1, GeneratorLetter(g)));
    DrawMapsTo(wb.panels, kClassPanel, x + arrowOffset, y);
    WriteText(wb.panels, kClassPanel, x + imageOffset, y, "(" + group.texts[homomorphism[g]] + ")");
    x += advance;
  }
  line = y + kLineAfterRepresentation;
}

void EnumerationPanels::Started() {
  WriteText(wb_.panels, kProgressPanel, kMargin, kProgressY, "Checked 0% of all potential homomorphisms ");
}

// Both lines are written every time; their texts are made again only when the numbers change (the
// first digit moves on thousands of times, the numbers rarely).
void EnumerationPanels::Checked(int64_t percent, int64_t found) {
  wb_.homomorphisms.checkedPercent = static_cast<int32_t>(percent);
  if (percent != percentShown_ || percentText_.empty()) {
    // Rebuilt in its own storage: with S_5 the percentage changes at nearly every step.
    percentText_.assign("Checked ")
        .append(std::to_string(percent))
        .append("% of all potential homomorphisms");
    percentShown_ = percent;
  }
  WriteText(wb_.panels, kProgressPanel, kMargin, kProgressY, percentText_);
  if (found != countShown_ || countText_.empty()) {
    const IsotopyGroup& group = wb_.isotopyGroup;
    const std::string k = std::to_string(group.degree);
    const std::string letter(1, static_cast<char>(group.letter - 'a' + 'A'));
    countText_ = std::string(wb_.settings.allHomomorphisms ? "Number of homomorphisms pi -> "
                                                           : "Number of non-abelian homomorphisms pi -> ") +
                 letter + "_" + k + " up to conjugation by element in S_" + k + ": " + std::to_string(found) +
                 "   ";
    countShown_ = found;
  }
  WriteText(wb_.panels, kClassPanel, kMargin, kCountY, countText_);
}

void EnumerationPanels::Finished() {
  WriteText(wb_.panels, kProgressPanel, kMargin, kProgressY, "Checked 100% of all potential homomorphisms ");
}

void ShowClassPolynomial(Workbench& wb, int32_t representationLine, std::string_view polynomialText) {
  const std::vector<std::string> pieces = CutBeforeSigns(polynomialText, kClassFirstCut);
  int y = representationLine;
  for (const std::string& piece : pieces) {
    WriteText(wb.panels, kClassPanel, kPolynomialX, y, piece);
    y += kClassPieceStep;
  }
  // A polynomial longer than its representation pushes the next class below its last piece.
  const int32_t below = representationLine + kClassPieceStep * static_cast<int32_t>(pieces.size() - 1) +
                        kLineAfterRepresentation;
  if (!pieces.empty()) wb.isotopy.linePosition = std::max(wb.isotopy.linePosition, below);
}

void ShowProduct(Workbench& wb, int64_t classCount) {
  IsotopyState& iso = wb.isotopy;
  const std::string torsion(TorsionWord(wb.settings.torsionProduct));
  if (classCount == 0) {
    iso.productText = {"1", "1"};
    WriteText(wb.panels, kProductPanel, kMargin, 7,
              "There exist no such representations! Hence the Product of the twisted " + torsion +
                  "Alexander polynomials equals 1.");
    return;
  }
  iso.productText = {PolyToText(iso.productPolynomial, true, false, false),
                     PolyToText(iso.productPolynomial, true, false, true)};
  const std::vector<std::string> pieces = CutBeforeSigns(
      "The product of the twisted " + torsion + "Alexander polynomial equals: " + iso.productText.plain,
      kProductFirstCut);
  int y = 7;
  for (const std::string& piece : pieces) {
    WriteText(wb.panels, kProductPanel, kMargin, y, piece);
    y += kProductPieceStep;
  }
  // A long product gets its lowest and highest terms on a line of their own below it.
  if (pieces.size() >= kPiecesForSummary) {
    const std::string& text = iso.productText.plain;
    WriteText(wb.panels, kProductPanel, kMargin, y - kProductPieceStep + kSummaryStep,
              "Lowest and highest terms: " + HeadToSign(text, kSummaryEnd) + "...." +
                  TailFromSign(text, kSummaryEnd));
  }
}

void ShowUntwistedOnly(Workbench& wb) {
  WriteText(wb.panels, kProductPanel, kMargin, 7,
            "The Alexander polynomial equals: " + wb.isotopy.untwistedPolynomialText.plain);
}

}  // namespace quarvel
