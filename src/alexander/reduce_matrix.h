#pragma once
// Diagonalises the presentation matrix over the principal ideal domain F_p[t^(+-1)] and takes the
// twisted Alexander polynomial from the diagonal.
//
// The matrix occupies rows 1 .. k*blockRows and columns 1 .. k*blockColumns of the store (k the
// degree of the representation), and no entry holds a negative exponent. For each diagonal
// position s = 1 .. N, N = k * min(blockRows, blockColumns), passes of leading-term elimination
// with a pivot of smallest entry degree (ties to the leftmost column in a row, the topmost row in
// a column) are repeated until row s and column s hold nothing but (s, s); then the common powers
// of t are divided out of rows s.. and columns s... The matrix ends diagonal.
//
// Results: the product of the nonzero diagonal entries, normalised to lowest term t^0 and constant
// term 1 (exact up to a unit); the rank of the torsion-free part and the positive-rank flag, which
// are 0 and false unless count = k*blockRows minus the number of nonzero diagonal entries exceeds
// k. Then the rank is count - k, and without keepTorsion the polynomial becomes 0.
//
// Progress: with N >= 21 a status every 72nd pass (the first pass included), cleared at the end of
// a complete reduction. The run control is pumped on every pass; a pause waits, a stop request
// ends the reduction as stopped, a failure as failed; either way without results, and the matrix
// is left as far as it got. Work space that would take the store and itself past the store's byte
// ceiling, or a term beyond the exponents a 32-bit integer holds, fails with "Out of memory" on the
// polynomial error flag, and both drivers end the run on the flag. Sizes beyond the store fail with
// "Program error" (computation failed) before anything is touched.

#include <cstdint>

#include "base/failure.h"
#include "base/run_control.h"
#include "poly/field.h"
#include "poly/poly_matrix.h"
#include "poly/polynomial.h"

namespace quarvel {

enum class ReductionEnd { complete, stopped, failed };

struct Reduction {
  ReductionEnd end = ReductionEnd::failed;
  // Only for a complete reduction:
  Polynomial polynomial;
  int32_t rankOfTorsionFreePart = 0;
  bool positiveRank = false;
  int32_t count = -1;
  // The failures met, as the run records them (also those of a complete reduction).
  FailureState failures;

  bool complete() const { return end == ReductionEnd::complete; }
};

// Where a long reduction reports how far it got. The default shows nothing.
class ReductionProgress {
 public:
  virtual ~ReductionProgress() = default;
  // At diagonal position `position` of `positions`; stillGoingOn alternates, false first.
  virtual void Status(int32_t /*position*/, int32_t /*positions*/, bool /*stillGoingOn*/) {}
  // After a complete reduction that reported a status.
  virtual void Clear() {}
};

using NoReductionProgress = ReductionProgress;

Reduction Reduce(PolyMatrix& matrix, int64_t blockRows, int64_t blockColumns, int64_t k,
                 const PrimeField& field, bool keepTorsion, RunControl& control, ReductionProgress& progress);

}  // namespace quarvel
