#include "ui/qt_surface.h"

#include <QCoreApplication>
#include <QThread>

#include "ui/panel_window.h"

namespace quarvel::ui {
namespace {

constexpr unsigned long kPausedRestMilliseconds = 10;

}  // namespace

QtSurface::QtSurface(PanelWindow& normWindow, PanelWindow& isotopyWindow)
    : normWindow_(normWindow), isotopyWindow_(isotopyWindow) {
  for (ComputationWindow window : {ComputationWindow::norm, ComputationWindow::isotopy}) {
    for (int panel = 0; panel <= 7; ++panel) {
      if (PanelView* view = Window(window).Panel(panel))
        view->SetTextSource([this, window, panel] { return PanelText(window, panel); });
    }
  }
}

PanelWindow& QtSurface::Window(ComputationWindow window) const {
  return window == ComputationWindow::isotopy ? isotopyWindow_ : normWindow_;
}

void QtSurface::DrawText(ComputationWindow window, int panel, int x, int y, std::string_view text) {
  if (PanelView* view = Window(window).Panel(panel)) view->DrawText(x, y, text);
  textModel_.DrawText(window, panel, x, y, text);
}

void QtSurface::DrawMapsTo(ComputationWindow window, int panel, int x, int y) {
  if (PanelView* view = Window(window).Panel(panel)) view->DrawMapsTo(x, y);
  textModel_.DrawMapsTo(window, panel, x, y);
}

void QtSurface::LeaveRun(RunFlags& flags) {
  flags.stopRequested = true;
  leftRun_ = true;
}

void QtSurface::ProcessMessages(RunFlags& flags) {
  QCoreApplication::processEvents();
  if (leftRun_) flags.stopRequested = true;
  if (flags.paused && !flags.stopRequested) QThread::msleep(kPausedRestMilliseconds);
}

void QtSurface::ShowWindow(ComputationWindow window) {
  PanelWindow& shown = Window(window);
  shown.show();
  shown.raise();
  shown.activateWindow();
}

QString QtSurface::PanelText(ComputationWindow window, int panel) const {
  return QString::fromStdString(textModel_.PanelText(window, panel));
}

}  // namespace quarvel::ui
