#include "ui/qt_surface.h"

#include <QCoreApplication>
#include <QThread>

#include "ui/panel_window.h"

namespace quarvel::ui {
namespace {

constexpr unsigned long kPausedRestMilliseconds = 10;
constexpr int kRefreshMilliseconds = 100;

QString Trimmed(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

}  // namespace

QtSurface::QtSurface(PanelWindow& normWindow, PanelWindow& isotopyWindow)
    : normWindow_(normWindow), isotopyWindow_(isotopyWindow) {
  refresh_.setSingleShot(true);
  refresh_.setInterval(kRefreshMilliseconds);
  QObject::connect(&refresh_, &QTimer::timeout, [this] { RefreshPanels(); });
}

PanelWindow& QtSurface::Window(ComputationWindow window) const {
  return window == ComputationWindow::isotopy ? isotopyWindow_ : normWindow_;
}

void QtSurface::Changed(ComputationWindow window, int panel) {
  if (!Window(window).Panel(panel)) return;
  changed_.insert({window, panel});
  if (!refresh_.isActive()) refresh_.start();
}

void QtSurface::RefreshPanels() {
  refresh_.stop();
  for (const auto& [window, panel] : changed_)
    Window(window).Panel(panel)->ShowItems(textModel_.PanelItems(window, panel));
  changed_.clear();
  ShowStatus();
}

void QtSurface::DrawText(ComputationWindow window, int panel, int x, int y, std::string_view text) {
  textModel_.DrawText(window, panel, x, y, text);
  Changed(window, panel);
}

void QtSurface::DrawError(ComputationWindow window, int, int, int, std::string_view text) {
  runWindow_ = window;
  status_.Fail(Trimmed(text));
  ShowStatus();
}

void QtSurface::DrawMapsTo(ComputationWindow window, int panel, int x, int y) {
  textModel_.DrawMapsTo(window, panel, x, y);
  Changed(window, panel);
}

void QtSurface::BeginRun() {
  leftRun_ = false;
  pausedByUser_ = false;
  status_.Begin();
  for (PanelWindow* window : {&normWindow_, &isotopyWindow_}) window->ShowStatus({}, {});
}

void QtSurface::TogglePause(RunFlags& flags) {
  flags.paused = !flags.paused;
  pausedByUser_ = flags.paused;
  status_.TogglePause();
  ShowStatus();
}

void QtSurface::LeaveRun(RunFlags& flags) {
  flags.stopRequested = true;
  leftRun_ = true;
  status_.Stop();
  ShowStatus();
}

void QtSurface::EndRun() {
  if (leftRun_) status_.Stop();
  status_.Finish();
  RefreshPanels();
}

void QtSurface::ProcessMessages(RunFlags& flags) {
  // A pause the user did not ask for is the run waiting for the user after its last result.
  if (flags.paused && !pausedByUser_) status_.Finish();
  QCoreApplication::processEvents();
  if (leftRun_) flags.stopRequested = true;
  if (flags.paused && !flags.stopRequested) QThread::msleep(kPausedRestMilliseconds);
  if (!status_.Ended() && !refresh_.isActive()) refresh_.start();
}

void QtSurface::ShowWindow(ComputationWindow window) {
  runWindow_ = window;
  PanelWindow& shown = Window(window);
  ShowStatus();
  shown.show();
  shown.raise();
  shown.activateWindow();
}

void QtSurface::ShowStatus() {
  Window(runWindow_).ShowStatus(status_.Line(), status_.Error());
}

QString QtSurface::PanelText(ComputationWindow window, int panel) const {
  return QString::fromStdString(textModel_.PanelText(window, panel));
}

}  // namespace quarvel::ui
