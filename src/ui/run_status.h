#pragma once
// The state of the run a computation window shows, and how long it has computed: the clock runs
// while the run computes and holds while the user pauses it; it stops when the run ends.

#include <QElapsedTimer>
#include <QString>

namespace quarvel::ui {

class RunStatus {
 public:
  enum class State { idle, running, paused, stopped, finished, failed };

  // A run starts: running, from zero.
  void Begin();
  // "Pause" pressed while the run computes: paused, or running again.
  void TogglePause();
  // The run has ended by itself, or waits for the user after its last result.
  void Finish();
  // The run ended with this error (the whole line as the run wrote it).
  void Fail(const QString& error);
  // The user left the window before the run ended.
  void Stop();

  State Current() const { return state_; }
  bool Ended() const;
  qint64 ElapsedMilliseconds() const;
  QString Error() const { return error_; }
  // "running", "paused", "stopped", "finished", "failed" (empty before any run).
  QString StateText() const;
  // The state and the elapsed time as the status line shows them.
  QString Line() const;

 private:
  void End(State state);

  State state_ = State::idle;
  QElapsedTimer clock_;
  qint64 before_ = 0;  // computed before the last pause
  QString error_;
};

// Milliseconds as "m:ss.t" (t: tenths of a second), with hours when there are any ("h:mm:ss.t").
QString ElapsedText(qint64 milliseconds);

}  // namespace quarvel::ui
