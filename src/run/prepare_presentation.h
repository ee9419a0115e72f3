#pragma once
// How every run obtains its presentation: from the braid text, or from the picked file (which may
// itself hold a braid line); then it is shown, simplified, and its generator letters are listed.
// A file with nothing usable fails the run with "The file PATH holds no braid, presentation or knot list".

#include "run/workbench.h"

namespace quarvel {

void PreparePresentation(Workbench& workbench);

}  // namespace quarvel
