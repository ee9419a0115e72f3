// The fibration-and-norm evaluation of one representation: bounds on the genus and the Thurston
// norm, and the fibering verdict.
#include <pybind11/stl.h>

#include <functional>
#include <string>

#include "bindings.h"

namespace quarvel::python {
namespace {

struct PyNormEvaluation {
  std::string rep;
  int32_t size = 0;
  int32_t field = 0;
  py::dict images;
  PyPolynomial untwisted;
  PyPolynomial polynomial;
  int32_t degree = 0;
  int32_t zerothDegree = 0;
  int32_t secondDegree = 0;
  bool positiveRank = false;
  int32_t rank = 0;
  double genusBound = 0;
  double normBound = 0;
  bool notFibered = false;
};

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

PyNormEvaluation Evaluate(const PyPresentation& input, const std::string& rep, int32_t size, int32_t prime,
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
  return PyNormEvaluation{rep,
                          size,
                          prime,
                          found.images,
                          FromPolynomial(untwisted.polynomial, prime),
                          FromPolynomial(evaluation.twisted.polynomial, prime),
                          evaluation.twistedDegree,
                          evaluation.zerothDegree,
                          evaluation.secondDegree,
                          evaluation.twisted.positiveRank,
                          evaluation.twisted.rankOfTorsionFreePart,
                          evaluation.bounds.genus,
                          evaluation.bounds.norm,
                          evaluation.fibering.notFibered};
}

}  // namespace

void RegisterNorm(py::module_& module) {
  py::class_<PyNormEvaluation>(module, "NormEvaluation",
                               "One representation evaluated as the fibration-and-norm mode does.")
      .def_readonly("rep", &PyNormEvaluation::rep, "str: the representation kind")
      .def_readonly("size", &PyNormEvaluation::size, "int: k of S_k or A_k")
      .def_readonly("field", &PyNormEvaluation::field, "int: the prime p")
      .def_readonly("images", &PyNormEvaluation::images, "dict: generator letter -> permutation (one-line)")
      .def_readonly("untwisted", &PyNormEvaluation::untwisted,
                    "Polynomial: the Alexander polynomial over F_p")
      .def_readonly(
          "polynomial", &PyNormEvaluation::polynomial,
          "Polynomial: the twisted Alexander polynomial (the torsion polynomial where the rank is positive)")
      .def_readonly("degree", &PyNormEvaluation::degree, "int: its degree")
      .def_readonly("zeroth_degree", &PyNormEvaluation::zerothDegree,
                    "int: degree of the zeroth twisted polynomial")
      .def_readonly("second_degree", &PyNormEvaluation::secondDegree,
                    "int: degree of the second twisted polynomial (closed manifolds only, else 0)")
      .def_readonly("positive_rank", &PyNormEvaluation::positiveRank,
                    "bool: the twisted module has positive rank")
      .def_readonly("rank", &PyNormEvaluation::rank, "int: rank of the torsion-free part")
      .def_readonly("genus_bound", &PyNormEvaluation::genusBound, "float: lower bound on the genus of a knot")
      .def_readonly("norm_bound", &PyNormEvaluation::normBound,
                    "float: lower bound on the Thurston norm of phi")
      .def_readonly("not_fibered", &PyNormEvaluation::notFibered,
                    "bool: the degrees show that it does not fiber")
      .def("__repr__", [](const PyNormEvaluation& e) {
        return "<quarvel.NormEvaluation " + e.rep + " " + std::to_string(e.size) + " mod " +
               std::to_string(e.field) + ": degree " + std::to_string(e.degree) +
               ", genus >= " + TwoDecimals(e.genusBound) + (e.notFibered ? ", not fibered>" : ">");
      });

  module.def(
      "evaluate_norm", &Evaluate, py::arg("presentation"), py::arg("rep") = "sk-v", py::arg("size") = 3,
      py::arg("field") = 13, py::arg("closed_manifold") = false,
      "evaluate_norm(presentation, rep='sk-v', size=3, field=13, closed_manifold=False) -> NormEvaluation\n\n"
      "One cycle of the fibration-and-norm mode: a random representation of kind `rep` ('sk-v', "
      "'ak-v', 'sk-z', 'ak-z') and size k, its twisted Alexander polynomial over F_p, the degrees "
      "of its zeroth (and, for a closed manifold, second) twisted polynomial, the lower bounds on "
      "the genus of a knot and on the Thurston norm of phi, and whether the degrees show that it "
      "does not fiber (against the untwisted degree). Fields are not compared. Raises "
      "quarvel.Error when no nontrivial representation is found.");
}

}  // namespace quarvel::python
