#include "base/panels.h"

namespace quarvel {
namespace {

constexpr int kNormPanels = 7;
constexpr int kIsotopyPanels = 3;

bool IsPanelOf(ComputationWindow window, int panel) {
  int last = window == ComputationWindow::isotopy ? kIsotopyPanels : kNormPanels;
  return panel >= 1 && panel <= last;
}

bool HasMapsToGlyph(ComputationWindow window, int panel) {
  if (window == ComputationWindow::isotopy) return panel == 1 || panel == 2;
  return panel == 3 || panel == 4 || panel == 7;
}

}  // namespace

const std::string& BlankLine() {
  static const std::string blank(1500, ' ');
  return blank;
}

void WriteText(Panels& panels, int panel, int x, int y, std::string_view text) {
  if (!IsPanelOf(panels.window, panel)) return;
  panels.surface->DrawText(panels.window, panel, x, y, text);
}

void WriteError(Panels& panels, int panel, int x, int y, std::string_view text) {
  if (!IsPanelOf(panels.window, panel)) return;
  panels.surface->DrawError(panels.window, panel, x, y, text);
}

void WriteIsotopyHeader(Panels& panels, int x, int y, std::string_view text) {
  panels.surface->DrawText(ComputationWindow::isotopy, kIsotopyHeaderPanel, x, y, text);
}

void DrawMapsTo(Panels& panels, int panel, int x, int y) {
  if (!HasMapsToGlyph(panels.window, panel)) return;
  panels.surface->DrawMapsTo(panels.window, panel, x, y);
}

void ClearPanels(Panels& panels) {
  struct PanelLines {
    int panel;
    int lines;
  };
  static constexpr PanelLines kLines[] = {{1, 100}, {2, 20}, {3, 100}, {4, 100}, {5, 100}, {6, 5}, {7, 100}};
  for (const PanelLines& p : kLines) {
    for (int i = 0; i < p.lines; ++i) {
      panels.surface->DrawText(ComputationWindow::norm, p.panel, 7, 7 + 8 * i, BlankLine());
    }
  }
}

void PumpMessages(Panels& panels) {
  panels.surface->ProcessMessages(panels.flags);
}

void KeepWindowAlive(Panels& panels) {
  do {
    panels.surface->ProcessMessages(panels.flags);
  } while (panels.flags.paused && !panels.flags.stopRequested);
}

}  // namespace quarvel
