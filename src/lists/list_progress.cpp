#include "lists/list_progress.h"

#include <chrono>
#include <cstdio>

#include "lists/knot_list.h"
#include "run/workbench.h"

namespace quarvel {

void StartListKnot(ListProgress& progress, const KnotList& list, int64_t lineNumber) {
  progress.knot = progress.knots = 0;
  for (int64_t n = 1; n <= list.Count(); ++n) {
    if (!IsKnotLine(list.Line(n))) continue;
    ++progress.knots;
    if (n <= lineNumber) ++progress.knot;
  }
  progress.name = std::string(ListLineName(list.Line(lineNumber)));
  progress.started = std::chrono::steady_clock::now();
}

std::string ListProgressLine(const ListProgress& progress, std::string_view result) {
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - progress.started;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f s", took.count());
  return "[" + std::to_string(progress.knot) + "/" + std::to_string(progress.knots) + "] " + progress.name +
         ": " + std::string(result) + ", " + seconds;
}

void ReportFinishedListKnot(Workbench& wb, const ListProgress& progress, std::string_view result) {
  wb.panels.surface->ReportListKnot(ListProgressLine(progress, result));
  wb.events->ListLineFinished({progress.knot, progress.knots, progress.name, std::string(result)});
}

}  // namespace quarvel
