#pragma once
// What the simplification leaves for later stages besides the relators themselves.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "group/presentation.h"

namespace quarvel {

struct Simplification {
  // One record per eliminated generator, in order of elimination: letter, "=", replacing word.
  std::vector<std::string> substitutionList;
  // Which relators the kept elimination trial left alive (until they are compacted away).
  std::array<bool, kMaxRelators + 1> relatorAlive{};
  // Relator numbers 1..relatorCount by ascending length; later entries 0.
  std::array<int32_t, kMaxRelators + 1> relatorOrder{};
};

}  // namespace quarvel
