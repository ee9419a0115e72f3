#pragma once
// Where a run over a knot list stands: which knot line of how many it computes, and since when.
// The run state of both modes keeps one; lists/list_progress.h starts it and words it.

#include <chrono>
#include <cstdint>
#include <string>

namespace quarvel {

struct ListProgress {
  int64_t knot = 0;   // the current knot's place among the list's knot lines, from 1
  int64_t knots = 0;  // the knot lines of the list
  std::string name;
  std::chrono::steady_clock::time_point started;
};

}  // namespace quarvel
