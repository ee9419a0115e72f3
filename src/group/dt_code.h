#pragma once
// Dowker-Thistlethwaite (DT) codes of knots: "4 6 2", [4, 6, 2] or DT[4, 6, 2] for the trefoil.
//
// Walking along the knot, the passages through the n crossings get the labels 1..2n; every crossing
// is passed once with an odd and once with an even label, and the code lists the even partners of
// 1, 3, ..., 2n-1. A negative entry says that the even passage runs over the crossing (so an
// alternating diagram has a code without signs). A code gives its knot up to mirror image; of the
// two planar realisations the one is taken whose first crossing is crossed from the right of the
// passage 1 (as the first crossing's odd passage sees it), and its PD code (group/pd_code.h) is
// numbered by the passages: edge k runs from passage k to passage k + 1.

#include <string_view>
#include <vector>

#include "base/result.h"
#include "group/pd_code.h"

namespace quarvel {

// Realisations are searched crossing by crossing; codes beyond this many crossings are refused.
inline constexpr int kMaxDtCrossings = 24;

// The entries of a DT code: "DT" before it, brackets (square or round) around it, commas or blanks
// between the entries are optional. Fails unless the entries are n non-zero even numbers whose
// absolute values are 2, 4, ..., 2n in some order.
Result<std::vector<int>> ParseDtCode(std::string_view text);

// The PD code of a planar diagram with this DT code; fails with "The DT code is not realisable" when
// there is none.
Result<std::vector<PdCrossing>> RealiseDtCode(const std::vector<int>& code);

}  // namespace quarvel
