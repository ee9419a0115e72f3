// quarvel.Polynomial: a Laurent polynomial over F_p or Z as plain Python values.
#include <pybind11/operators.h>
#include <pybind11/stl.h>

#include <string>

#include "bindings.h"

namespace quarvel::python {
namespace {

// "1-3t+t^2": terms from the lowest exponent up, the coefficient left out when it is 1 before a
// power of t; " mod p" over F_p.
std::string PolynomialText(const PyPolynomial& f) {
  std::string text;
  for (size_t i = 0; i < f.coefficients.size(); ++i) {
    const int64_t c = f.coefficients[i];
    if (c == 0) continue;
    const int64_t e = f.lowestExponent + static_cast<int64_t>(i);
    if (c < 0) {
      text += "-";
    } else if (!text.empty()) {
      text += "+";
    }
    const int64_t magnitude = c < 0 ? -c : c;
    if (magnitude != 1 || e == 0) text += std::to_string(magnitude);
    if (e != 0) text += e == 1 ? "t" : "t^" + std::to_string(e);
  }
  if (text.empty()) text = "0";
  return f.field == 0 ? text : text + " mod " + std::to_string(f.field);
}

int64_t Degree(const PyPolynomial& f) {
  return f.coefficients.empty() ? -1 : f.lowestExponent + static_cast<int64_t>(f.coefficients.size()) - 1;
}

}  // namespace

PyPolynomial FromPolynomial(const Polynomial& polynomial, int32_t prime) {
  PyPolynomial f;
  f.coefficients.assign(polynomial.coefficients.begin(), polynomial.coefficients.end());
  f.field = prime;
  return f;
}

void RegisterPolynomial(py::module_& module) {
  py::class_<PyPolynomial>(module, "Polynomial",
                           "A Laurent polynomial in t over F_p or Z.\n\n"
                           "coefficients: list of int, from the lowest exponent up (empty for 0)\n"
                           "lowest_exponent: the exponent of coefficients[0]\n"
                           "field: the prime p, or 0 for a polynomial over Z\n\n"
                           "Twisted Alexander polynomials are defined up to a unit; the program gives them "
                           "with lowest term t^0 and constant term 1, so two of them are equal exactly when "
                           "their coefficients are.")
      .def(py::init([](std::vector<int64_t> coefficients, int32_t lowestExponent, int32_t field) {
             while (!coefficients.empty() && coefficients.back() == 0) coefficients.pop_back();
             return PyPolynomial{std::move(coefficients), lowestExponent, field};
           }),
           py::arg("coefficients"), py::arg("lowest_exponent") = 0, py::arg("field") = 0,
           "Polynomial(coefficients, lowest_exponent=0, field=0); trailing zero coefficients are dropped.")
      .def_readonly("coefficients", &PyPolynomial::coefficients, "Coefficients from the lowest exponent up.")
      .def_readonly("lowest_exponent", &PyPolynomial::lowestExponent,
                    "The exponent of the first coefficient.")
      .def_readonly("field", &PyPolynomial::field, "The prime p of F_p, or 0 for Z.")
      .def_property_readonly("degree", &Degree, "The highest exponent; -1 for the zero polynomial.")
      .def_property_readonly(
          "is_zero", [](const PyPolynomial& f) { return f.coefficients.empty(); }, "Whether it is 0.")
      .def("__str__", &PolynomialText)
      .def("__repr__", [](const PyPolynomial& f) { return "<quarvel.Polynomial " + PolynomialText(f) + ">"; })
      .def(
          "__eq__",
          [](const PyPolynomial& f, const PyPolynomial& g) {
            return f.coefficients == g.coefficients && f.field == g.field &&
                   (f.coefficients.empty() || f.lowestExponent == g.lowestExponent);
          },
          py::is_operator())
      .def("__hash__", [](const PyPolynomial& f) {
        return py::hash(py::make_tuple(py::tuple(py::cast(f.coefficients)), f.lowestExponent, f.field));
      });
}

}  // namespace quarvel::python
