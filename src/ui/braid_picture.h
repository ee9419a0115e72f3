#pragma once
// The picture panel of the main window: the closed braid of the braid edit box, redrawn as the
// text changes. The strands run downwards, sigma_i crosses the strands at positions i and i+1
// (for +i the strand coming from position i passes over, for -i the one from i+1), the under
// strand is broken at the crossing, and nested arcs on the right close the braid. Each component
// has its own colour. Text that is no braid gives a blank picture with the reason.

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace quarvel::ui {

struct BraidClosure {
  int strands = 0;                // largest |letter| + 1
  std::vector<int> letters;       // as parsed, +i or -i
  std::vector<int> topComponent;  // 1-based: component of the strand entering at each position
  int components = 0;
};

// The closure of the braid with these letters (none of them 0).
BraidClosure CloseBraid(const std::vector<int>& letters);

// Where a closed braid lies when it is drawn centred in an area, in pixels.
struct BraidLayout {
  double spacing = 0;  // between neighbouring strands
  double arcSide = 0;  // between neighbouring closing arcs beside the braid
  double arcEnd = 0;   // between them above and below the braid
  double row = 0;      // height of one crossing
  double left = 0;     // x of position 1
  double top = 0;      // y where the first crossing begins

  static BraidLayout Fit(const QRectF& area, const BraidClosure& braid);
  double X(int position) const { return left + (position - 1) * spacing; }
  double Bottom(size_t rows) const { return top + static_cast<double>(rows) * row; }
  // The middle of the crossing in `row` (0-based) between positions s and s + 1.
  QPointF CrossingCentre(size_t row, int s) const;
};

// Draws the closed braid centred in `area`.
void PaintClosedBraid(QPainter& painter, const QRectF& area, const BraidClosure& braid);

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
