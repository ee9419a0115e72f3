#pragma once
// The closed braid of a run saved as two presentation files of format I in the run's output
// directory, by default the input's directory, so
// that later runs can start from them: "knot<name>.txt" holds the Wirtinger relators of all
// crossings but the last, "mfd<name>.txt" the same followed by the longitude of the first
// component (the 0-surgery). Both end with phi lines "a1", "b1", ... for as many generators as the
// braid has crossings, and the braid text; lines end in CR LF.

#include "group/braid.h"
#include "run/workbench.h"

namespace quarvel {

// Writes both files for presentation.braidText; fails the run with "Can not write the file PATH".
void WriteKnotFiles(Workbench& workbench, const ClosedBraid& braid);

}  // namespace quarvel
