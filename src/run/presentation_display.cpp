#include "run/presentation_display.h"

#include <string>

namespace quarvel {
namespace {

constexpr int kNormPanel = 7;
constexpr int kIsotopyPanel = 1;

std::string UsedGeneratorLetters(const Presentation& p) {
  std::string letters;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    if (!letters.empty()) letters += ", ";
    letters += GeneratorLetter(g);
  }
  return letters;
}

// Where a column of relators goes and how the next one is placed.
struct RelatorColumns {
  int x;
  int firstY;
  int lastY;  // a line below this starts a new column
  int charWidth;
  int gap;  // between the widest relator of a column and the next column
};

void WriteRelators(Workbench& wb, int panel, RelatorColumns layout) {
  const Presentation& p = wb.presentation;
  int x = layout.x;
  int y = layout.firstY;
  size_t widest = 0;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    if (y > layout.lastY) {
      x += layout.charWidth * static_cast<int>(widest) + layout.gap;
      y = layout.firstY;
      widest = 0;
    }
    std::string text = WordToText(p.relators[r], false);
    WriteText(wb.panels, panel, x, y, text);
    widest = std::max(widest, text.size());
    y += 15;
  }
}

// Where the phi entries go: letter, glyph and value in steps that shrink by s when crowded.
struct PhiRow {
  int firstX;
  int y;
  int lastX;  // beyond this the entries continue on the next line
  int step;
  int shrink;
  int s;
};

void WritePhi(Workbench& wb, int panel, PhiRow row) {
  const Presentation& p = wb.presentation;
  int x = row.firstX;
  int y = row.y;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    WriteText(wb.panels, panel, x, y, std::string(1, GeneratorLetter(g)));
    DrawMapsTo(wb.panels, panel, x + 11 - row.s, y);
    WriteText(wb.panels, panel, x + 22 - 2 * row.s, y, std::to_string(p.phi[g]));
    x += row.step - row.shrink * row.s;
    if (x > row.lastX) {
      y += 15;
      x = row.firstX;
    }
  }
}

}  // namespace

void ShowPresentation(Workbench& wb) {
  Presentation& p = wb.presentation;
  WriteText(wb.panels, kNormPanel, 7, 7, "Presentation of pi_1(" + p.spaceName + "): ");
  RecountGenerators(p);
  WriteText(wb.panels, kNormPanel, 7, 22, "The generators are " + UsedGeneratorLetters(p));
  WriteText(wb.panels, kNormPanel, 7, 37, "The relators are as follows: ");
  WriteRelators(wb, kNormPanel, RelatorColumns{7, 52, 140, 7, 10});
  WriteText(wb.panels, kNormPanel, 7, 142, "The homomorphism phi is given by");
  int s = p.generatorCount > 20 ? 2 : 0;
  WritePhi(wb, kNormPanel, PhiRow{7, 157, 440, 34, 4, s});
}

void ShowIsotopyPresentation(Workbench& wb) {
  Presentation& p = wb.presentation;
  RecountGenerators(p);
  WriteText(wb.panels, kIsotopyPanel, 300, 7, "Generators: ");
  WriteText(wb.panels, kIsotopyPanel, 400, 7, UsedGeneratorLetters(p));
  WriteText(wb.panels, kIsotopyPanel, 300, 22, "Relators:");
  int relatorShrink = p.relatorCount > 15 ? 2 : 0;
  WriteRelators(wb, kIsotopyPanel, RelatorColumns{400, 22, 52, 6, 4 - relatorShrink});
  WriteText(wb.panels, kIsotopyPanel, 300, 67, "Homomorphism phi:");
  int s = p.generatorCount > 20 ? 2 : 0;
  WritePhi(wb, kIsotopyPanel, PhiRow{400, 67, 940, 38, 5, s});
}

}  // namespace quarvel
