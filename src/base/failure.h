#pragma once
// The one failure state of a run: a stage that meets a limit or bad input sets a flag and the one
// message and returns; every later stage does nothing while a flag is set.

#include <string>

namespace quarvel {

struct FailureState {
  bool computationFailed = false;
  bool polynomialErrorFlag = false;         // raised by the polynomial algebra and the enumeration
  bool integerPolynomialErrorFlag = false;  // raised by the rational arithmetic; never stops a run
  std::string errorMessage;
};

inline void Fail(FailureState& failure, std::string message) {
  failure.computationFailed = true;
  failure.errorMessage = std::move(message);
}

inline void FailPolynomial(FailureState& failure, std::string message) {
  failure.polynomialErrorFlag = true;
  failure.errorMessage = std::move(message);
}

// Records on `run` what a step met on a failure state of its own, as if the step had raised it
// there: the flags add up and the step's last message replaces the run's.
inline void RaiseFailures(FailureState& run, const FailureState& raised) {
  run.computationFailed = run.computationFailed || raised.computationFailed;
  run.polynomialErrorFlag = run.polynomialErrorFlag || raised.polynomialErrorFlag;
  run.integerPolynomialErrorFlag = run.integerPolynomialErrorFlag || raised.integerPolynomialErrorFlag;
  if (!raised.errorMessage.empty()) run.errorMessage = raised.errorMessage;
}

inline void ClearFailure(FailureState& failure) {
  failure.computationFailed = false;
  failure.polynomialErrorFlag = false;
  failure.integerPolynomialErrorFlag = false;
  failure.errorMessage.clear();
}

}  // namespace quarvel
