#pragma once
// The two computation windows: a caption, "Pause", "Back to the main menu" and numbered text
// panels at fixed positions. The buttons only report that they were pressed; whoever runs the
// computation flips its flags.

#include <QString>
#include <QWidget>
#include <map>
#include <vector>

#include "ui/panel_view.h"

class QPushButton;

namespace quarvel::ui {

struct PanelPlacement {
  int number = 0;
  QPoint position;  // top-left corner of the panel in the window
  QSize surface;    // size of its text surface
};

struct PanelWindowLayout {
  QString caption;
  QSize size;
  QRect pauseButton;
  QRect backButton;
  std::vector<PanelPlacement> panels;
};

// Fibration-and-norm mode: panels 1..7.
PanelWindowLayout NormWindowLayout();
// Isotopy mode: the header panel (number 0) and panels 1..3.
PanelWindowLayout IsotopyWindowLayout();

class PanelWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PanelWindow(const PanelWindowLayout& layout, QWidget* parent = nullptr);

  // The panel with this number, or nullptr.
  PanelView* Panel(int number) const;
  QPushButton* PauseButton() const { return pause_; }
  QPushButton* BackButton() const { return back_; }

 Q_SIGNALS:
  void pausePressed();
  // "Back to the main menu", or the window closed by other means; the window is hidden already.
  void leavePressed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* pause_;
  QPushButton* back_;
  std::map<int, PanelView*> panels_;
};

}  // namespace quarvel::ui
