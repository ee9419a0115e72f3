#pragma once
// The headless surface of quarvel-cli: Ctrl-C, SIGTERM, SIGHUP and the time limit act as "Back to
// the main menu". Progress goes to stderr: a one-line display redrawn in place on a terminal, else
// one line per finished knot of a list.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "base/headless_surface.h"

namespace quarvel::cli {

class CliSurface : public HeadlessSurface {
 public:
  explicit CliSurface(std::optional<double> timeLimitSeconds);

  void ProcessMessages(RunFlags& flags) override;

  // A one-line progress display, redrawn on stderr a few times a second when stderr is a terminal.
  void ShowProgress(std::function<std::string()> progress);
  // Ends the progress line so that what follows starts on a line of its own.
  void EndProgress();
  // Whether the time limit, and not the run itself or a signal, asked the run to stop.
  bool TimeLimitReached() const { return timeLimitReached_; }
  // When stderr is no terminal (a log file, a pipe), one line per finished knot of a list.
  void ReportListKnot(std::string_view line) override;

 private:
  std::optional<std::chrono::steady_clock::time_point> deadline_;
  std::function<std::string()> progress_;
  std::chrono::steady_clock::time_point lastProgress_{};
  bool progressShown_ = false;
  bool timeLimitReached_ = false;
};

// Routes SIGINT (Ctrl-C), SIGTERM and SIGHUP to the surface's next message pump instead of ending
// the process.
void CatchStopSignals();
// The last of those signals that arrived; 0 when none did.
int StopSignal();

}  // namespace quarvel::cli
