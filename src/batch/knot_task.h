#pragma once
// One knot of a list at one size, computed on its own: what a worker of a parallel list run does
// with each task. The knot's line goes into a one-knot list in the worker's own folder, and the
// list run of the mode (norm: one pass at the task's size) runs over it, so the line it leaves is
// the line a serial run over the whole list writes for that knot (the knot's random draws depend
// only on the knot, lists/list_knot_seed.h). The "Repeated! " marks of the isotopy mode concern
// several knots and are left to whoever puts the line into the list.

#include <cstdint>
#include <string>

#include "base/run_settings.h"

namespace quarvel {

struct KnotTask {
  int64_t lineNumber = 0;  // the knot's line in the list, from 1
  int64_t size = 0;        // the pass of the norm mode; 0 in the isotopy mode
  std::string line;        // the line as the list holds it now
};

struct KnotTaskResult {
  int64_t lineNumber = 0;
  int64_t size = 0;
  bool done = false;    // the knot has its result line (a computed one or "not computed: ...")
  std::string line;     // its new line
  std::string summary;  // what the progress line says of it ("degree 4, 1 classes", ...)
  std::string error;    // why it has none, when not done
};

// The settings of the run and the command line's cycle limit (-1: none).
struct KnotTaskSettings {
  RunSettings settings;
  int64_t representationLimit = -1;
};

// Computes the task in this process, in `folder` (which must exist and belong to the caller);
// writes no report files.
KnotTaskResult ComputeKnotTask(const KnotTaskSettings& settings, const KnotTask& task,
                               const std::string& folder);

}  // namespace quarvel
