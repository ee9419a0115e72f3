#include "ui/braid_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>
#include <string>

#include "base/result.h"
#include "group/braid.h"

namespace quarvel::ui {
namespace {

constexpr int kMargin = 8;
constexpr int kCaptionHeight = 18;
// In strand spacings: the closing arcs beside the braid, and above and below it (closer, so that
// the braid itself gets most of the height), and the height of one crossing.
constexpr double kArcSideSpacing = 0.7;
constexpr double kArcEndSpacing = 0.4;
constexpr double kCrossingHeight = 1.5;
constexpr double kLargestSpacing = 40;
const QString kEmptyHint = QStringLiteral("Enter a braid such as {-1,2,-1,2} or pick a knot");

const std::array<QColor, 6> kComponentColours = {QColor(0x1f, 0x4e, 0x9c), QColor(0xb0, 0x2a, 0x30),
                                                 QColor(0x2e, 0x7d, 0x32), QColor(0xc7, 0x6a, 0x00),
                                                 QColor(0x6a, 0x3d, 0x9a), QColor(0x00, 0x83, 0x8f)};

QColor ComponentColour(int component) {
  return kComponentColours[static_cast<size_t>(component - 1) % kComponentColours.size()];
}

int Find(std::vector<int>& parent, int i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

// The arc that takes the strand leaving the bottom at `position` back to the top: down, right,
// up beside the braid and left again, further out the further left its strand is.
QPainterPath ClosingArc(const BraidLayout& g, int position, int strands, size_t rows) {
  int nesting = strands - position + 1;
  double x = g.X(position);
  double outer = g.X(strands) + nesting * g.arcSide;
  double low = g.Bottom(rows) + nesting * g.arcEnd;
  double high = g.top - nesting * g.arcEnd;
  double r = std::min(nesting * g.arcEnd, (outer - x) / 2);
  QPainterPath path(QPointF(x, g.Bottom(rows)));
  path.lineTo(x, low - r);
  path.quadTo(x, low, x + r, low);
  path.lineTo(outer - r, low);
  path.quadTo(outer, low, outer, low - r);
  path.lineTo(outer, high + r);
  path.quadTo(outer, high, outer - r, high);
  path.lineTo(x + r, high);
  path.quadTo(x, high, x, high + r);
  path.lineTo(x, g.top);
  return path;
}

QPainterPath Strand(const BraidLayout& g, size_t row, int from, int to) {
  double y0 = g.top + static_cast<double>(row) * g.row;
  double y1 = y0 + g.row;
  double middle = (y0 + y1) / 2;
  QPainterPath path(QPointF(g.X(from), y0));
  path.cubicTo(g.X(from), middle, g.X(to), middle, g.X(to), y1);
  return path;
}

void DrawStrand(QPainter& painter, const QPainterPath& path, const QColor& colour, double width) {
  painter.strokePath(path, QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
}

}  // namespace

BraidLayout BraidLayout::Fit(const QRectF& area, const BraidClosure& braid) {
  int n = braid.strands;
  double m = static_cast<double>(braid.letters.size());
  double widthUnits = (n - 1) + kArcSideSpacing * n;
  double heightUnits = kCrossingHeight * m + 2 * kArcEndSpacing * n;
  BraidLayout g;
  g.spacing = std::min({area.width() / widthUnits, area.height() / heightUnits, kLargestSpacing});
  g.arcSide = kArcSideSpacing * g.spacing;
  g.arcEnd = kArcEndSpacing * g.spacing;
  g.row = kCrossingHeight * g.spacing;
  g.left = area.center().x() - widthUnits * g.spacing / 2;
  g.top = area.center().y() - heightUnits * g.spacing / 2 + n * g.arcEnd;
  return g;
}

QPointF BraidLayout::CrossingCentre(size_t row, int s) const {
  return {(X(s) + X(s + 1)) / 2, top + (static_cast<double>(row) + 0.5) * this->row};
}

BraidClosure CloseBraid(const std::vector<int>& letters) {
  BraidClosure braid;
  braid.letters = letters;
  for (int letter : letters) braid.strands = std::max(braid.strands, std::abs(letter) + 1);
  int n = braid.strands;
  // strandAt[p]: the top position of the strand now at position p.
  std::vector<int> strandAt(n + 1);
  std::iota(strandAt.begin(), strandAt.end(), 0);
  for (int letter : letters) std::swap(strandAt[std::abs(letter)], strandAt[std::abs(letter) + 1]);
  // The strand leaving the bottom at q comes back in at the top at q.
  std::vector<int> parent(n + 1);
  std::iota(parent.begin(), parent.end(), 0);
  for (int q = 1; q <= n; ++q) parent[Find(parent, strandAt[q])] = Find(parent, q);
  braid.topComponent.assign(n + 1, 0);
  for (int p = 1; p <= n; ++p) {
    int root = Find(parent, p);
    if (braid.topComponent[root] == 0) braid.topComponent[root] = ++braid.components;
    braid.topComponent[p] = braid.topComponent[root];
  }
  return braid;
}

QString ClosureName(const BraidClosure& braid) {
  if (braid.components == 1) return QStringLiteral("Knot");
  return QStringLiteral("Link of %1 components").arg(braid.components);
}

void PaintClosedBraid(QPainter& painter, const QRectF& area, const BraidClosure& braid) {
  if (braid.strands == 0) return;
  BraidLayout g = BraidLayout::Fit(area, braid);
  double pen = std::clamp(g.spacing / 8, 1.2, 2.5);
  QColor gap = painter.background().color();
  painter.setRenderHint(QPainter::Antialiasing);

  int n = braid.strands;
  size_t rows = braid.letters.size();
  for (int p = 1; p <= n; ++p)
    DrawStrand(painter, ClosingArc(g, p, n, rows), ComponentColour(braid.topComponent[p]), pen);

  std::vector<int> strandAt(n + 1);
  std::iota(strandAt.begin(), strandAt.end(), 0);
  for (size_t row = 0; row < rows; ++row) {
    int letter = braid.letters[row];
    int s = std::abs(letter);
    for (int p = 1; p <= n; ++p) {
      if (p == s || p == s + 1) continue;
      DrawStrand(painter, Strand(g, row, p, p), ComponentColour(braid.topComponent[strandAt[p]]), pen);
    }
    int overFrom = letter > 0 ? s : s + 1;
    int underFrom = letter > 0 ? s + 1 : s;
    QPainterPath under = Strand(g, row, underFrom, letter > 0 ? s : s + 1);
    QPainterPath over = Strand(g, row, overFrom, letter > 0 ? s + 1 : s);
    DrawStrand(painter, under, ComponentColour(braid.topComponent[strandAt[underFrom]]), pen);
    // A wide stroke in the background colour breaks the under strand where the over strand passes.
    DrawStrand(painter, over, gap, pen * 4);
    DrawStrand(painter, over, ComponentColour(braid.topComponent[strandAt[overFrom]]), pen);
    std::swap(strandAt[s], strandAt[s + 1]);
  }
}

BraidPicture::BraidPicture(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  SetBraidText(QString());
}

void BraidPicture::SetBraidText(const QString& text) {
  showsBraid_ = false;
  braid_ = BraidClosure();
  if (text.trimmed().isEmpty()) {
    message_ = kEmptyHint;
  } else {
    Result<std::vector<int>> letters = ParseBraid(NormaliseBraidText(text.toStdString()));
    if (!letters) {
      message_ = QString::fromStdString(letters.error());
    } else {
      braid_ = CloseBraid(*letters);
      showsBraid_ = true;
      message_.clear();
    }
  }
  update();
}

void BraidPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setBackground(palette().color(QPalette::Base));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  QRectF inner = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
  if (!showsBraid_) {
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, message_);
    return;
  }
  QRectF caption = inner;
  caption.setTop(inner.bottom() - kCaptionHeight);
  inner.setBottom(caption.top());
  PaintClosedBraid(painter, inner, braid_);
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(caption, Qt::AlignHCenter | Qt::AlignBottom, ClosureName(braid_));
}

}  // namespace quarvel::ui
