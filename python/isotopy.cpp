// The isotopy invariant of a knot: its classes of homomorphisms into S_k or A_k, their twisted
// polynomials and the product, as quarvel-cli isotopy computes them.
#include <pybind11/stl.h>

#include <string>
#include <variant>
#include <vector>

#include "bindings.h"

namespace quarvel::python {
namespace {

struct PyIsotopyClass {
  py::dict images;
  PyPolynomial polynomial;
};

struct PyIsotopyInvariant {
  std::string group;
  int32_t field = 0;
  bool torsion = false;
  PyPolynomial alexander;
  std::vector<PyIsotopyClass> classes;
  PyPolynomial product;
  int64_t satisfying = 0;
};

PyPresentation InputOf(const std::variant<PyPresentation, std::string>& knot, bool zeroSurgery) {
  if (const auto* presentation = std::get_if<PyPresentation>(&knot)) return *presentation;
  const std::string& name = std::get<std::string>(knot);
  const std::optional<std::string> braid = BuiltInKnotBraid(name);
  if (!braid) ThrowError("No built-in knot is named '" + name + "'");
  return PyPresentation{ValueOrThrow(BraidPresentation(*braid, zeroSurgery)), {}, false};
}

PyIsotopyInvariant Invariant(const std::variant<PyPresentation, std::string>& knot,
                             const std::string& groupName, int32_t prime, bool allHomomorphisms, bool torsion,
                             std::optional<int64_t> effort, bool zeroSurgery) {
  const PyPresentation input = InputOf(knot, zeroSurgery);
  const PyPresentation p = EnsureSimplified(input, effort.value_or(IsotopyEffort(input)));
  const IsotopyGroup& group = TabulatedGroup(groupName);
  const PrimeField field = FieldOf(prime);
  InterruptibleControl control;
  Result<IsotopyInvariant> result = Failure{""};
  {
    py::gil_scoped_release release;
    NoEnumerationProgress quiet;
    result = ComputeIsotopyInvariant(p.presentation, p.simplification, group, field,
                                     {allHomomorphisms, torsion}, control, quiet);
  }
  control.RaiseIfInterrupted();
  const IsotopyInvariant invariant = ValueOrThrow(std::move(result));
  PyIsotopyInvariant converted{groupName,
                               prime,
                               torsion,
                               FromPolynomial(invariant.alexanderPolynomial, prime),
                               {},
                               FromPolynomial(invariant.product, prime),
                               invariant.counts.satisfying};
  for (const IsotopyClass& c : invariant.classes) {
    converted.classes.push_back(
        {ImagesOf(p.presentation, group, c.images), FromPolynomial(c.polynomial, prime)});
  }
  return converted;
}

std::string Describe(const PyIsotopyInvariant& invariant) {
  return "<quarvel.IsotopyInvariant " + invariant.group + " mod " + std::to_string(invariant.field) + ": " +
         std::to_string(invariant.classes.size()) + " classes>";
}

}  // namespace

void RegisterIsotopy(py::module_& module) {
  py::class_<PyIsotopyClass>(module, "IsotopyClass",
                             "One class of homomorphisms up to conjugation and its twisted polynomial.")
      .def_readonly("images", &PyIsotopyClass::images,
                    "dict: generator letter -> image in one-line notation (a tuple)")
      .def_readonly("polynomial", &PyIsotopyClass::polynomial, "Polynomial: the class's twisted polynomial")
      .def("__repr__", [](const PyIsotopyClass& c) {
        return "<quarvel.IsotopyClass " + std::string(py::repr(c.images)) + ">";
      });
  py::class_<PyIsotopyInvariant>(module, "IsotopyInvariant",
                                 "The isotopy invariant of a knot for one group and field.\n\n"
                                 "Two knots whose class counts or products differ are not isotopic; "
                                 "`key` is what quarvel-cli compares in a knot list.")
      .def_readonly("group", &PyIsotopyInvariant::group, "str: the group, e.g. 's5'")
      .def_readonly("field", &PyIsotopyInvariant::field, "int: the prime p")
      .def_readonly("torsion", &PyIsotopyInvariant::torsion, "bool: torsion polynomials were taken")
      .def_readonly("alexander", &PyIsotopyInvariant::alexander,
                    "Polynomial: the Alexander polynomial over F_p")
      .def_readonly("classes", &PyIsotopyInvariant::classes, "list of IsotopyClass, in the order of the run")
      .def_readonly("product", &PyIsotopyInvariant::product,
                    "Polynomial: the product of the classes' polynomials (the Alexander polynomial for 's1')")
      .def_readonly("satisfying", &PyIsotopyInvariant::satisfying,
                    "int: candidates that satisfied the relators during the enumeration")
      .def_property_readonly(
          "class_count", [](const PyIsotopyInvariant& i) { return i.classes.size(); },
          "int: the number of classes")
      .def_property_readonly(
          "key",
          [](const PyIsotopyInvariant& i) {
            return py::make_tuple(i.classes.size(), py::tuple(py::cast(i.product.coefficients)));
          },
          "(class_count, product coefficients): equal for knots the invariant does not tell apart")
      .def("__repr__", &Describe);

  module.def("isotopy_invariant", &Invariant, py::arg("knot"), py::arg("group") = "s5", py::arg("field") = 13,
             py::arg("all_homomorphisms") = false, py::arg("torsion") = false, py::arg("effort") = py::none(),
             py::arg("zero_surgery") = false,
             "isotopy_invariant(knot, group='s5', field=13, all_homomorphisms=False, torsion=False, "
             "effort=None, zero_surgery=False) -> IsotopyInvariant\n\n"
             "What `quarvel-cli isotopy --knot K --group G --field P` computes: the Alexander polynomial "
             "over F_p, every homomorphism into G ('s1', 's3', 'a4', 's4', 'a5', 's5', 'a6', 's6', 'a7', "
             "'s7') up to conjugation by S_k (only the non-abelian ones unless all_homomorphisms), the "
             "twisted Alexander polynomial of each on Z^k, and their product. `knot` is a Presentation "
             "or the name of a table knot. An unsimplified presentation is simplified with `effort` "
             "(None: the isotopy mode's medium effort). With torsion, classes of positive rank give "
             "their torsion polynomial instead of 0 (--torsion). Ctrl-C interrupts it.");
}

}  // namespace quarvel::python
