#pragma once
// One text panel of a computation window: an image the computation writes on at pixel positions.
// Text is drawn with an opaque background, so it overwrites what lies under it, exactly as far as
// it reaches; nothing is ever redrawn from stored data.

#include <QImage>
#include <QWidget>
#include <functional>
#include <string_view>

namespace quarvel::ui {

class PanelView : public QWidget {
  Q_OBJECT

 public:
  // The frame around the text surface, in pixels on every side.
  static constexpr int kFrame = 2;

  // `surfaceSize` is the size of the text surface; the widget adds the frame around it.
  PanelView(QSize surfaceSize, QWidget* parent = nullptr);

  // Text with its top-left corner at (x, y) of the surface, on a background box one line high
  // (13 pixels) and as wide as the text.
  void DrawText(int x, int y, std::string_view text);
  // The maps-to glyph: a bar from (x, y+3) to (x, y+9), and an arrow from (x, y+6) to (x+8, y+6)
  // with its two barbs to (x+4, y+10) and (x+4, y+2).
  void DrawMapsTo(int x, int y);
  // Blanks the whole surface.
  void Clear();

  const QImage& Surface() const { return surface_; }
  QColor Background() const;
  QColor Ink() const;

  // Where the panel's text comes from when the user copies it (context menu).
  void SetTextSource(std::function<QString()> source) { textSource_ = std::move(source); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QImage surface_;
  std::function<QString()> textSource_;
};

}  // namespace quarvel::ui
