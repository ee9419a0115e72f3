#pragma once
// The input file the user picked (inputDirectory + inputName) as a run reads it: checked that it
// can be read at all, pre-scanned for what it holds, and read as a presentation file
// (group/presentation_file.h). Failures set the run's failure state.

#include <string>

#include "base/run_settings.h"
#include "group/presentation_file.h"
#include "run/workbench.h"

namespace quarvel {

// inputDirectory + inputName.
std::string PickedPath(const RunSettings& settings);
// Fails the run when the picked file cannot be read at all (UnusableFileReason).
void CheckPickedFile(Workbench& workbench);
// Pre-scans the picked file; fails with "Can not open the file PATH".
PreScan PreScanPresentationFile(Workbench& workbench);
// Reads the picked file by the format it is in into the presentation: relators, relatorCount and
// phi. Fails as the reading does, or with "No relator could be read from the file PATH".
void ReadPresentationFile(Workbench& workbench);

}  // namespace quarvel
