#pragma once
// A step of a run that may allocate more than the machine can give: an allocation that fails
// inside it ends the step with "Out of memory" on the polynomial error flag instead of ending the
// process.

#include <new>
#include <stdexcept>

#include "base/failure.h"

namespace quarvel {

// Runs step(); false, with the failure raised, when an allocation inside it failed.
template <typename Step>
bool RunWithinMemory(FailureState& failure, Step&& step) {
  try {
    step();
    return true;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {  // a size no container can hold
  }
  FailPolynomial(failure, "Out of memory");
  return false;
}

}  // namespace quarvel
