#include "alexander/twisted_polynomial.h"

#include <utility>

#include "alexander/fox_matrix.h"
#include "alexander/reduce_matrix.h"
#include "base/failure.h"
#include "base/memory_guard.h"

namespace quarvel {
namespace {

bool Failed(const FailureState& failure) {
  return failure.computationFailed || failure.polynomialErrorFlag;
}

Result<TwistedPolynomial> ReduceFoxMatrix(const Presentation& presentation,
                                          const Representation& representation, int64_t k,
                                          const PrimeField& field, bool keepTorsion, RunControl& control,
                                          PolyMatrix& store) {
  const FailureState built = TwistedFoxMatrix(presentation, representation, k, field, control, store);
  if (Failed(built)) return Failure{built.errorMessage};
  if (control.StopRequested()) return Failure{kStoppedMessage};
  NoReductionProgress quiet;
  Reduction reduction = Reduce(store, presentation.generatorCount, presentation.relatorCount, k, field,
                               keepTorsion, control, quiet);
  if (Failed(reduction.failures)) return Failure{reduction.failures.errorMessage};
  if (!reduction.complete()) return Failure{kStoppedMessage};
  return TwistedPolynomial{std::move(reduction.polynomial), reduction.rankOfTorsionFreePart,
                           reduction.positiveRank};
}

}  // namespace

Result<TwistedPolynomial> TwistedAlexanderPolynomial(const Presentation& presentation,
                                                     const Representation& representation, int64_t k,
                                                     const PrimeField& field, bool keepTorsion,
                                                     RunControl& control, PolyMatrix& store) {
  // Exponents beyond 32 bits surface as std::bad_alloc, which the runs report as "Out of memory".
  FailureState memory;
  Result<TwistedPolynomial> result = Failure{""};
  if (!RunWithinMemory(memory, [&] {
        result = ReduceFoxMatrix(presentation, representation, k, field, keepTorsion, control, store);
      }))
    return Failure{memory.errorMessage};
  return result;
}

Representation TrivialRepresentation() {
  Representation representation;
  for (GeneratorImage& image : representation.generators) {
    image.matrix.Reset(1);
    image.matrix(1, 1) = 1;
    image.inverseMatrix.Reset(1);
    image.inverseMatrix(1, 1) = 1;
    image.abelianScalar = 1;
  }
  return representation;
}

}  // namespace quarvel
