#include "norm/rational_invariants.h"

#include "alexander/integer_alexander.h"

namespace quarvel {

void IntegerAlexanderAndWada(Workbench& wb) {
  EvaluationState& ev = wb.evaluation;
  const bool trivial = wb.run.trivialPass;
  if (trivial) ev.integerAlexanderText.clear();
  ev.wadaText.clear();
  if (wb.failure.computationFailed || wb.failure.polynomialErrorFlag) return;
  if (!HasZeroOneMatrices(wb.settings.repFamily, wb.settings.reducedPermutationRep)) return;
  const RationalInvariant invariant =
      trivial ? IntegerAlexanderPolynomial(wb.presentation, wb.representation, wb.current.degreeK,
                                           wb.field.currentPrime)
              : WadaInvariant(wb.presentation, wb.representation, wb.current.degreeK, wb.field.currentPrime);
  RaiseFailures(wb.failure, invariant.failures);
  (trivial ? ev.integerAlexanderText : ev.wadaText) = invariant.text;
}

}  // namespace quarvel
