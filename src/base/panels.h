#pragma once
// Panel writing and run control on top of a PanelSurface: the calls every computing stage uses to
// report progress and to honour "Pause" and "Back to the main menu".

#include <string>
#include <string_view>

#include "base/panel_surface.h"
#include "base/run_control.h"

namespace quarvel {

struct Panels {
  explicit Panels(PanelSurface& s) : surface(&s) {}

  PanelSurface* surface;                               // never null
  ComputationWindow window = ComputationWindow::norm;  // the window panel numbers refer to
  RunFlags flags;
};

// 1500 blanks: written over a line to clear it.
const std::string& BlankLine();

// Text on panel 1..7 of the norm-mode window or 1..3 of the isotopy window (by `panels.window`);
// any other panel number draws nothing.
void WriteText(Panels& panels, int panel, int x, int y, std::string_view text);
// A run's error line, on a panel of the current window (see PanelSurface::DrawError).
void WriteError(Panels& panels, int panel, int x, int y, std::string_view text);
// The isotopy window's header panel.
void WriteIsotopyHeader(Panels& panels, int x, int y, std::string_view text);
// The maps-to glyph: panels 3, 4 and 7 of the norm-mode window, 1 and 2 of the isotopy window.
void DrawMapsTo(Panels& panels, int panel, int x, int y);
// Blanks the norm-mode window line by line (8 pixels apart from y = 7).
void ClearPanels(Panels& panels);
// Processes pending messages once.
void PumpMessages(Panels& panels);
// Processes pending messages, and keeps doing so while paused and not asked to stop.
void KeepWindowAlive(Panels& panels);

// The run control of a run shown on `panels`: pumping and pausing go through its surface, and
// its flags say whether "Pause" or "Back to the main menu" was pressed.
class PanelRunControl : public RunControl {
 public:
  explicit PanelRunControl(Panels& panels) : panels_(panels) {}
  void PumpMessages() override { quarvel::PumpMessages(panels_); }
  void KeepWindowAlive() override { quarvel::KeepWindowAlive(panels_); }
  bool StopRequested() const override { return panels_.flags.stopRequested; }
  bool Paused() const override { return panels_.flags.paused; }

 private:
  Panels& panels_;
};

}  // namespace quarvel
