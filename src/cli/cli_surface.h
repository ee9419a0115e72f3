#pragma once
// The headless surface of quarvel-cli: Ctrl-C and the time limit act as "Back to the main menu".

#include <chrono>
#include <optional>

#include "control/headless_surface.h"

namespace quarvel::cli {

class CliSurface : public HeadlessSurface {
 public:
  explicit CliSurface(std::optional<double> timeLimitSeconds);

  void ProcessMessages(RunFlags& flags) override;

 private:
  std::optional<std::chrono::steady_clock::time_point> deadline_;
};

// Routes Ctrl-C to the surface's next message pump instead of ending the process.
void CatchInterrupts();

}  // namespace quarvel::cli
