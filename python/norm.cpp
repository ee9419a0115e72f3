// The fibration-and-norm evaluation of one representation: bounds on the genus and the Thurston
// norm, and the fibering verdict.
#include <pybind11/stl.h>

#include <functional>
#include <string>

#include "bindings.h"

namespace quarvel::python {
namespace {

template <class T>
T Computed(const std::function<Result<T>(RunControl&)>& compute) {
  InterruptibleControl control;
  Result<T> result = Failure{""};
  {
    py::gil_scoped_release release;
    result = compute(control);
  }
  control.RaiseIfInterrupted();
  return ValueOrThrow(std::move(result));
}

py::object Evaluate(const PyPresentation& input, const std::string& rep, int32_t size, int32_t prime,
                    bool closedManifold) {
  const PyPresentation p = EnsureSimplified(input, IsotopyEffort(input));
  const PrimeField field = FieldOf(prime);
  PolyMatrix store;
  const TwistedPolynomial untwisted = Computed<TwistedPolynomial>([&](RunControl& control) {
    return TwistedAlexanderPolynomial(p.presentation, TrivialRepresentation(), 1, field, true, control,
                                      store);
  });
  const FoundRepresentation found = SearchRepresentation(p, rep, size, field);
  const NormRequest request{RepFamily::permutation, found.k, closedManifold,
                            PolyDegree(untwisted.polynomial)};
  const NormEvaluation evaluation = Computed<NormEvaluation>([&](RunControl& control) {
    return EvaluateNorm(p.presentation, found.representation, field, request, control, store);
  });
  using namespace pybind11::literals;
  const py::object namespaceType = py::module_::import("types").attr("SimpleNamespace");
  return namespaceType(
      "rep"_a = rep, "size"_a = size, "field"_a = prime, "images"_a = found.images,
      "untwisted"_a = FromPolynomial(untwisted.polynomial, prime),
      "polynomial"_a = FromPolynomial(evaluation.twisted.polynomial, prime),
      "degree"_a = evaluation.twistedDegree, "zeroth_degree"_a = evaluation.zerothDegree,
      "second_degree"_a = evaluation.secondDegree, "positive_rank"_a = evaluation.twisted.positiveRank,
      "rank"_a = evaluation.twisted.rankOfTorsionFreePart, "genus_bound"_a = evaluation.bounds.genus,
      "norm_bound"_a = evaluation.bounds.norm, "not_fibered"_a = evaluation.fibering.notFibered);
}

}  // namespace

void RegisterNorm(py::module_& module) {
  module.def("evaluate_norm", &Evaluate, py::arg("presentation"), py::arg("rep") = "sk-v",
             py::arg("size") = 3, py::arg("field") = 13, py::arg("closed_manifold") = false,
             "evaluate_norm(presentation, rep='sk-v', size=3, field=13, closed_manifold=False) -> "
             "types.SimpleNamespace\n\n"
             "One cycle of the fibration-and-norm mode: a random representation of kind `rep` ('sk-v', "
             "'ak-v', 'sk-z', 'ak-z') and size k, its twisted Alexander polynomial over F_p, the degrees "
             "of its zeroth (and, for a closed manifold, second) twisted polynomial, the lower bounds on "
             "the genus of a knot and on the Thurston norm of phi, and whether the degrees show that it "
             "does not fiber (against the untwisted degree). Fields are not compared. Raises "
             "quarvel.Error when no nontrivial representation is found.\n\n"
             "The result's attributes: rep, size, field, images (dict letter -> one-line tuple), untwisted "
             "(Polynomial), polynomial (Polynomial: the twisted one, its torsion polynomial where the rank "
             "is positive), degree, zeroth_degree, second_degree, positive_rank, rank (of the torsion-free "
             "part), genus_bound and norm_bound (floats), not_fibered (bool).");
}

}  // namespace quarvel::python
