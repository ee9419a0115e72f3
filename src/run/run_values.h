#pragma once
// The values a run of either mode starts from its settings and then moves. RunSettings stays what
// Start derived from the options; these follow the run.

#include <cstdint>

#include "base/run_settings.h"

namespace quarvel {

struct RunValues {
  // The degree k of the representation in use: the size of S_k searched, the order of the image
  // for its regular representation, k - 1 on the reduced V, 1 on the untwisted pass.
  int64_t degreeK = 0;
  // The kind of space the input presents (RunSettings::groupType); a braid sets it from its
  // closure: a link, or a knot with or without 0-surgery.
  GroupType groupType = GroupType::knot;
  // Whether a braid read from the picked file writes its export files; typed braids and the knots
  // of a list write none.
  bool writeKnotFiles = false;
};

inline RunValues StartingValues(const RunSettings& settings) {
  return {settings.degreeK, settings.groupType, settings.writeKnotFiles};
}

}  // namespace quarvel
