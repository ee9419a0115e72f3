#pragma once
// The presentation as it was built or read, before simplification: on panel 7 of the norm-mode
// window, or in a compact layout on panel 1 of the isotopy window. Both recount the generators in use.

#include "run/workbench.h"

namespace quarvel {

void ShowPresentation(Workbench& workbench);
void ShowIsotopyPresentation(Workbench& workbench);

}  // namespace quarvel
