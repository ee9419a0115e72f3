#pragma once
// The seam between the computation and whatever shows it. The core draws on numbered panels of
// one of the two computation windows and pumps messages; a front end (Qt window, headless text
// model, test double) decides what that means.

#include <string_view>

namespace quarvel {

enum class ComputationWindow { norm, isotopy };

// Panel 0 of the isotopy window is its header panel; every other number is the panel's own.
inline constexpr int kIsotopyHeaderPanel = 0;

// The two flags the buttons of a computation window flip.
struct RunFlags {
  bool stopRequested = false;  // "Back to the main menu"
  bool paused = false;         // "Pause" toggles it
};

class PanelSurface {
 public:
  virtual ~PanelSurface() = default;

  // Opaque text with its top-left corner at (x, y); it overwrites what it covers.
  virtual void DrawText(ComputationWindow window, int panel, int x, int y, std::string_view text) = 0;
  // A run's error line ("ERROR: " and the message). By default it is drawn like any text; a front end
  // with room of its own for it shows it there, where it covers nothing and nothing covers it.
  virtual void DrawError(ComputationWindow window, int panel, int x, int y, std::string_view text) {
    DrawText(window, panel, x, y, text);
  }
  // The maps-to glyph, a bar and an arrow, 9 pixels wide, with its top-left corner at (x, y).
  virtual void DrawMapsTo(ComputationWindow window, int panel, int x, int y) = 0;
  // Handles every pending window message; button handlers flip the flags in `flags`.
  virtual void ProcessMessages(RunFlags& flags) = 0;
  // Shows the computation window with its caption; closing happens on "Back to the main menu".
  virtual void ShowWindow(ComputationWindow window) = 0;
  // One line for each knot of a knot list that a run has finished ("[i/N] name: result, seconds").
  virtual void ReportListKnot(std::string_view /*line*/) {}
};

}  // namespace quarvel
