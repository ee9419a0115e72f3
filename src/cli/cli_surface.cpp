#include "cli/cli_surface.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace quarvel::cli {
namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int signal) {
  stopSignal = signal;
}

}  // namespace

CliSurface::CliSurface(std::optional<double> timeLimitSeconds) {
  if (timeLimitSeconds) {
    auto limit = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(*timeLimitSeconds));
    deadline_ = std::chrono::steady_clock::now() + limit;
  }
}

void CliSurface::ProcessMessages(RunFlags& flags) {
  HeadlessSurface::ProcessMessages(flags);
  auto now = std::chrono::steady_clock::now();
  if (stopSignal != 0) flags.stopRequested = true;
  if (deadline_ && now >= *deadline_ && !flags.stopRequested) {
    flags.stopRequested = true;
    timeLimitReached_ = true;
  }
  if (progress_ && now - lastProgress_ >= std::chrono::milliseconds(200)) {
    lastProgress_ = now;
    std::fprintf(stderr, "\r%s\033[K", progress_().c_str());
    progressShown_ = true;
  }
}

void CliSurface::ShowProgress(std::function<std::string()> progress) {
  if (isatty(STDERR_FILENO)) progress_ = std::move(progress);
}

void CliSurface::ReportListKnot(std::string_view line) {
  if (isatty(STDERR_FILENO)) return;
  std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  std::fflush(stderr);
}

void CliSurface::EndProgress() {
  if (progressShown_) std::fputc('\n', stderr);
  progressShown_ = false;
}

void CatchStopSignals() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, OnStopSignal);
}

int StopSignal() {
  return stopSignal;
}

}  // namespace quarvel::cli
