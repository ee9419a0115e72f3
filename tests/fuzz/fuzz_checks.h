#pragma once
// What every fuzz target asserts after a reader has run: a failure carries one of the messages its
// stage may give, and a presentation that got through is inside the data model in plain form. A
// broken promise aborts, which the fuzzer reports like any crash.

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "run/workbench.h"

namespace quarvel::fuzz {

inline void Require(bool condition, const char* promise) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

inline void RequireMessageAmong(const FailureState& failure,
                                std::initializer_list<std::string_view> messages) {
  if (!failure.computationFailed) return;
  for (std::string_view message : messages) {
    if (failure.errorMessage == message) return;
  }
  std::fprintf(stderr, "unexpected message: \"%s\"\n", failure.errorMessage.c_str());
  std::abort();
}

// As RequireMessageAmong, where the text may also be a PD or DT code: a code that is no diagram gets
// a message naming its first bad crossing or entry.
inline void RequireDiagramMessageAmong(const FailureState& failure,
                                       std::initializer_list<std::string_view> messages) {
  for (std::string_view start : {"Not a valid PD code", "Not a valid DT code",
                                 "The DT code is not realisable", "DT codes of more than "}) {
    if (failure.errorMessage.starts_with(start)) return;
  }
  RequireMessageAmong(failure, messages);
}

// Counts within 52, every relator a sequence of a sign and a generator byte 0x61..0x94.
inline void RequirePlainPresentation(const Presentation& p) {
  Require(p.relatorCount >= 0 && p.relatorCount <= kMaxRelators, "relator count within 52");
  Require(p.generatorCount >= 0 && p.generatorCount <= kMaxGenerators, "generator count within 52");
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    const Word& w = p.relators[r];
    Require(w.size() % 2 == 0, "relators are made of pairs");
    for (size_t i = 0; i < w.size(); i += 2) {
      Require(w[i] == '+' || w[i] == '-', "every pair begins with a sign");
      int g = static_cast<unsigned char>(w[i + 1]) - kGeneratorByteBase;
      Require(g >= 1 && g <= kMaxGenerators, "every pair names a generator 1..52");
    }
  }
}

}  // namespace quarvel::fuzz
