#pragma once
// What the Start button does before a driver runs: copy every option of the chosen mode into the
// run settings once, and derive the prime, the simplification effort and the degree.

#include <cstdint>
#include <string>

#include "front/main_window_options.h"
#include "run/workbench.h"

namespace quarvel {

// Halves the effort once for each of the lengths 30, 50 and 70 characters that the braid text
// exceeds, rounding halves to even (50 -> 25 -> 12 -> 6, 150 -> 75 -> 38 -> 19).
int32_t EffortForBraidLength(int32_t effort, size_t braidLength);

// Fills the run settings from the options and puts the braid text into the presentation.
// Returns false, changing nothing, when there is neither a braid text nor a picked file.
bool TakeStartSettings(const MainWindowOptions& options, Workbench& workbench);

}  // namespace quarvel
