#pragma once
// How a panel's text model is set as lines of a fixed-pitch text. The computation places its items
// in pixels, assuming five pixels a character and lines 12 to 15 pixels apart; items on one line
// never share a pixel. Each item goes to the column its x gives at that pitch, so items of one line
// never share a column, and each line of the model to a text line of its own, with blank lines
// where the model leaves room for several. A line drawn a few pixels below another (a subscript)
// joins it when its columns are free there. The maps-to glyph becomes one character.

#include <QString>
#include <QStringList>
#include <vector>

#include "base/headless_surface.h"

namespace quarvel::ui {

struct PlacedItem {
  int line = 0;
  int column = 0;
  QString text;
};

struct PanelTextLayout {
  std::vector<PlacedItem> items;  // in the order of the model's items
  QStringList lines;              // the text, item by item at its place, blanks between
};

// The maps-to glyph as one character.
inline constexpr char16_t kMapsToCharacter = u'\u21a6';

PanelTextLayout LayOutPanelText(const std::vector<HeadlessSurface::Item>& items);

}  // namespace quarvel::ui
