#pragma once
// The picture panel of the main window: the closed braid of the braid edit box, redrawn as the
// text changes. The strands run downwards, sigma_i crosses the strands at positions i and i+1
// (for +i the strand coming from position i passes over, for -i the one from i+1), the under
// strand is broken at the crossing, and nested arcs on the right close the braid. Each component
// has its own colour. Text that is no braid gives a blank picture with the reason.

#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace quarvel::ui {

struct BraidClosure {
  int strands = 0;                 // largest |letter| + 1
  std::vector<int> letters;        // as parsed, +i or -i
  std::vector<int> topComponent;   // 1-based: component of the strand entering at each position
  int components = 0;
};

// The closure of the braid with these letters (none of them 0).
BraidClosure CloseBraid(const std::vector<int>& letters);

// Draws the closed braid centred in `area`.
void PaintBraidClosure(QPainter& painter, const QRectF& area, const BraidClosure& braid);

// "Knot" or "Link of N components".
QString ClosureName(const BraidClosure& braid);

class BraidPicture : public QWidget {
  Q_OBJECT

 public:
  explicit BraidPicture(QWidget* parent = nullptr);

  // Parses the text as the run would; empty or bad text leaves the picture blank.
  void SetBraidText(const QString& text);

  bool ShowsBraid() const { return showsBraid_; }
  const BraidClosure& Braid() const { return braid_; }
  // What a blank picture says instead: a hint for empty text, else the parser's message.
  QString Message() const { return message_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool showsBraid_ = false;
  BraidClosure braid_;
  QString message_;
};

}  // namespace quarvel::ui
