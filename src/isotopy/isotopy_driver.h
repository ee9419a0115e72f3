#pragma once
// The isotopy-invariant run: for one knot (a braid or a presentation file) or each knot of a list,
// the untwisted Alexander polynomial over F_p, then every homomorphism into S_k or A_k up to
// conjugation by S_k, the twisted Alexander polynomial of its permutation representation, and the
// product of them all. Errors end the run with "       ERROR: " and the message on panel 1.

#include "run/workbench.h"

namespace quarvel {

// Opens the isotopy window ("Computation of twisted Alexander polynomials") and runs the driver.
void RunIsotopy(Workbench& workbench);

// The whole run; returns when the knot or the list is done, on an error, or on stopRequested.
void IsotopyDriver(Workbench& workbench);

// Builds the group of settings.isotopyGroup into the workbench (unless it already holds that group)
// and sets degree k to its digit. The class representatives are left as they are.
void BuildIsotopyGroup(Workbench& workbench);

// Everything after the untwisted polynomial for the current knot: the classes, their twisted
// polynomials and the product.
void ComputeKnotInvariant(Workbench& workbench);

}  // namespace quarvel
