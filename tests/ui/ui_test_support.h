#pragma once
// Helpers for the workbench's Qt tests: the application's look, picking from a list as a user
// does, quarvel-cli for comparison, and acting while a run holds the event loop.

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <vector>

#include "ui/appearance.h"

// QVERIFY and QCOMPARE for the steps of a Script, which return bool: a failure is recorded and
// ends the step.
#define STEP_VERIFY(condition)                                                                          \
  do {                                                                                                  \
    if (!QTest::qVerify(static_cast<bool>(condition), #condition, "", __FILE__, __LINE__)) return true; \
  } while (false)
#define STEP_COMPARE(actual, expected)                                                           \
  do {                                                                                           \
    if (!QTest::qCompare(actual, expected, #actual, #expected, __FILE__, __LINE__)) return true; \
  } while (false)

namespace quarvel::ui::testing {

inline void UseWorkbenchLook() {
  ApplyWorkbenchLook(*qobject_cast<QApplication*>(QCoreApplication::instance()));
}

// Chooses an item the way a click in the open list does: the index changes, then `activated`.
inline void Pick(QComboBox* list, int item) {
  QVERIFY(list != nullptr);
  list->setCurrentIndex(item);
  Q_EMIT list->activated(item);
}

// A double click as the user makes it: a first click, then the second one that makes it double.
inline void DoubleClickItem(QListWidget* list, QListWidgetItem* item) {
  QVERIFY(list != nullptr && item != nullptr);
  QPoint at = list->visualItemRect(item).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

template <typename Control>
Control* Find(QWidget& window, const char* name) {
  auto* control = window.findChild<Control*>(name);
  if (!control) qWarning("no control named %s", name);
  return control;
}

// quarvel-cli's standard output, run in `folder` so that its report files land there.
inline QString CliOutput(const QStringList& args, const QString& folder) {
  QProcess cli;
  cli.setWorkingDirectory(folder);
  cli.start(QStringLiteral(QUARVEL_CLI), args);
  if (!cli.waitForFinished(120000)) return QStringLiteral("<quarvel-cli did not finish>");
  return QString::fromUtf8(cli.readAllStandardOutput());
}

// Steps that run one after the other from a timer while something else (a run inside Start's
// handler) holds the event loop. A step returns true when it is done. `Finished` tells whether all
// steps ran; a script that is not done after `limitMs` calls `onTimeout` once.
class Script {
 public:
  Script(std::vector<std::function<bool()>> steps, std::function<void()> onTimeout, int limitMs = 60000)
      : steps_(std::move(steps)), onTimeout_(std::move(onTimeout)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    clock_.start();
    limitMs_ = limitMs;
    timer_.start();
  }
  bool Finished() const { return next_ == steps_.size(); }

 private:
  void Tick() {
    if (Finished()) {
      timer_.stop();
      return;
    }
    if (clock_.elapsed() > limitMs_) {
      timer_.stop();
      onTimeout_();
      return;
    }
    if (steps_[next_]()) ++next_;
  }

  std::vector<std::function<bool()>> steps_;
  std::function<void()> onTimeout_;
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 limitMs_ = 0;
  size_t next_ = 0;
};

}  // namespace quarvel::ui::testing
