#pragma once
// A diagonal form of a matrix over the principal ideal domain F_p[t, t^-1] by unimodular row and
// column operations, with the entries' spans (highest minus lowest exponent) kept low.
//
// Each step takes as pivot a nonzero entry of least span in the part not yet finished (ties: the
// least work its row and column operations take, estimated as (sum of the spans + 1 of the other
// entries of its row) x (other nonzeros in its column) plus the same with row and column exchanged,
// then the first in row order). It reduces the other entries of its shorter line (row or column)
// by operations on the other lines, each to a remainder of smaller span than the pivot: full
// division in the Laurent ring, killing at each step the end term (highest or lowest) that lies
// further outside the pivot's exponent window. When that leaves no remainder, the other line is
// reduced the same way; when the pivot is then alone in its row and column it is a finished
// diagonal entry. A remainder left in either line ends the step: it is the next pivot or is
// undercut by it (reducing the other line first would be work for a pivot about to be replaced).
// A unit pivot (one term) clears its row and column in one sweep, so the first steps
// are the sparse elimination of the unit entries a Fox matrix is full of, and every entry then is
// a minor divided by a unit; what is left is a small dense block that full division finishes.
// Costs: one row operation is one pass over the pivot row's nonzero entries (vectorised), and a
// pivot of span s reduces an entry of span e in at most e - s + 1 of them.
//
// The diagonal entries come out in the order they are finished; their number is the rank.

#include <cstdint>
#include <vector>

#include "alexander/reduce_matrix.h"
#include "base/run_control.h"
#include "poly/field.h"
#include "poly/laurent_entry.h"

namespace quarvel {

struct DiagonalForm {
  ReductionEnd end = ReductionEnd::failed;
  std::vector<LaurentEntry> diagonal;  // the nonzero diagonal entries, as far as the run got
  int32_t peakSpan = -1;               // the largest span an entry had at the start of a step
};

// entries holds the rows x columns matrix row by row. Progress: with min(rows, columns) >= 21 a
// status every 72nd step, the first included (position = finished entries + 1). The run control
// is pumped every step; a pause waits, a stop request ends the reduction as stopped. A byte
// ceiling (0: none) on the entries' buffers ends it as failed when passed.
DiagonalForm DiagonaliseLaurent(std::vector<LaurentEntry> entries, int32_t rows, int32_t columns,
                                const PrimeField& field, size_t byteCeiling, RunControl& control,
                                ReductionProgress& progress);

}  // namespace quarvel
