#include "ui/run_status.h"

namespace quarvel::ui {

void RunStatus::Begin() {
  state_ = State::running;
  before_ = 0;
  error_.clear();
  clock_.start();
}

void RunStatus::TogglePause() {
  if (state_ == State::running) {
    before_ += clock_.elapsed();
    state_ = State::paused;
  } else if (state_ == State::paused) {
    clock_.start();
    state_ = State::running;
  }
}

bool RunStatus::Ended() const {
  return state_ == State::stopped || state_ == State::finished || state_ == State::failed;
}

void RunStatus::End(State state) {
  if (Ended() || state_ == State::idle) return;
  if (state_ == State::running) before_ += clock_.elapsed();
  state_ = state;
}

void RunStatus::Finish() {
  End(State::finished);
}

void RunStatus::Fail(const QString& error) {
  error_ = error;
  End(State::failed);
}

void RunStatus::Stop() {
  End(State::stopped);
}

qint64 RunStatus::ElapsedMilliseconds() const {
  return state_ == State::running ? before_ + clock_.elapsed() : before_;
}

QString RunStatus::StateText() const {
  switch (state_) {
    case State::idle:
      return {};
    case State::running:
      return QStringLiteral("running");
    case State::paused:
      return QStringLiteral("paused");
    case State::stopped:
      return QStringLiteral("stopped");
    case State::finished:
      return QStringLiteral("finished");
    case State::failed:
      return QStringLiteral("failed");
  }
  return {};
}

QString RunStatus::Line() const {
  if (state_ == State::idle) return {};
  QString state = StateText();
  state[0] = state[0].toUpper();
  return QStringLiteral("%1, elapsed time %2").arg(state, ElapsedText(ElapsedMilliseconds()));
}

QString ElapsedText(qint64 milliseconds) {
  const qint64 tenths = milliseconds / 100;
  const qint64 seconds = tenths / 10;
  const qint64 hours = seconds / 3600;
  const QString minutesAndSeconds = QStringLiteral("%1:%2.%3")
                                        .arg(seconds / 60 % 60)
                                        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                                        .arg(tenths % 10);
  if (hours == 0) return minutesAndSeconds;
  return QStringLiteral("%1:%2").arg(hours).arg(minutesAndSeconds.rightJustified(7, QLatin1Char('0')));
}

}  // namespace quarvel::ui
