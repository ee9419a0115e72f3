#include "ui/appearance.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyleFactory>
#include <cmath>
#include <numbers>

namespace quarvel::ui {
namespace {

constexpr const char* kFontFamily = "DejaVu Sans Condensed";
constexpr const char* kPanelFontFamily = "DejaVu Sans Mono";
constexpr int kWorkbenchPixelSize = 11;
constexpr int kPanelPixelSize = 9;
constexpr int kPickListPixelSize = 10;

constexpr int kIconSize = 128;
const QColor kIconInk(0x1f, 0x4e, 0x9c);

// The trefoil (sin t + 2 sin 2t, cos t - 2 cos 2t) scaled into the 128-pixel tile.
QPointF TrefoilPoint(double t) {
  double x = std::sin(t) + 2 * std::sin(2 * t);
  double y = std::cos(t) - 2 * std::cos(2 * t);
  return {64 + 17 * x, 66 - 17 * y};
}

QPainterPath TrefoilPiece(double from, double to, int steps) {
  QPainterPath path(TrefoilPoint(from));
  for (int i = 1; i <= steps; ++i) path.lineTo(TrefoilPoint(from + (to - from) * i / steps));
  return path;
}

QFont FontOfSize(int pixelSize) {
  QFont font(kFontFamily);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace

void ApplyWorkbenchLook(QApplication& app) {
  if (QStyle* fusion = QStyleFactory::create("Fusion")) app.setStyle(fusion);
  app.setFont(WorkbenchFont());
  app.setWindowIcon(WorkbenchIcon());
}

QIcon WorkbenchIcon() {
  // Where the curve passes over itself: t0 + 2 pi k / 3 for k = 0, 1, 2.
  constexpr double kFirstOverCrossing = 1.8242;
  constexpr double kHalfPiece = 0.4;
  QPixmap tile(kIconSize, kIconSize);
  tile.fill(Qt::transparent);
  QPainter painter(&tile);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x9a, 0xa7, 0xb8), 3));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(4, 4, 120, 120), 20, 20);
  painter.setBrush(Qt::NoBrush);
  painter.strokePath(TrefoilPiece(0, 2 * std::numbers::pi, 240),
                     QPen(kIconInk, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (int k = 0; k < 3; ++k) {
    double t = kFirstOverCrossing + 2 * std::numbers::pi * k / 3;
    QPainterPath over = TrefoilPiece(t - kHalfPiece, t + kHalfPiece, 24);
    painter.strokePath(over, QPen(Qt::white, 15, Qt::SolidLine, Qt::FlatCap));
    painter.strokePath(over, QPen(kIconInk, 7, Qt::SolidLine, Qt::RoundCap));
  }
  return QIcon(tile);
}

QFont WorkbenchFont() {
  return FontOfSize(kWorkbenchPixelSize);
}

QFont PickListFont() {
  return FontOfSize(kPickListPixelSize);
}

QFont PanelFont() {
  QFont font(kPanelFontFamily);
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(kPanelPixelSize);
  return font;
}

}  // namespace quarvel::ui
