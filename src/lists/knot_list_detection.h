#pragma once
// A picked file is a knot list when one of its first two lines (blank lines and lines beginning
// with "%" skipped, lines beginning with "x_" or " x_" counting as empty) holds a braid, PD or DT
// code (group/diagram_text.h, FindDiagram).

#include <istream>

#include "base/run_settings.h"

namespace quarvel {

bool IsKnotList(std::istream& in);

// Whether the picked file (inputDirectory + inputName) is a knot list (always, where the settings
// say it is known to be one); a file that cannot be read is none.
bool PickedFileIsKnotList(const RunSettings& settings);

}  // namespace quarvel
