#pragma once
// The state of a fibration-and-norm run that the driver keeps and the stages of a cycle read.

#include <cstdint>
#include <string>

#include "run/list_progress_state.h"

namespace quarvel {

// The most generators a presentation of a norm run may keep after simplification.
inline constexpr int64_t kMaxNormGenerators = 30;

struct NormRunState {
  bool trivialPass = false;        // the untwisted pass with degree 1
  int32_t outputPanel = 4;         // panel 3 or 4 receives the current cycle's results
  int32_t outputLine = 0;          // y of the next line on the output panel
  int32_t savedPanelPosition = 0;  // where the zeroth and second polynomial lines go (0: not yet set)
  bool multiField = false;
  int32_t cycleCounter = 0;
  int64_t savedDegree = 0;
  int64_t savedSize = 0;
  // Started from the settings with the run: whether the picked file is a knot list, the caps on
  // the degree k and on the metabelian modulus (lowered for each knot so that the twisted Fox
  // matrix fits), and the prime of the field the next polynomials are computed over.
  bool listMode = false;
  int32_t degreeCap = 0;
  int32_t metabelianMaxOrder = 0;
  int32_t prime = 0;
  int64_t fieldIndex = 0;  // position 1..10 of the compared field, 11 when past the last
  int32_t fieldsDone = 0;
  bool listSatisfied = false;
  bool listDone = false;
  std::string listName;        // the knot list's file name, in list mode
  int64_t listLineNumber = 0;  // the current knot's line in the list, counted from 1
  ListProgress listProgress;
  bool firstWrite = false;
  // A run limit of the command line: after this many evaluated representations the run acts as
  // "Back to the main menu", or in a list run the knot ends (-1: no limit).
  int64_t representationLimit = -1;
  bool representationLimitReached = false;
  int32_t knotFirstSolution = 0;  // the solution count when the current knot began
  // A list run that ends after its first pass (a worker of a parallel run computes one knot at one
  // size at a time).
  bool singlePass = false;
};

}  // namespace quarvel
