#pragma once
// What the Start button does before a driver runs: copy every option of the chosen mode into the
// run settings once, and derive the prime, the simplification effort and the degree.

#include <cstdint>
#include <string>

#include "front/main_window_options.h"
#include "run/workbench.h"
#include "simplify/simplify_presentation.h"  // EffortForBraidLength

namespace quarvel {

// Fills the run settings from the options and puts the braid text into the presentation.
// Returns false, changing nothing, when there is neither a braid text nor a picked file.
bool TakeStartSettings(const MainWindowOptions& options, Workbench& workbench);

}  // namespace quarvel
