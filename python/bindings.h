#pragma once
// The pieces of the Python module `quarvel` that its files share: the values it hands to Python,
// the conversion of failures into exceptions, and the run control that lets Ctrl-C stop a call.

#include <pybind11/pybind11.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "quarvel/quarvel.h"

namespace quarvel::python {

namespace py = pybind11;

// A polynomial as Python sees it: coefficients from the lowest exponent up, the lowest exponent,
// and the field (a prime, or 0 for Z).
struct PyPolynomial {
  std::vector<int64_t> coefficients;
  int32_t lowestExponent = 0;
  int32_t field = 0;
};
PyPolynomial FromPolynomial(const Polynomial& polynomial, int32_t prime);

// A presentation with what its simplification left: the form every computation reads.
struct PyPresentation {
  Presentation presentation;
  Simplification simplification;
  bool simplified = false;
};
// The presentation, simplified with `effort` when it is not simplified yet.
PyPresentation EnsureSimplified(const PyPresentation& input, int64_t effort);
// The effort an isotopy run gives the presentation (medium, halved for long braids).
int64_t IsotopyEffort(const PyPresentation& input);

// The exception of the module, carrying the program's own message.
void ThrowError(const std::string& message);
// The value of a result, or the exception with its message. A stop by Ctrl-C raises the pending
// KeyboardInterrupt instead.
template <class T>
T ValueOrThrow(Result<T> result) {
  if (!result) ThrowError(result.error());
  return std::move(*result);
}

// A field F_p ready to use; "Not a prime field: p" for p outside 2..127 or not prime.
PrimeField FieldOf(int32_t prime);

// Lets Python's signal handlers run now and then while a computation holds no GIL: Ctrl-C asks the
// computation to stop, and the interrupt is raised when it returns.
class InterruptibleControl final : public RunControl {
 public:
  void PumpMessages() override { CheckSignals(); }
  void KeepWindowAlive() override { CheckSignals(); }
  bool StopRequested() const override {
    CheckSignals();
    return interrupted_;
  }
  // After the computation, with the GIL held: raises the pending interrupt, if any.
  void RaiseIfInterrupted() const;

 private:
  void CheckSignals() const;
  mutable bool interrupted_ = false;
  mutable uint32_t calls_ = 0;
  mutable std::chrono::steady_clock::time_point lastCheck_ = std::chrono::steady_clock::now();
};

// The registrations, one per file.
void RegisterErrors(py::module_& module);
void RegisterPolynomial(py::module_& module);
void RegisterPresentation(py::module_& module);
void RegisterAlexander(py::module_& module);
void RegisterHomomorphisms(py::module_& module);
void RegisterIsotopy(py::module_& module);
void RegisterNorm(py::module_& module);

}  // namespace quarvel::python

namespace quarvel::python {

// The tabulated S_k or A_k with its conjugacy classes, built once per module and kept;
// "Not an isotopy group: NAME" for a name other than s1, s3, a4, s4, a5, s5, a6, s6, a7, s7.
const IsotopyGroup& TabulatedGroup(const std::string& name);
// The images of the present generators as a dict letter -> one-line notation (a tuple).
py::dict ImagesOf(const Presentation& presentation, const IsotopyGroup& group, const Assignment& images);

// A representation found by a random search of a kind ("sk-v", "ak-v", "sk-z", "ak-z") and size.
struct FoundRepresentation {
  Representation representation;
  int64_t k = 0;  // the size of its matrices: size - 1 on V, size on Z^size
  py::dict images;
};
FoundRepresentation SearchRepresentation(const PyPresentation& presentation, const std::string& kind,
                                         int32_t size, const PrimeField& field);

}  // namespace quarvel::python
