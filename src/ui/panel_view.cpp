#include "ui/panel_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "ui/appearance.h"

namespace quarvel::ui {
namespace {

// The height of one line of text the window layouts assume (lines are written 15 pixels apart,
// blank lines 8 apart); at least the font's own height, so that descenders are covered too.
constexpr int kTextBoxHeight = 13;

}  // namespace

PanelView::PanelView(QSize surfaceSize, QWidget* parent)
    : QWidget(parent), surface_(surfaceSize, QImage::Format_RGB32) {
  setFont(PanelFont());
  setFixedSize(surfaceSize + QSize(2 * kFrame, 2 * kFrame));
  Clear();
}

QColor PanelView::Background() const {
  return palette().color(QPalette::Base);
}

QColor PanelView::Ink() const {
  return palette().color(QPalette::Text);
}

void PanelView::DrawText(int x, int y, std::string_view text) {
  QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  QPainter painter(&surface_);
  painter.setFont(font());
  QFontMetrics metrics(font());
  int height = std::max(kTextBoxHeight, metrics.height());
  painter.fillRect(QRect(x, y, metrics.horizontalAdvance(shown), height), Background());
  painter.setPen(Ink());
  painter.drawText(QPoint(x, y + metrics.ascent()), shown);
  update();
}

void PanelView::DrawMapsTo(int x, int y) {
  QPainter painter(&surface_);
  painter.setPen(QPen(Ink(), 1));
  painter.drawLine(x, y + 3, x, y + 9);
  painter.drawLine(x, y + 6, x + 8, y + 6);
  painter.drawLine(x + 8, y + 6, x + 4, y + 10);
  painter.drawLine(x + 8, y + 6, x + 4, y + 2);
  update();
}

void PanelView::Clear() {
  surface_.fill(Background());
  update();
}

void PanelView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.lineWidth = kFrame;
  frame.frameShape = QFrame::StyledPanel;
  frame.state |= QStyle::State_Sunken;
  style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
  painter.drawImage(QPoint(kFrame, kFrame), surface_);
}

void PanelView::contextMenuEvent(QContextMenuEvent* event) {
  if (!textSource_) return;
  QMenu menu(this);
  QAction* copy = menu.addAction(tr("Copy text"));
  if (menu.exec(event->globalPos()) == copy) QApplication::clipboard()->setText(textSource_());
}

}  // namespace quarvel::ui
