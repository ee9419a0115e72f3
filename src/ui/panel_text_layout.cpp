#include "ui/panel_text_layout.h"

#include <algorithm>
#include <cmath>

namespace quarvel::ui {
namespace {

// The line step most panels use; a wider gap in the model leaves blank lines.
constexpr int kLinePitch = 15;
// A line this close below the one before it is a subscript or a superscript of it.
constexpr int kRaisedOrLowered = 7;

QString ItemText(const HeadlessSurface::Item& item) {
  return item.glyph ? QString(QChar(kMapsToCharacter)) : QString::fromLatin1(item.text);
}

// Rounding keeps the order of the items and their distances in whole characters, so two items that
// do not overlap in pixels do not overlap in columns.
int ColumnOf(const HeadlessSurface::Item& item) {
  return static_cast<int>(std::lround(std::max(0, item.x) / double(kCharacterWidth)));
}

bool ColumnsFree(const QString& line, int column, qsizetype length) {
  for (qsizetype c = column; c < std::min(line.size(), column + length); ++c) {
    if (line[c] != QLatin1Char(' ')) return false;
  }
  return true;
}

// The first column from `column` on where `length` characters find free room.
int FreeColumn(const QString& line, int column, qsizetype length) {
  while (!ColumnsFree(line, column, length)) ++column;
  return column;
}

void Put(QString& line, int column, const QString& text) {
  if (line.size() < column + text.size()) line.resize(column + text.size(), QLatin1Char(' '));
  line.replace(column, text.size(), text);
}

// The items of one model line, from `first` up to the next line.
size_t LineEnd(const std::vector<HeadlessSurface::Item>& items, size_t first) {
  size_t end = first;
  while (end < items.size() && items[end].y == items[first].y) ++end;
  return end;
}

bool FitsOn(const QString& line, const std::vector<HeadlessSurface::Item>& items, size_t first, size_t end) {
  for (size_t i = first; i < end; ++i) {
    if (!ColumnsFree(line, ColumnOf(items[i]), ItemText(items[i]).size())) return false;
  }
  return true;
}

}  // namespace

PanelTextLayout LayOutPanelText(const std::vector<HeadlessSurface::Item>& items) {
  PanelTextLayout layout;
  int line = -1;
  int lineY = 0;
  for (size_t first = 0; first < items.size();) {
    const size_t end = LineEnd(items, first);
    const int y = items[first].y;
    if (line < 0) {
      line = std::max(0, static_cast<int>(std::lround((y - 7) / double(kLinePitch))));
    } else {
      const int gap = y - lineY;
      const bool joins = gap <= kRaisedOrLowered && FitsOn(layout.lines[line], items, first, end);
      if (!joins) line += std::max(1, static_cast<int>(std::lround(gap / double(kLinePitch))));
    }
    lineY = y;
    while (layout.lines.size() <= line) layout.lines.append(QString());
    for (size_t i = first; i < end; ++i) {
      const QString text = ItemText(items[i]);
      const int column = FreeColumn(layout.lines[line], ColumnOf(items[i]), text.size());
      Put(layout.lines[line], column, text);
      layout.items.push_back({line, column, text});
    }
    first = end;
  }
  return layout;
}

}  // namespace quarvel::ui
