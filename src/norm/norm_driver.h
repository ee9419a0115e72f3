#pragma once
// The fibration-and-norm run: after the run start (norm_run_start.h) every knot gets the untwisted
// pass and then cycle after cycle: a representation, its image, the zeroth and second twisted
// polynomials, the twisted Fox matrix and its evaluation, once or once per compared field, until
// the chosen stop condition holds, the search gives up, or the user leaves. Without a knot list the
// same presentation then starts again from the untwisted pass.

#include "run/workbench.h"

namespace quarvel {

// Opens the norm-mode window and runs the driver; the window keeps the results afterwards.
void RunNormMode(Workbench& workbench);

void NormDriver(Workbench& workbench);

}  // namespace quarvel
