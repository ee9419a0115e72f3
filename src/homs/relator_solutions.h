#pragma once
// All assignments of elements of the isotopy group to the surviving generators, the last one
// given, under which every relator maps to the identity.
//
// The generators are assigned one at a time, the last one first and then always the one that
// completes the most relators; a relator is tested as soon as all its letters are assigned, and a
// failing test discards every assignment that extends the partial one. Generators that the
// relators make conjugate (a relator x^-1 w y w^-1, read cyclically) have conjugate images, so once
// one of them is assigned the others run over its conjugacy class in the group only. Both cuts
// follow from the relators: the solutions are exactly those of the plain odometer.
//
// Conjugating a solution by an element of the group that commutes with the last image gives a
// solution again. So with three generators or more, the first generator after the last one runs
// over one element of each orbit of that centraliser only, and the solutions found for it are
// carried over to the rest of its orbit by conjugation: each solution still comes exactly once.

#include <cstdint>
#include <functional>
#include <vector>

#include "group/presentation.h"
#include "group/word.h"
#include "homs/isotopy_group.h"
#include "simplify/simplification.h"

namespace quarvel {

// The simplified group as the search reads it: its relators in the relator order, the surviving
// generator number at each position 1..n (slot 0 unused), and the relators it was simplified from,
// whose conjugating relators tell which generators have conjugate images.
struct SimplifiedRelators {
  std::vector<Word> relators;
  std::vector<int32_t> generatorLetters;
  std::vector<Word> inputRelators;

  int32_t GeneratorCount() const { return static_cast<int32_t>(generatorLetters.size()) - 1; }
};

// Reads them off a simplified presentation and its relator order.
SimplifiedRelators SimplifiedRelatorsOf(const Presentation& presentation,
                                        const Simplification& simplification);

class RelatorSolutions {
 public:
  // `group` must be tabulated with its conjugacy classes; both must outlive the search.
  RelatorSolutions(const SimplifiedRelators& relators, const IsotopyGroup& group);

  // Visits each solution whose last image is `lastElement`: elements by position 1..n (slot 0
  // unused), in no particular order. Every 65536 steps `keepGoing` is asked whether to go on; false
  // abandons the search. Returns whether the search went through.
  bool FindAll(int32_t lastElement, const std::function<void(const std::vector<int32_t>&)>& visit,
               const std::function<bool()>& keepGoing);

 private:
  struct Letter {
    int32_t position;
    bool inverse;
  };

  void PlanOrder();
  void FindConjugateGenerators(const SimplifiedRelators& relators);
  const std::vector<int32_t>& ConjugacyClassOf(int32_t element) const;
  bool RelatorHolds(const std::vector<Letter>& relator) const;
  bool RelatorsHoldAt(size_t depth) const;
  std::vector<int32_t> Candidates(int32_t position);
  void Assign(size_t depth);
  void AssignUpToCentraliser();

  const IsotopyGroup& group_;
  int32_t n_;
  std::vector<std::vector<Letter>> relators_;
  std::vector<int32_t> order_;                 // positions in the order they are assigned
  std::vector<std::vector<size_t>> testedAt_;  // relators completed at each depth
  std::vector<int32_t> partner_;               // by position: an earlier conjugate position, or 0
  std::vector<int32_t> elements_;              // the current assignment by position
  const std::function<void(const std::vector<int32_t>&)>* visit_ = nullptr;
  const std::function<bool()>* keepGoing_ = nullptr;
  uint64_t steps_ = 0;
  bool abandoned_ = false;
};

}  // namespace quarvel
