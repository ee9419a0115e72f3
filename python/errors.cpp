// quarvel.Error and the run control that checks for Ctrl-C.
#include <stdexcept>
#include <string>

#include "bindings.h"

namespace quarvel::python {
namespace {

// What a failed computation throws; pybind11 turns it into quarvel.Error.
class QuarvelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Signals are looked at once every so many calls of the run control, and then at most every
// 50 ms: taking the GIL on every matrix step would cost more than the step.
constexpr uint32_t kCallsPerClockLook = 256;
constexpr auto kSignalInterval = std::chrono::milliseconds(50);

bool IsPrime(int32_t n) {
  if (n < 2) return false;
  for (int32_t d = 2; d * d <= n; ++d) {
    if (n % d == 0) return false;
  }
  return true;
}

}  // namespace

void ThrowError(const std::string& message) {
  throw QuarvelError(message);
}

PrimeField FieldOf(int32_t prime) {
  if (prime > kMaxFieldPrime || !IsPrime(prime)) ThrowError("Not a prime field: " + std::to_string(prime));
  PrimeField field;
  SetCurrentPrime(field, prime);
  return field;
}

void InterruptibleControl::CheckSignals() const {
  if (interrupted_ || ++calls_ % kCallsPerClockLook != 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastCheck_ < kSignalInterval) return;
  lastCheck_ = now;
  py::gil_scoped_acquire gil;
  // The interrupt stays pending in the thread state until RaiseIfInterrupted throws it.
  if (PyErr_CheckSignals() != 0) interrupted_ = true;
}

void InterruptibleControl::RaiseIfInterrupted() const {
  if (interrupted_) throw py::error_already_set();
}

void RegisterErrors(py::module_& module) {
  py::register_exception<QuarvelError>(module, "Error", PyExc_ValueError);
  module.attr("Error").attr("__doc__") =
      "A computation failed or its input cannot be used. The message is the program's own, the "
      "text quarvel-cli shows after 'ERROR:' (for example 'Not a valid braid description'). "
      "A subclass of ValueError.";
}

}  // namespace quarvel::python
