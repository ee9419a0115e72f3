#include "ui/panel_window.h"

#include <QCloseEvent>
#include <QPushButton>

#include "base/panel_surface.h"

namespace quarvel::ui {

PanelWindowLayout NormWindowLayout() {
  return {"Calculation of twisted Alexander polynomials",
          QSize(1006, 743),
          QRect(504, 16, 225, 33),
          QRect(752, 16, 219, 33),
          {{1, {16, 272}, {949, 29}},
           {2, {16, 64}, {461, 125}},
           {3, {16, 320}, {461, 382}},
           {4, {504, 320}, {461, 382}},
           {5, {16, 16}, {461, 29}},
           {6, {16, 208}, {461, 45}},
           {7, {504, 64}, {461, 189}}}};
}

PanelWindowLayout IsotopyWindowLayout() {
  return {"Computation of twisted Alexander polynomials",
          QSize(1030, 749),
          QRect(528, 16, 225, 33),
          QRect(776, 16, 225, 33),
          {{kIsotopyHeaderPanel, {16, 16}, {485, 29}},
           {1, {16, 64}, {981, 100}},
           {2, {16, 184}, {981, 413}},
           {3, {16, 616}, {981, 77}}}};
}

PanelWindow::PanelWindow(const PanelWindowLayout& layout, QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(layout.caption);
  setFixedSize(layout.size);
  pause_ = new QPushButton(tr("Pause"), this);
  pause_->setGeometry(layout.pauseButton);
  back_ = new QPushButton(tr("Back to the main menu"), this);
  back_->setGeometry(layout.backButton);
  for (const PanelPlacement& placement : layout.panels) {
    auto* view = new PanelView(placement.surface, this);
    view->move(placement.position);
    panels_[placement.number] = view;
  }
  connect(pause_, &QPushButton::clicked, this, &PanelWindow::pausePressed);
  connect(back_, &QPushButton::clicked, this, &PanelWindow::close);
}

PanelView* PanelWindow::Panel(int number) const {
  auto found = panels_.find(number);
  return found == panels_.end() ? nullptr : found->second;
}

void PanelWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  Q_EMIT leavePressed();
}

}  // namespace quarvel::ui
