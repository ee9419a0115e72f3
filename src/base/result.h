#pragma once
// A computed value or the message of the failure that prevented it. Algorithms return failures
// as values; the drivers decide what a failure means for the run (usually an "ERROR:" line).

#include <string>
#include <utility>
#include <variant>

namespace quarvel {

struct Failure {
  std::string message;
};

template <class T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}            // NOLINT(google-explicit-constructor)
  Result(Failure failure) : state_(std::move(failure)) {}  // NOLINT(google-explicit-constructor)

  bool ok() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return ok(); }

  // Only when ok().
  T& value() { return std::get<T>(state_); }
  const T& value() const { return std::get<T>(state_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // Only when !ok().
  const std::string& error() const { return std::get<Failure>(state_).message; }

 private:
  std::variant<T, Failure> state_;
};

}  // namespace quarvel
