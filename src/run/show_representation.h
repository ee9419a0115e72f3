#pragma once
// The representation on the output panel of the norm-mode window: 80 blank lines, a header naming
// the target group, then for every present generator (generatorUsed) in number order its letter, a
// maps-to arrow and its image. Images are permutations written "(" p(1) ... p(k) ")" without
// separators, metabelian elements "(" i "," j ")", abelian scalars "(" c ")". Entries run from
// x = 7 in steps of 35 + 10k, 61 or 50 pixels (18, 14 and 6 less, with arrow and image closer, once
// 13 or more generators are present) and wrap 15 pixels lower once x passes 400. Afterwards the
// run's outputLine is the last line used + 8.

#include <cstdint>
#include <string>

#include "run/workbench.h"

namespace quarvel {

void ShowRepresentation(Workbench& workbench);

// The image of `generator` as ShowRepresentation writes it, a permutation over 1..permutationDegree.
std::string GeneratorImageText(const Workbench& workbench, int32_t generator, int64_t permutationDegree);

}  // namespace quarvel
