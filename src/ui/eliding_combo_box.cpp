#include "ui/eliding_combo_box.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

namespace quarvel::ui {
namespace {

constexpr int kPopupPadding = 24;

}  // namespace

ElidingComboBox::ElidingComboBox(QWidget* parent) : QComboBox(parent) {
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(this, &QComboBox::currentIndexChanged, this, [this] { setToolTip(currentText()); });
}

QRect ElidingComboBox::TextRect() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
}

QString ElidingComboBox::ShownText() const {
  return fontMetrics().elidedText(currentText(), Qt::ElideRight, TextRect().width());
}

void ElidingComboBox::showPopup() {
  int widest = 0;
  for (int i = 0; i < count(); ++i) widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)));
  view()->setMinimumWidth(
      std::max(width(), widest + view()->verticalScrollBar()->sizeHint().width() + kPopupPadding));
  QComboBox::showPopup();
}

void ElidingComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  option.currentText = ShownText();
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace quarvel::ui
