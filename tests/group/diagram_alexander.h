#pragma once
// The Alexander polynomial over F_p of a knot or link given as a braid, PD or DT text, by the
// library's own steps: presentation, simplification, the trivial representation's polynomial.

#include <string_view>

#include "alexander/twisted_polynomial.h"
#include "base/random_generator.h"
#include "group/braid.h"
#include "group/input_presentation.h"
#include "simplify/simplify_presentation.h"

namespace quarvel::testing {

inline Result<Polynomial> DiagramAlexander(std::string_view diagram, int32_t prime = 13) {
  Result<Presentation> presentation = BraidPresentation(diagram, false);
  if (!presentation) return Failure{presentation.error()};
  RandomGenerator random;
  NoRunControl control;
  SimplificationProgress quiet;
  Result<Simplified> simplified = SimplifyPresentation(*presentation, 2, random, control, quiet);
  if (!simplified) return Failure{simplified.error()};
  ListSurvivingGenerators(*presentation, simplified->simplification);
  PrimeField field;
  SetCurrentPrime(field, prime);
  PolyMatrix store;
  Result<TwistedPolynomial> alexander =
      TwistedAlexanderPolynomial(*presentation, TrivialRepresentation(), 1, field, true, control, store);
  if (!alexander) return Failure{alexander.error()};
  return alexander->polynomial;
}

// The sum of the crossing signs of a diagram.
inline int Writhe(const ClosedBraid& diagram) {
  int writhe = 0;
  for (int k = 1; k <= diagram.CrossingCount(); ++k) writhe += diagram.crossings[k].positive ? 1 : -1;
  return writhe;
}

}  // namespace quarvel::testing
