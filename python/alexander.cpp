// The Alexander polynomial over F_p and over Z.
#include <pybind11/stl.h>

#include "bindings.h"

namespace quarvel::python {

void RegisterAlexander(py::module_& module) {
  module.def(
      "alexander_polynomial",
      [](const PyPresentation& input, int32_t prime, bool torsion) {
        const PyPresentation p = EnsureSimplified(input, IsotopyEffort(input));
        const PrimeField field = FieldOf(prime);
        InterruptibleControl control;
        Result<TwistedPolynomial> result = Failure{""};
        {
          py::gil_scoped_release release;
          PolyMatrix store;
          result = TwistedAlexanderPolynomial(p.presentation, TrivialRepresentation(), 1, field, torsion,
                                              control, store);
        }
        control.RaiseIfInterrupted();
        return FromPolynomial(ValueOrThrow(std::move(result)).polynomial, prime);
      },
      py::arg("presentation"), py::arg("field") = 13, py::arg("torsion") = false,
      "alexander_polynomial(presentation, field=13, torsion=False) -> Polynomial\n\n"
      "The Alexander polynomial over F_p (field p among the primes up to 127), lowest term t^0 and "
      "constant term 1. It is 0 where the Alexander module has positive rank (a split link), unless "
      "torsion asks for the torsion polynomial.");
  module.def(
      "alexander_polynomial_over_z",
      [](const PyPresentation& input) {
        const PyPresentation p = EnsureSimplified(input, IsotopyEffort(input));
        PyPolynomial f;
        f.coefficients = ValueOrThrow(AlexanderPolynomialOverZ(p.presentation, 13));
        while (!f.coefficients.empty() && f.coefficients.back() == 0) f.coefficients.pop_back();
        return f;
      },
      py::arg("presentation"),
      "alexander_polynomial_over_z(presentation) -> Polynomial\n\n"
      "The Alexander polynomial over Z (field 0), lowest term t^0, up to sign: the determinant of "
      "the Fox matrix without the last generator's row, as the results report writes it. Needs a "
      "simplified presentation of n generators and n - 1 relators with n at most 7; raises "
      "quarvel.Error otherwise.");
}

}  // namespace quarvel::python
