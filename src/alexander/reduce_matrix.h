#pragma once
// Diagonalises the presentation matrix over the principal ideal domain F_p[t^(+-1)] and takes the
// twisted Alexander polynomial from the diagonal.
//
// The matrix occupies rows 1 .. k*blockRows and columns 1 .. k*blockColumns of the store (k the
// degree of the representation), and no entry holds a negative exponent. DiagonaliseLaurent
// (alexander/diagonal_form.h) brings it to a diagonal form; its nonzero entries, each shifted to
// lowest exponent 0 and with constant term 1, are written to (1, 1), (2, 2), ... in the order they
// were finished, and every other entry of the matrix becomes zero. The product of the diagonal
// entries and the rank are invariants of the module the matrix presents, whatever the diagonal
// form.
//
// Results: the product of the nonzero diagonal entries, normalised to lowest term t^0 and constant
// term 1 (exact up to a unit); the rank of the torsion-free part and the positive-rank flag, which
// are 0 and false unless count = k*blockRows minus the number of nonzero diagonal entries exceeds
// k. Then the rank is count - k, and without keepTorsion the polynomial becomes 0.
//
// Progress: with N = k * min(blockRows, blockColumns) >= 21 a status every 72nd elimination step
// (the first included), cleared at the end of a complete reduction. The run control is pumped on
// every step; a pause waits, a stop request ends the reduction as stopped (the matrix unchanged,
// no results). Work space that would take the store and itself past the store's byte ceiling
// fails with "Out of memory" on the polynomial error flag, and both drivers end the run on the
// flag; a term beyond the exponents a 32-bit integer holds throws std::bad_alloc, which the run
// stages turn into the same message. Sizes beyond the store fail with "Program error" (computation
// failed) before anything is touched.

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
  int32_t peakSpan = -1;  // the largest span (highest minus lowest exponent) of an entry met
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

// The results of a matrix whose rows 1 .. rows and columns 1 .. n are diagonal: the product of the
// nonzero (s, s), s <= n, normalised, the count and the rank, into reduction (see Reduce).
void TakeDiagonalResults(const PolyMatrix& matrix, int32_t rows, int32_t n, int64_t k,
                         const PrimeField& field, bool keepTorsion, Reduction& reduction);

}  // namespace quarvel
