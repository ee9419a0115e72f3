#pragma once
// Everything a run shares, in one value. A test builds a fresh Workbench on its own surface; two
// workbenches never share state.

#include "control/failure.h"
#include "control/panels.h"
#include "control/run_settings.h"
#include "group/presentation.h"
#include "reps/random_generator.h"
#include "simplify/simplification.h"

namespace quarvel {

struct Workbench {
  explicit Workbench(PanelSurface& surface) : panels(surface) {}

  RunSettings settings;
  Panels panels;
  FailureState failure;
  Presentation presentation;
  Simplification simplification;
  RandomGenerator random;
};

}  // namespace quarvel
