#include "run/show_representation.h"

#include <string>

namespace quarvel {
namespace {

enum class ShownKind { permutation, reduced, permutationOnly, metabelian, abelian };

constexpr int kBlankedLines = 80;
constexpr int kMargin = 7;
constexpr int kHeaderY = 7;
constexpr int kSecondHeaderY = 22;
constexpr int kLineStep = 15;
constexpr int kWrapX = 400;
constexpr int kCompactFrom = 13;

ShownKind KindOf(const RunSettings& s) {
  if (s.repFamily == RepFamily::abelian) return ShownKind::abelian;
  if (s.repFamily == RepFamily::metabelian) return ShownKind::metabelian;
  if (s.permutationGroupOnly) return ShownKind::permutationOnly;
  if (s.reducedPermutationRep) return ShownKind::reduced;
  return ShownKind::permutation;
}

std::string ImageText(const Workbench& wb, ShownKind kind, int32_t g, int64_t permutationDegree) {
  const GeneratorImage& image = wb.representation.generators[g];
  if (kind == ShownKind::abelian) return "(" + std::to_string(image.abelianScalar) + ")";
  if (kind == ShownKind::metabelian) {
    const int32_t l = wb.representation.metabelianL;
    const int32_t e = image.metabelianElement - 1;
    return "(" + std::to_string(e / l) + "," + std::to_string(e % l) + ")";
  }
  std::string text = "(";
  for (int64_t i = 1; i <= permutationDegree; ++i) text += std::to_string(image.image[i]);
  return text + ")";
}

}  // namespace

std::string GeneratorImageText(const Workbench& wb, int32_t generator, int64_t permutationDegree) {
  return ImageText(wb, KindOf(wb.settings), generator, permutationDegree);
}

void ShowRepresentation(Workbench& wb) {
  const RunSettings& s = wb.settings;
  const Presentation& p = wb.presentation;
  const int panel = wb.run.outputPanel;
  for (int i = 1; i <= kBlankedLines; ++i) WriteText(wb.panels, panel, kMargin, 7 + 8 * (i - 1), BlankLine());

  const ShownKind kind = KindOf(s);
  const std::string k = std::to_string(wb.current.degreeK);
  const std::string pi = "Representation of the fundamental group: pi_1(" + p.spaceName + ") -> ";
  int lastLine = kHeaderY;
  switch (kind) {
    case ShownKind::permutation:
      WriteText(wb.panels, panel, kMargin, kHeaderY, pi + "S_" + k + " -> GL(Z," + k + ")");
      break;
    case ShownKind::reduced:
      WriteText(wb.panels, panel, kMargin, kHeaderY,
                "The representation of the fundamental group: pi_1(" + p.spaceName + ") -> S_" + k +
                    " -> GL(V) = GL(Z," + std::to_string(wb.current.degreeK - 1) + ")");
      WriteText(wb.panels, panel, kMargin, kSecondHeaderY,
                "where V = { (v_1,...,v_" + k + ") | v_1+...+v_" + k + "=0 } is given by");
      lastLine = kSecondHeaderY;
      break;
    case ShownKind::permutationOnly:
      WriteText(wb.panels, panel, kMargin, kHeaderY, pi + "S_" + k);
      break;
    case ShownKind::metabelian:
      WriteText(wb.panels, panel, kMargin, kHeaderY,
                pi + "Z/" + std::to_string(wb.representation.metabelianN) + " x Z/" +
                    std::to_string(wb.representation.metabelianL) + " -> GL(F_" +
                    std::to_string(wb.field.currentPrime) + "," +
                    std::to_string(wb.representation.metabelianL) + ")");
      break;
    case ShownKind::abelian:
      WriteText(wb.panels, panel, kMargin, kHeaderY,
                pi + "GL(F_" + std::to_string(wb.field.currentPrime) + ",1)");
      break;
  }

  int present = 0;
  for (int32_t g = 1; g <= kMaxGenerators; ++g) present += p.generatorUsed[g];
  const bool compact = present >= kCompactFrom;
  const int arrowOffset = compact ? 9 : 11;
  const int imageOffset = compact ? 18 : 24;
  int advance = kind == ShownKind::metabelian ? 61
                : kind == ShownKind::abelian  ? 50
                                              : 35 + 10 * static_cast<int>(wb.current.degreeK);
  if (compact) advance -= kind == ShownKind::metabelian ? 14 : kind == ShownKind::abelian ? 6 : 18;

  int x = kMargin;
  int y = lastLine + kLineStep;
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    WriteText(wb.panels, panel, x, y, std::string(1, GeneratorLetter(g)));
    DrawMapsTo(wb.panels, panel, x + arrowOffset, y);
    WriteText(wb.panels, panel, x + imageOffset, y, ImageText(wb, kind, g, wb.current.degreeK));
    lastLine = y;
    x += advance;
    if (x > kWrapX) {
      x = kMargin;
      y += kLineStep;
    }
  }
  wb.run.outputLine = lastLine + 8;
}

}  // namespace quarvel
