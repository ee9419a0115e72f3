#pragma once
// The randomised search for one more homomorphism of the simplified group into a finite group.
//
// FindRepresentation draws images for the surviving generators (generatorLetters 1..generatorCount)
// in attempts of up to 100 tries, keeps a try when every relator, tested in the relator order,
// maps to the identity, and rejects a solution that gives all surviving generators the same image
// (a trivial solution). It then extends the images to the eliminated generators through the
// substitution records, last record first. Showing the representation and building its matrices
// (representation_matrices.h) are left to the caller.
//
// Kinds: the trivial pass (degree 1, every try succeeds); permutations: a uniform element of S_k,
// or of A_k with alternatingOnly, from the element table while k <= 8, a random element of S_k
// beyond; metabelian: Z/2 x Z/l with the Z/2 part fixed by phi_0 mod 2 (phi = d phi_0, phi_0
// primitive); abelian: scalars in the units of F_p (the field's inverse table must be built) for
// the surviving generators until every relator gives 1 and not every scalar is 1, then degree
// k := 1, the scalars of the eliminated generators, and 1 x 1 images and matrices [1] for every
// generator. Over F_2 only the trivial solution exists, so an abelian search runs until the run
// is asked to stop. The abelian search pumps the window every 1001 draws instead of every try.
//
// When trivial solutions pile up (more than 6 k^2 without a nontrivial one below the degree cap,
// or more than 6 in a metabelian group) the search gives up the group: a metabelian search picks
// another group (raising its bound by one every fourth time, up to 60); the first nontrivial
// permutation search of a knot raises degree k by one, or in list mode gives up; for the regular
// representation, whose image is found in S_k for k <= 7 only, a search that would go beyond
// degree 7 fails instead, with a message that says so. Every other search keeps attempting until
// the run is asked to stop.
//
// The images are written into the representation in place; a stop seen after a try returns at
// once, the images then partly written. Draws only from the given generator, pumps the window once
// per try, and reports its progress (the group searched, the attempts, each raise of the degree)
// to a SearchProgress.

#include <array>
#include <cstdint>
#include <string>

#include "base/random_generator.h"
#include "base/run_control.h"
#include "base/run_settings.h"
#include "group/presentation.h"
#include "poly/field.h"
#include "reps/representation.h"
#include "simplify/simplification.h"

namespace quarvel {

inline constexpr int kTriesPerAttempt = 100;

enum class SearchKind { trivial, permutation, metabelian, abelian };

// What a search reads besides the group and the representation.
struct SearchRequest {
  SearchKind kind = SearchKind::permutation;
  int64_t degree = 0;  // degree k to search at; 0 stands for 3
  int32_t degreeCap = 0;
  bool alternatingOnly = false;
  bool regularRepresentation = false;  // the image's regular representation is wanted
  bool listMode = false;
  bool firstSearch = false;      // the first nontrivial search of the knot, which may raise k
  bool nontrivialFound = false;  // a nontrivial representation was found at the current degree
  int32_t metabelianBound = 0;   // the largest order l of Z/l to begin with
  std::array<int32_t, kPrimeTableSize + 1> primeTable{};
};

// The group a search draws from, as its progress shows it.
struct SearchedGroup {
  SearchKind kind = SearchKind::permutation;
  int64_t degree = 0;
  bool alternating = false;  // A_k rather than S_k
  int32_t metabelianN = 0;
  int32_t metabelianL = 0;
  int32_t metabelianZ = 0;
};

// What a search tells while it runs; each default does nothing.
class SearchProgress {
 public:
  virtual ~SearchProgress() = default;
  // A group is searched from now on (each metabelian group, or the one group of the other kinds).
  virtual void GroupStarted(const SearchedGroup&) {}
  // Degree k was raised; the group is now the one given.
  virtual void DegreeRaised(const SearchedGroup&) {}
  // Tries so far in this group at this degree, after attempts 1..49 and every tenth attempt.
  virtual void Attempts(int64_t) {}
  // Abelian draws so far, every 1000 draws.
  virtual void AbelianDraws(int64_t) {}
};

enum class SearchEnd {
  found,    // a (nontrivial, outside the trivial pass) representation is in place
  gaveUp,   // no representation this time (list mode, or no metabelian group fits)
  stopped,  // the run was asked to stop
  failed,   // the search cannot succeed; `failure` says why
};

struct SearchResult {
  SearchEnd end = SearchEnd::found;
  int64_t degree = 0;            // degree k after the search
  int64_t trivialSolutions = 0;  // in the last group searched
  std::string failure;
};

// One search of the requested kind in the group of the presentation; `field` is read by the
// abelian kind only.
SearchResult FindRepresentation(const Presentation& presentation, const Simplification& simplification,
                                const PrimeField& field, const SearchRequest& request,
                                Representation& representation, RandomGenerator& random, RunControl& control,
                                SearchProgress& progress);

// Whether every relator maps to the identity on points 1..k under the current images, tested in
// the relator order (shortest first) and stopping at the first that does not.
bool RelatorsHold(const Presentation& presentation, const Simplification& simplification,
                  const Representation& representation, int64_t k);

}  // namespace quarvel
