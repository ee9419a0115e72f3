#pragma once
// The help screens and the about box. A help screen has one button per topic and "Quit help";
// a topic button shows that topic's text and hides the others. All of them open without blocking
// the main window.

#include <QString>
#include <QWidget>
#include <vector>

class QPushButton;
class QTextBrowser;

namespace quarvel::ui {

struct HelpTopic {
  QString button;
  QString html;
};

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow(const QString& caption, const std::vector<HelpTopic>& topics, QWidget* parent = nullptr);

  // Shows the text of topic `index` (0-based) and hides the others.
  void ShowTopic(int index);
  int ShownTopic() const;

  QPushButton* TopicButton(int index) const { return buttons_.at(static_cast<size_t>(index)); }
  QTextBrowser* TopicText(int index) const { return texts_.at(static_cast<size_t>(index)); }
  int TopicCount() const { return static_cast<int>(texts_.size()); }
  QPushButton* QuitButton() const { return quit_; }

 private:
  std::vector<QPushButton*> buttons_;
  std::vector<QTextBrowser*> texts_;
  QPushButton* quit_;
};

class AboutBox : public QWidget {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);

  QTextBrowser* Text() const { return text_; }
  QPushButton* BackButton() const { return back_; }

 private:
  QTextBrowser* text_;
  QPushButton* back_;
};

}  // namespace quarvel::ui
