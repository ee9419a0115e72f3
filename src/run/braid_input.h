#pragma once
// The presentation of a run whose input is a braid: the closed braid's Wirtinger presentation
// (group/braid.h) taken into the run's presentation.

#include "run/workbench.h"

namespace quarvel {

// Normalises presentation.braidText, closes the braid and builds its presentation with
// settings.zeroSurgery. Sets braidIsLink as soon as the braid is closed (so also when the
// presentation then does not fit the tables), then generatorCount, the relators and the input
// relators. With the run's writeKnotFiles it also writes the knot files (run/knot_files.h).
// Failures set the run's failure state with the message of the step that failed.
void LoadBraidPresentation(Workbench& workbench);

}  // namespace quarvel
