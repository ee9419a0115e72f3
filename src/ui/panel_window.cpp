#include "ui/panel_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/panel_surface.h"

namespace quarvel::ui {
namespace {

constexpr int kFrame = 2;
// How far below its first size the panel area may shrink: the buttons stay beside the caption and
// every panel keeps a few lines.
constexpr QSize kMostShrunk(50, 250);
constexpr int kStatusMargin = 16;
constexpr int kStatusBottom = 6;
constexpr int kStatusSpacing = 24;

// A panel whose text surface was `surface` at `position`, with its frame around it.
QRect Framed(QPoint position, QSize surface) {
  return QRect(position, surface + QSize(2 * kFrame, 2 * kFrame));
}

// Across: the left column, the right column, both, a control that keeps its width and moves with
// the right column (the buttons).
struct Across {
  double left;
  double right;
};
constexpr double kMiddle = 0.5;
constexpr Across kLeft{0, kMiddle};
constexpr Across kRight{kMiddle, 1};
constexpr Across kAcross{0, 1};
constexpr Across kFromMiddle{kMiddle, kMiddle};

EdgeShares Shares(Across across, double top, double bottom) {
  return {across.left, top, across.right, bottom};
}

int Moved(int edge, double share, int change) {
  return edge + static_cast<int>(std::lround(share * change));
}

}  // namespace

QRect PlaceIn(const Anchored& anchored, QSize baseArea, QSize area) {
  const int dx = area.width() - baseArea.width();
  const int dy = area.height() - baseArea.height();
  const QRect& b = anchored.base;
  const EdgeShares& s = anchored.shares;
  const int left = Moved(b.left(), s.left, dx);
  const int top = Moved(b.top(), s.top, dy);
  const int right = Moved(b.left() + b.width(), s.right, dx);
  const int bottom = Moved(b.top() + b.height(), s.bottom, dy);
  return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

PanelWindowLayout NormWindowLayout() {
  // Panels 3 and 4 (the results) take most of a change of height, panels 2 and 7 the rest.
  constexpr double kUpper = 0.25;
  return {"Calculation of twisted Alexander polynomials",
          QSize(1006, 743),
          QSize(1006, 712),
          {QRect(504, 16, 225, 33), Shares(kFromMiddle, 0, 0)},
          {QRect(752, 16, 219, 33), Shares(kFromMiddle, 0, 0)},
          {{1, {Framed({16, 272}, {949, 29}), Shares(kAcross, kUpper, kUpper)}},
           {2, {Framed({16, 64}, {461, 125}), Shares(kLeft, 0, kUpper)}},
           {3, {Framed({16, 320}, {461, 382}), Shares(kLeft, kUpper, 1)}},
           {4, {Framed({504, 320}, {461, 382}), Shares(kRight, kUpper, 1)}},
           {5, {Framed({16, 16}, {461, 29}), Shares(kLeft, 0, 0)}},
           {6, {Framed({16, 208}, {461, 45}), Shares(kLeft, kUpper, kUpper)}},
           {7, {Framed({504, 64}, {461, 189}), Shares(kRight, 0, kUpper)}}}};
}

PanelWindowLayout IsotopyWindowLayout() {
  // Panel 2 (the classes) takes most of a change of height.
  constexpr double kBelowProgress = 0.15;
  constexpr double kAboveProduct = 0.8;
  return {"Computation of twisted Alexander polynomials",
          QSize(1030, 749),
          QSize(1030, 703),
          {QRect(528, 16, 225, 33), Shares(kFromMiddle, 0, 0)},
          {QRect(776, 16, 225, 33), Shares(kFromMiddle, 0, 0)},
          {{kIsotopyHeaderPanel, {Framed({16, 16}, {485, 29}), Shares(kLeft, 0, 0)}},
           {1, {Framed({16, 64}, {981, 100}), Shares(kAcross, 0, kBelowProgress)}},
           {2, {Framed({16, 184}, {981, 413}), Shares(kAcross, kBelowProgress, kAboveProduct)}},
           {3, {Framed({16, 616}, {981, 77}), Shares(kAcross, kAboveProduct, 1)}}}};
}

// The part of the window above the status line: it places the buttons and panels by their anchors.
class PanelWindow::PanelArea : public QWidget {
 public:
  PanelArea(const PanelWindowLayout& layout, QWidget* parent) : QWidget(parent), layout_(layout) {
    setMinimumSize(layout.panelArea - kMostShrunk);
  }
  void Anchor(QWidget* widget, const Anchored& anchored) { anchored_.push_back({widget, anchored}); }
  QSize sizeHint() const override { return layout_.panelArea; }

 protected:
  void resizeEvent(QResizeEvent*) override {
    for (const auto& [widget, anchored] : anchored_)
      widget->setGeometry(PlaceIn(anchored, layout_.panelArea, size()));
  }

 private:
  const PanelWindowLayout& layout_;
  std::vector<std::pair<QWidget*, Anchored>> anchored_;
};

PanelWindow::PanelWindow(const PanelWindowLayout& layout, QWidget* parent)
    : QWidget(parent, Qt::Window), layout_(layout) {
  setWindowTitle(layout_.caption);
  area_ = new PanelArea(layout_, this);
  pause_ = new QPushButton(tr("Pause"), area_);
  back_ = new QPushButton(tr("Back to the main menu"), area_);
  area_->Anchor(pause_, layout_.pauseButton);
  area_->Anchor(back_, layout_.backButton);
  for (const PanelPlacement& placement : layout_.panels) {
    auto* view = new PanelView(area_);
    view->setObjectName(QStringLiteral("panel%1").arg(placement.number));
    area_->Anchor(view, placement.place);
    panels_[placement.number] = view;
  }

  status_ = new QLabel;
  status_->setObjectName("status");
  error_ = new QLabel;
  error_->setObjectName("error");
  error_->setWordWrap(true);
  error_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  error_->setStyleSheet(QStringLiteral("color: #b00000"));
  error_->hide();
  // The status line takes what the first size leaves below the panels, more when an error wraps.
  auto* statusArea = new QWidget(this);
  statusArea->setMinimumHeight(layout_.size.height() - layout_.panelArea.height());
  auto* statusRow = new QHBoxLayout(statusArea);
  statusRow->setContentsMargins(kStatusMargin, 0, kStatusMargin, kStatusBottom);
  statusRow->setSpacing(kStatusSpacing);
  statusRow->addWidget(status_, 0, Qt::AlignTop);
  statusRow->addWidget(error_, 1, Qt::AlignTop);
  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(0);
  rows->addWidget(area_, 1);
  rows->addWidget(statusArea);
  resize(layout_.size);

  connect(pause_, &QPushButton::clicked, this, &PanelWindow::pausePressed);
  connect(back_, &QPushButton::clicked, this, &PanelWindow::close);
}

PanelView* PanelWindow::Panel(int number) const {
  auto found = panels_.find(number);
  return found == panels_.end() ? nullptr : found->second;
}

std::vector<PanelView*> PanelWindow::Panels() const {
  std::vector<PanelView*> views;
  for (const auto& [number, view] : panels_) views.push_back(view);
  return views;
}

void PanelWindow::ShowStatus(const QString& status, const QString& error) {
  status_->setText(status);
  error_->setText(error);
  error_->setVisible(!error.isEmpty());
}

// Each panel's text size gives a first guess; scroll bars that are still needed then (a last
// line, the frame) cost a few more steps.
void PanelWindow::GrowToShowAllText(QSize largest) {
  constexpr int kStep = 8;
  for (bool grown = true; grown;) {
    int wider = 0;
    int taller = 0;
    for (const PanelPlacement& placement : layout_.panels) {
      const PanelView* view = Panel(placement.number);
      const EdgeShares& s = placement.place.shares;
      const QSize missing = view->ContentSize() - view->size();
      if (view->horizontalScrollBar()->maximum() > 0 && s.right > s.left)
        wider = std::max(wider,
                         static_cast<int>(std::ceil(std::max(missing.width(), kStep) / (s.right - s.left))));
      if (view->verticalScrollBar()->maximum() > 0 && s.bottom > s.top)
        taller = std::max(
            taller, static_cast<int>(std::ceil(std::max(missing.height(), kStep) / (s.bottom - s.top))));
    }
    const QSize next = (size() + QSize(wider, taller)).boundedTo(largest);
    grown = next != size();
    resize(next);
  }
}

void PanelWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  Q_EMIT leavePressed();
}

}  // namespace quarvel::ui
