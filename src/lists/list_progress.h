#pragma once
// The progress of a run over a knot list. Each finished knot gives one progress line,
// "[i/N] name: result, seconds".

#include <cstdint>
#include <string>
#include <string_view>

#include "run/list_progress_state.h"

namespace quarvel {

struct KnotList;
struct Workbench;

// Starts the progress of the knot at line `lineNumber` of `list`.
void StartListKnot(ListProgress& progress, const KnotList& list, int64_t lineNumber);

// "[i/N] name: result, 1.25 s".
std::string ListProgressLine(const ListProgress& progress, std::string_view result);

// Tells the surface (the progress line) and the run's events that the knot is finished with `result`.
void ReportFinishedListKnot(Workbench& workbench, const ListProgress& progress, std::string_view result);

}  // namespace quarvel
