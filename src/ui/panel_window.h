#pragma once
// The two computation windows: a caption, "Pause", "Back to the main menu", numbered text panels,
// and a status line with the run's state, its elapsed time and, after a failure, the whole error.
// At its first size a window shows the classic picture; it can be resized, and then every panel
// grows or moves by its share of the change (its anchors). The buttons only report that they
// were pressed; whoever runs the computation flips its flags.

#include <QString>
#include <QWidget>
#include <map>
#include <vector>

#include "ui/panel_view.h"

class QLabel;
class QPushButton;

namespace quarvel::ui {

// Which share of a change of the panel area's size moves each edge of a control: from 0 (the edge
// stays) to 1 (it follows the change in full).
struct EdgeShares {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// Where a control sits at the window's first size, and how it follows a change of size.
struct Anchored {
  QRect base;
  EdgeShares shares;
};

struct PanelPlacement {
  int number = 0;
  Anchored place;  // the panel with its frame
};

struct PanelWindowLayout {
  QString caption;
  QSize size;       // the first size of the window
  QSize panelArea;  // the part above the status line, at that size
  Anchored pauseButton;
  Anchored backButton;
  std::vector<PanelPlacement> panels;
};

// Fibration-and-norm mode: panels 1..7.
PanelWindowLayout NormWindowLayout();
// Isotopy mode: the header panel (number 0) and panels 1..3.
PanelWindowLayout IsotopyWindowLayout();

// The rectangle of `anchored` in a panel area of `area` size.
QRect PlaceIn(const Anchored& anchored, QSize baseArea, QSize area);

class PanelWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PanelWindow(const PanelWindowLayout& layout, QWidget* parent = nullptr);

  // The panel with this number, or nullptr.
  PanelView* Panel(int number) const;
  std::vector<PanelView*> Panels() const;
  QPushButton* PauseButton() const { return pause_; }
  QPushButton* BackButton() const { return back_; }
  QLabel* StatusLine() const { return status_; }
  QLabel* ErrorLine() const { return error_; }
  // The state and elapsed time; the error, or nothing (then the error line is hidden).
  void ShowStatus(const QString& status, const QString& error);
  void ResizeToFirstSize() { resize(layout_.size); }
  // Grows the window until no panel needs to scroll (or up to `largest`).
  void GrowToShowAllText(QSize largest);

 Q_SIGNALS:
  void pausePressed();
  // "Back to the main menu", or the window closed by other means; the window is hidden already.
  void leavePressed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class PanelArea;

  PanelWindowLayout layout_;
  PanelArea* area_;
  QPushButton* pause_;
  QPushButton* back_;
  QLabel* status_;
  QLabel* error_;
  std::map<int, PanelView*> panels_;
};

}  // namespace quarvel::ui
