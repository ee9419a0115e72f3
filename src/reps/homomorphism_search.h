#pragma once
// All tuples of permutations of 1..k, one per generator position 1..n of a presentation, that make
// every relator the identity, with some positions fixed in advance.
//
// The search defines the images of the free positions point by point and propagates every
// definition through the relators: each relator is a closed path at every point, so a path through
// a new edge that is defined but for one step forces that step, and a path defined throughout must
// come back to its start. A permutation with k - 1 points defined gets its last point at once.
// Dead ends are therefore found after few definitions, and the work grows with the number of
// solutions rather than with (k!)^(free positions).

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "group/presentation.h"
#include "reps/homomorphism_state.h"

namespace quarvel {

// Images by generator position 1..n.
using PositionImages = std::array<SmallPermutation, kMaxGenerators + 1>;

class HomomorphismSearch {
 public:
  // Relators 1..relatorCount of `presentation`, positions by its generatorLetters.
  HomomorphismSearch(const Presentation& presentation, int32_t k);

  // Visits every solution in which the positions of `fixed` hold the given permutations; the other
  // positions run over all of S_k. The visitor sees the images of all positions 1..n.
  void FindAll(const std::vector<std::pair<int32_t, SmallPermutation>>& fixed,
               const std::function<void(const PositionImages&)>& visit);

 private:
  struct Step {
    int32_t position;
    bool inverse;  // the letter's sign is "-"
  };
  struct Occurrence {
    int32_t relator;
    int32_t step;
  };

  bool Define(int32_t position, int32_t from, int32_t to);
  bool ForceLastPoint(int32_t position);
  bool Propagate();
  bool Scan(int32_t relator, int32_t start, int32_t point);
  int32_t Apply(const Step& step, int32_t point) const;
  int32_t ApplyInverse(const Step& step, int32_t point) const;
  void Undo(size_t trailSize);
  void Solve(const std::function<void(const PositionImages&)>& visit);

  int32_t k_;
  int32_t n_;
  std::vector<std::vector<Step>> relators_;  // steps in the order they act on a point
  std::array<std::vector<Occurrence>, kMaxGenerators + 1> occurrences_;
  PositionImages image_{};
  PositionImages preimage_{};
  std::array<int32_t, kMaxGenerators + 1> defined_{};
  std::vector<std::pair<int32_t, int32_t>> trail_;  // (position, point) in order of definition
  size_t queueHead_ = 0;                             // edges of trail_ not yet propagated
};

}  // namespace quarvel
