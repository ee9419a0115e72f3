#pragma once
// "name = value" for every run setting that Start derives in the chosen mode.

#include <ostream>

#include "base/run_settings.h"
#include "group/presentation.h"

namespace quarvel::cli {

void PrintRunSettings(std::ostream& out, const RunSettings& settings, const Presentation& presentation);

}  // namespace quarvel::cli
