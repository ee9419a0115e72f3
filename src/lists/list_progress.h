#pragma once
// Where a run over a knot list stands: which knot line of how many it computes, and since when.
// Each finished knot gives one progress line, "[i/N] name: result, seconds".

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarvel {

struct KnotList;

struct ListProgress {
  int64_t knot = 0;   // the current knot's place among the list's knot lines, from 1
  int64_t knots = 0;  // the knot lines of the list
  std::string name;
  std::chrono::steady_clock::time_point started;
};

// Starts the progress of the knot at line `lineNumber` of `list`.
void StartListKnot(ListProgress& progress, const KnotList& list, int64_t lineNumber);

// "[i/N] name: result, 1.25 s".
std::string ListProgressLine(const ListProgress& progress, std::string_view result);

}  // namespace quarvel
