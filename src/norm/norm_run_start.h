#pragma once
// The start of a fibration-and-norm run, up to its first knot: the panels are cleared, the input
// is recognised (braid, presentation file or knot list), the caption is written on panel 5, and
// the presentation is built or read, shown on panel 7 and simplified. Failures are shown on panel 1
// as "       ERROR: " and the message.

#include "run/workbench.h"

namespace quarvel {

// Clears the run flags and shows the norm-mode computation window.
void OpenNormWindow(Workbench& workbench);

// Returns true when the run goes on to its knots; false after an error, or when the input held
// nothing to compute.
bool StartNormRun(Workbench& workbench);

}  // namespace quarvel
