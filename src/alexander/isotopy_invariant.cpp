#include "alexander/isotopy_invariant.h"

#include <optional>
#include <utility>

#include "alexander/twisted_polynomial.h"
#include "homs/relator_solutions.h"
#include "poly/poly_matrix.h"

namespace quarvel {
namespace {

// What the enumeration's step works with: one matrix store and one representation for all classes.
struct ClassEvaluation {
  const Presentation& presentation;
  const Simplification& simplification;
  const IsotopyGroup& group;
  const PrimeField& field;
  bool torsion;
  RunControl& control;
  PolyMatrix store;
  Representation representation = TrivialRepresentation();
  IsotopyInvariant invariant;
  std::optional<Failure> failure;

  // Computes the class's polynomial and multiplies it in; false after a failure.
  bool Evaluate(const Assignment& survivingImages) {
    IsotopyClass found{ExtendToEliminated(group, simplification.substitutionList, survivingImages), {}};
    for (int32_t g = 1; g <= kMaxGenerators; ++g) {
      if (!presentation.generatorUsed[g]) continue;
      representation.generators[g].matrix = group.matrices[found.images[g]];
      representation.generators[g].inverseMatrix = group.inverseMatrices[found.images[g]];
    }
    Result<TwistedPolynomial> twisted = TwistedAlexanderPolynomial(presentation, representation, group.degree,
                                                                   field, torsion, control, store);
    if (!twisted) {
      failure = Failure{twisted.error()};
      return false;
    }
    found.polynomial = std::move(twisted->polynomial);
    PolyMultiply(field, invariant.product, found.polynomial, invariant.product);
    invariant.classes.push_back(std::move(found));
    return true;
  }
};

}  // namespace

Result<IsotopyInvariant> ComputeIsotopyInvariant(const Presentation& presentation,
                                                 const Simplification& simplification,
                                                 const IsotopyGroup& group, const PrimeField& field,
                                                 const IsotopyRequest& request, RunControl& control,
                                                 EnumerationProgress& progress) {
  ClassEvaluation evaluation{presentation, simplification,          group, field, request.torsion, control,
                             {},           TrivialRepresentation(), {},    {}};
  Result<TwistedPolynomial> untwisted = TwistedAlexanderPolynomial(
      presentation, evaluation.representation, 1, field, request.torsion, control, evaluation.store);
  if (!untwisted) return Failure{untwisted.error()};
  IsotopyInvariant& invariant = evaluation.invariant;
  // The torsion product concerns the classes: the Alexander polynomial stays 0 where it vanishes.
  if (!untwisted->positiveRank) invariant.alexanderPolynomial = std::move(untwisted->polynomial);
  if (group.degree <= 1) {
    invariant.product = invariant.alexanderPolynomial;
    return std::move(invariant);
  }
  invariant.product = Polynomial{{1}};
  const EnumerationOutcome outcome = EnumerateHomomorphisms(
      SimplifiedRelatorsOf(presentation, simplification), group, request.allHomomorphisms, control, progress,
      [&evaluation](const Assignment& images, const HomomorphismCounts&) {
        return evaluation.Evaluate(images);
      });
  if (evaluation.failure) return *evaluation.failure;
  if (outcome.stopped) return Failure{kStoppedMessage};
  invariant.counts = outcome.counts;
  return std::move(invariant);
}

}  // namespace quarvel
