#pragma once
// The one failure state of a run: a stage that meets a limit or bad input sets the flag and the
// message and returns; every later stage does nothing while the flag is set.

#include <string>

namespace quarvel {

struct FailureState {
  bool computationFailed = false;
  std::string errorMessage;
};

inline void Fail(FailureState& failure, std::string message) {
  failure.computationFailed = true;
  failure.errorMessage = std::move(message);
}

inline void ClearFailure(FailureState& failure) {
  failure.computationFailed = false;
  failure.errorMessage.clear();
}

}  // namespace quarvel
