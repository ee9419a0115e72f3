#include "cli/cli_surface.h"

#include <csignal>

namespace quarvel::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
  interrupted = 1;
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
  if (interrupted != 0) flags.stopRequested = true;
  if (deadline_ && std::chrono::steady_clock::now() >= *deadline_) flags.stopRequested = true;
}

void CatchInterrupts() {
  std::signal(SIGINT, OnInterrupt);
}

}  // namespace quarvel::cli
