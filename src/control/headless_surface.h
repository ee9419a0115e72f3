#pragma once
// A text model of the computation windows, for the command line and the tests.
//
// Each panel keeps text items. Text drawn at (x, y) covers [x, x + 7 * length) x [y, y + 13) and
// removes every item it overlaps, blanks included; what is kept is the text without its leading
// and trailing blanks (blank-only text keeps nothing). The maps-to glyph is an item "->" 9 pixels
// wide. A snapshot lists each panel's items sorted by y, then x, one line per y, items joined by
// one blank. The transcript records every drawing call, one per line, with trailing blanks cut:
// "P<panel>\t<x>\t<y>\t<text>" or "A<panel>\t<x>\t<y>" (panel 0 is the isotopy header panel).

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "control/panel_surface.h"

namespace quarvel {

inline constexpr int kCharacterWidth = 7;
inline constexpr int kLineHeight = 13;
inline constexpr int kMapsToWidth = 9;

class HeadlessSurface : public PanelSurface {
 public:
  struct Item {
    int x = 0;
    int y = 0;
    int width = 0;
    std::string text;
  };

  void DrawText(ComputationWindow window, int panel, int x, int y, std::string_view text) override;
  void DrawMapsTo(ComputationWindow window, int panel, int x, int y) override;
  // Nobody is there to press a button: a wait for the user ends as if the user left the window.
  void ProcessMessages(RunFlags& flags) override;
  void ShowWindow(ComputationWindow window) override;

  // Every drawing call is also written to `out`, which must outlive the surface.
  void RecordTranscript(std::ostream& out) { transcript_ = &out; }

  // The panel's lines as the snapshot shows them.
  std::vector<std::string> PanelLines(ComputationWindow window, int panel) const;
  // The whole panel as one text, lines joined by "\n".
  std::string PanelText(ComputationWindow window, int panel) const;
  // Every non-empty panel of every window, with a heading line per panel.
  std::string Snapshot() const;
  int MessagePumps() const { return pumps_; }

 private:
  using PanelKey = std::pair<ComputationWindow, int>;
  // Removes what [eraseX, eraseX + eraseWidth) x [y, y + 13) covers, then keeps `item` if it has text.
  void Place(ComputationWindow window, int panel, int eraseX, int eraseWidth, Item item);

  std::map<PanelKey, std::vector<Item>> panels_;
  std::ostream* transcript_ = nullptr;
  int pumps_ = 0;
};

}  // namespace quarvel
