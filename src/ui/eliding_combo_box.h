#pragma once
// A drop-down list for the long texts of the main window: the closed box shortens the chosen
// text with an ellipsis where the box is too narrow (the tool tip shows the whole text), and the open
// list is as wide as its longest entry.

#include <QComboBox>

namespace quarvel::ui {

class ElidingComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ElidingComboBox(QWidget* parent = nullptr);

  // The text the closed box shows for the current entry.
  QString ShownText() const;
  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect TextRect() const;
};

}  // namespace quarvel::ui
