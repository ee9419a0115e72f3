#include "bounds/norm_evaluation.h"

#include <utility>

#include "alexander/reduce_matrix.h"
#include "alexander/zeroth_second_polynomials.h"

namespace quarvel {
namespace {

// The degree of the polynomial of a generator block matrix (one block row, n block columns).
Result<int32_t> GeneratorBlockDegree(const GeneratorBlockMatrix& blocks, const Presentation& presentation,
                                     int64_t k, const PrimeField& field, RunControl& control,
                                     PolyMatrix& store) {
  if (!blocks.built || blocks.failures.computationFailed || blocks.failures.polynomialErrorFlag)
    return Failure{blocks.failures.errorMessage};
  NoReductionProgress quiet;
  const Reduction reduction = Reduce(store, 1, presentation.generatorCount, k, field, true, control, quiet);
  if (reduction.failures.computationFailed || reduction.failures.polynomialErrorFlag)
    return Failure{reduction.failures.errorMessage};
  if (!reduction.complete()) return Failure{kStoppedMessage};
  return PolyDegree(reduction.polynomial);
}

}  // namespace

Result<NormEvaluation> EvaluateNorm(const Presentation& presentation, const Representation& representation,
                                    const PrimeField& field, const NormRequest& request, RunControl& control,
                                    PolyMatrix& store) {
  const int64_t k = request.k;
  NormEvaluation evaluation;
  Result<int32_t> zeroth =
      GeneratorBlockDegree(ZerothPolynomialMatrix(presentation, representation, k, field, store),
                           presentation, k, field, control, store);
  if (!zeroth) return Failure{zeroth.error()};
  evaluation.zerothDegree = *zeroth;
  if (request.closedManifold) {
    Result<int32_t> second =
        GeneratorBlockDegree(SecondPolynomialMatrix(presentation, representation, k, field, store),
                             presentation, k, field, control, store);
    if (!second) return Failure{second.error()};
    evaluation.secondDegree = *second;
  }
  Result<TwistedPolynomial> twisted =
      TwistedAlexanderPolynomial(presentation, representation, k, field, true, control, store);
  if (!twisted) return Failure{twisted.error()};
  evaluation.twisted = std::move(*twisted);
  evaluation.twistedDegree = PolyDegree(evaluation.twisted.polynomial);
  const int64_t b3 = request.closedManifold ? 1 : 0;
  const int64_t phiMultiple = PhiMultiple(presentation);
  const bool positiveRank = evaluation.twisted.positiveRank;
  evaluation.correction = ZerothCorrectionFor(false, request.repFamily, k, b3, phiMultiple,
                                              evaluation.zerothDegree + evaluation.secondDegree);
  evaluation.bounds = BoundsFromDegree(evaluation.twistedDegree, evaluation.correction.bound, k, phiMultiple,
                                       b3, positiveRank);
  evaluation.fibering = TestFibering({evaluation.twistedDegree,
                                      request.untwistedDegree,
                                      evaluation.correction,
                                      k,
                                      b3,
                                      phiMultiple,
                                      positiveRank,
                                      0,
                                      {},
                                      {},
                                      {},
                                      false});
  return evaluation;
}

}  // namespace quarvel
