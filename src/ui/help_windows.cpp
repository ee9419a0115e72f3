#include "ui/help_windows.h"

#include <QPushButton>
#include <QTextBrowser>

#include "ui/help_texts.h"

namespace quarvel::ui {
namespace {

constexpr QSize kHelpSize(860, 600);
constexpr int kMargin = 16;
constexpr int kButtonWidth = 180;
constexpr int kButtonHeight = 36;
constexpr int kButtonStep = 44;
constexpr QSize kAboutSize(520, 360);

QTextBrowser* ReadOnlyText(QWidget* parent, const QString& html) {
  auto* text = new QTextBrowser(parent);
  text->setOpenExternalLinks(false);
  text->setHtml(html);
  return text;
}

}  // namespace

HelpWindow::HelpWindow(const QString& caption, const std::vector<HelpTopic>& topics, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setWindowTitle(caption);
  setFixedSize(kHelpSize);
  QRect textArea(2 * kMargin + kButtonWidth, kMargin, kHelpSize.width() - 3 * kMargin - kButtonWidth,
                 kHelpSize.height() - 2 * kMargin);
  for (size_t i = 0; i < topics.size(); ++i) {
    auto* button = new QPushButton(topics[i].button, this);
    button->setGeometry(kMargin, kMargin + static_cast<int>(i) * kButtonStep, kButtonWidth, kButtonHeight);
    button->setCheckable(true);
    QTextBrowser* text = ReadOnlyText(this, topics[i].html);
    text->setGeometry(textArea);
    int index = static_cast<int>(i);
    connect(button, &QPushButton::clicked, this, [this, index] { ShowTopic(index); });
    buttons_.push_back(button);
    texts_.push_back(text);
  }
  quit_ = new QPushButton(tr("Quit help"), this);
  quit_->setGeometry(kMargin, kHelpSize.height() - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
  connect(quit_, &QPushButton::clicked, this, &QWidget::close);
  ShowTopic(0);
}

void HelpWindow::ShowTopic(int index) {
  for (size_t i = 0; i < texts_.size(); ++i) {
    bool shown = static_cast<int>(i) == index;
    texts_[i]->setVisible(shown);
    buttons_[i]->setChecked(shown);
  }
}

int HelpWindow::ShownTopic() const {
  for (size_t i = 0; i < texts_.size(); ++i) {
    if (!texts_[i]->isHidden()) return static_cast<int>(i);
  }
  return -1;
}

AboutBox::AboutBox(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(tr("About Quarvel"));
  setFixedSize(kAboutSize);
  text_ = ReadOnlyText(this, AboutHtml());
  text_->setGeometry(kMargin, kMargin, kAboutSize.width() - 2 * kMargin,
                     kAboutSize.height() - 3 * kMargin - kButtonHeight);
  back_ = new QPushButton(tr("Back to the main menu"), this);
  back_->setGeometry((kAboutSize.width() - kButtonWidth) / 2, kAboutSize.height() - kMargin - kButtonHeight,
                     kButtonWidth, kButtonHeight);
  connect(back_, &QPushButton::clicked, this, &QWidget::close);
}

}  // namespace quarvel::ui
