#pragma once
// The computation's panels on screen. Every drawing call goes to the panel image of the numbered
// panel of the norm-mode or the isotopy window, and into a text model of the same panels (what
// "Copy text" gives). Messages are pumped with QCoreApplication::processEvents() on the GUI
// thread: the buttons' handlers run inside it and flip the run's flags.

#include <QString>

#include "base/headless_surface.h"
#include "base/panel_surface.h"

namespace quarvel::ui {

class PanelWindow;

class QtSurface : public PanelSurface {
 public:
  QtSurface(PanelWindow& normWindow, PanelWindow& isotopyWindow);

  void DrawText(ComputationWindow window, int panel, int x, int y, std::string_view text) override;
  void DrawMapsTo(ComputationWindow window, int panel, int x, int y) override;
  // Handles what is pending. While the run is paused, it also rests for a moment, so that a
  // waiting run does not keep a processor busy; a button press still acts within that moment.
  void ProcessMessages(RunFlags& flags) override;
  void ShowWindow(ComputationWindow window) override;

  // A run starts: nobody has left its window yet.
  void BeginRun() { leftRun_ = false; }
  // The user left the computation window ("Back to the main menu" or closing it). The run is asked
  // to stop, and asked again at every later pumping point until it returns: a driver that clears
  // the flag while it starts up must not run on behind a closed window.
  void LeaveRun(RunFlags& flags);

  PanelWindow& Window(ComputationWindow window) const;
  // The text model of the panels, as the command line prints it.
  const HeadlessSurface& TextModel() const { return textModel_; }
  QString PanelText(ComputationWindow window, int panel) const;

 private:
  PanelWindow& normWindow_;
  PanelWindow& isotopyWindow_;
  HeadlessSurface textModel_;
  bool leftRun_ = false;
};

}  // namespace quarvel::ui
