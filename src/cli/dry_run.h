#pragma once
// "name = value" for every run setting that Start derives in the chosen mode, and the list mode
// that a run starts from.

#include <ostream>

#include "run/workbench.h"

namespace quarvel::cli {

void PrintRunSettings(std::ostream& out, const Workbench& workbench);

}  // namespace quarvel::cli
