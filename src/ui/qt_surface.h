#pragma once
// The computation's panels on screen. Every drawing call goes into a text model of the panels of
// the norm-mode and the isotopy window (what the command line prints); the panel views show that
// model, refreshed a few times a second while something changes. A run's error line goes to the
// error line of the window instead, where it covers nothing. Messages are pumped with
// QCoreApplication::processEvents() on the GUI thread: the buttons' handlers run inside it and flip
// the run's flags. The status line of the run's window shows the run's state and elapsed time.

#include <QString>
#include <QTimer>
#include <set>
#include <utility>

#include "base/headless_surface.h"
#include "base/panel_surface.h"
#include "ui/run_status.h"

namespace quarvel::ui {

class PanelWindow;

class QtSurface : public PanelSurface {
 public:
  QtSurface(PanelWindow& normWindow, PanelWindow& isotopyWindow);

  void DrawText(ComputationWindow window, int panel, int x, int y, std::string_view text) override;
  void DrawError(ComputationWindow window, int panel, int x, int y, std::string_view text) override;
  void DrawMapsTo(ComputationWindow window, int panel, int x, int y) override;
  // Handles what is pending. While the run is paused, it also rests for a moment, so that a
  // waiting run does not keep a processor busy; a button press still acts within that moment.
  void ProcessMessages(RunFlags& flags) override;
  void ShowWindow(ComputationWindow window) override;

  // A run starts: nobody has left its window yet; its clock starts.
  void BeginRun();
  // "Pause" pressed: the run's flag flips, and its clock holds or goes on.
  void TogglePause(RunFlags& flags);
  // The user left the computation window ("Back to the main menu" or closing it). The run is asked
  // to stop, and asked again at every later pumping point until it returns: a driver that clears
  // the flag while it starts up must not run on behind a closed window.
  void LeaveRun(RunFlags& flags);
  // The run's driver has returned.
  void EndRun();

  PanelWindow& Window(ComputationWindow window) const;
  // The text model of the panels, as the command line prints it.
  const HeadlessSurface& TextModel() const { return textModel_; }
  QString PanelText(ComputationWindow window, int panel) const;
  const RunStatus& Status() const { return status_; }
  // Brings the panel views up to date with the text model now.
  void RefreshPanels();

 private:
  void Changed(ComputationWindow window, int panel);
  void ShowStatus();

  PanelWindow& normWindow_;
  PanelWindow& isotopyWindow_;
  ComputationWindow runWindow_ = ComputationWindow::norm;
  HeadlessSurface textModel_;
  std::set<std::pair<ComputationWindow, int>> changed_;
  QTimer refresh_;
  RunStatus status_;
  bool leftRun_ = false;
  bool pausedByUser_ = false;
};

}  // namespace quarvel::ui
