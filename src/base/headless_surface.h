#pragma once
// A text model of the computation windows, for the command line and the tests.
//
// Each panel keeps text items. Text drawn at (x, y) covers [x, x + 5 * length) x [y, y + 5) and
// erases, blanks included, the characters of every item it overlaps (what lies left and right of
// it stays) and a maps-to glyph it touches; what is kept of a drawing is its text without leading
// and trailing blanks (blank-only text keeps nothing). Five pixels a character is the width the
// window layouts assume (a label and the arrow after it, a status column and the next one); a
// five-pixel band keeps a subscript drawn 5 or 6 pixels lower from erasing its line, while blank
// lines written 8 pixels apart still erase everything they pass over. The maps-to glyph is an item "->" 9
// pixels wide. A snapshot lists each panel's items sorted by y, then x, one line per y, items joined by one
// blank. The transcript records every drawing call, one per line, with trailing blanks cut:
// "P<panel>\t<x>\t<y>\t<text>" or "A<panel>\t<x>\t<y>" (panel 0 is the isotopy header panel).

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/panel_surface.h"

namespace quarvel {

inline constexpr int kCharacterWidth = 5;
inline constexpr int kLineHeight = 5;
inline constexpr int kMapsToWidth = 9;

class HeadlessSurface : public PanelSurface {
 public:
  struct Item {
    int x = 0;
    int y = 0;
    int width = 0;
    std::string text;
    bool glyph = false;  // the maps-to glyph, erased whole
  };

  HeadlessSurface() = default;
  // A copy would share the remembered panel of the original.
  HeadlessSurface(const HeadlessSurface&) = delete;
  HeadlessSurface& operator=(const HeadlessSurface&) = delete;

  void DrawText(ComputationWindow window, int panel, int x, int y, std::string_view text) override;
  void DrawMapsTo(ComputationWindow window, int panel, int x, int y) override;
  // Nobody is there to press a button: a wait for the user ends as if the user left the window.
  void ProcessMessages(RunFlags& flags) override;
  void ShowWindow(ComputationWindow window) override;

  // Every drawing call is also written to `out`, which must outlive the surface.
  void RecordTranscript(std::ostream& out) { transcript_ = &out; }

  // Every item kept on the panel, sorted by y, then x; wherever it was drawn, however far out.
  std::vector<Item> PanelItems(ComputationWindow window, int panel) const;
  // The panel's lines as the snapshot shows them.
  std::vector<std::string> PanelLines(ComputationWindow window, int panel) const;
  // The whole panel as one text, lines joined by "\n".
  std::string PanelText(ComputationWindow window, int panel) const;
  // Every non-empty panel of every window, with a heading line per panel.
  std::string Snapshot() const;
  int MessagePumps() const { return pumps_; }

 private:
  using PanelKey = std::pair<ComputationWindow, int>;
  // The items of a panel by line (the y they are drawn at), and the last text drawn on it: drawing
  // the same text at the same place again, with nothing drawn on the panel in between, changes
  // nothing (the progress texts of a search are redrawn thousands of times).
  struct Panel {
    std::map<int, std::vector<Item>> lines;
    bool hasLastText = false;
    int lastX = 0;
    int lastY = 0;
    std::string lastText;
  };
  // An item about to be drawn, its text not yet owned.
  struct Drawn {
    int x = 0;
    int y = 0;
    int width = 0;
    std::string_view text;
    bool glyph = false;
  };
  // Erases what [eraseX, eraseX + eraseWidth) x [y, y + kLineHeight) covers (characters of text
  // outside it stay), then keeps `drawn` if it has text.
  static void Place(std::map<int, std::vector<Item>>& lines, int eraseX, int eraseWidth, const Drawn& drawn);
  // The text at (x, y) without its outer blanks.
  static Drawn Trimmed(int x, int y, std::string_view text);
  // Appends the text without its outer blanks as an item, unless nothing is left.
  static void AddText(std::vector<Item>& items, int x, int y, std::string_view text);
  // The panel's lines; successive drawings on one panel look it up once.
  Panel& PanelOf(ComputationWindow window, int panel);

  std::map<PanelKey, Panel> panels_;
  PanelKey lastKey_{};
  Panel* lastPanel_ = nullptr;
  std::ostream* transcript_ = nullptr;
  int pumps_ = 0;
};

}  // namespace quarvel
