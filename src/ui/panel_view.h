#pragma once
// One text panel of a computation window. It shows the panel's text model, every item at its
// place (see panel_text_layout.h), however far the run wrote: the panel scrolls both ways when its
// text is larger than its place. The text can be selected and copied (Ctrl+C, the context menu).

#include <QPlainTextEdit>
#include <vector>

#include "base/headless_surface.h"
#include "ui/panel_text_layout.h"

namespace quarvel::ui {

class PanelView : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit PanelView(QWidget* parent = nullptr);

  // Shows these items; the scroll position and the selection stay where they were.
  void ShowItems(const std::vector<HeadlessSurface::Item>& items);

  const PanelTextLayout& Layout() const { return layout_; }
  QString Text() const { return layout_.lines.join(QLatin1Char('\n')); }
  // The size the panel, frame included, needs to show all of its text without scrolling.
  QSize ContentSize() const;
  // The rectangle item `index` of the layout occupies, in the coordinates of the panel's contents
  // (the whole text, not only the part in view).
  QRect ItemRect(size_t index) const;

 private:
  PanelTextLayout layout_;
};

}  // namespace quarvel::ui
