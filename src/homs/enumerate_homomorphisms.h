#pragma once
// Every homomorphism of the simplified group into the isotopy group (S_k or A_k, tabulated with its
// class representatives), once per class under conjugation by S_k.
//
// The candidates are the assignments of an odometer over the surviving generators in the order of
// generatorLetters: digits 1..n-1 run over the elements 1..N, digit n over the class
// representatives, the last digit fastest. A candidate whose images commute pairwise is passed over
// unless all homomorphisms are asked for; one that satisfies the relators counts in T; one that is not
// conjugate to a homomorphism found before counts in H' and goes to the per-homomorphism step. With
// a single surviving generator its one digit runs over the class representatives.
//
// Instead of visiting all N^(n-1) C candidates, the enumeration takes the first digit in order and,
// for each class representative, finds the relator solutions with a point-by-point search
// (relator_solutions.h); the solutions are then visited in odometer order, which gives the same
// homomorphisms, in the same order, with the same counters. New-up-to-conjugation is decided by a
// canonical form: the least conjugate of the images under the permutations that take the last image
// to the least element of its class in S_k.
//
// Progress: Started first; whenever the first digit moves on, the share of its values done, rounded
// to the nearest integer with ties to even, and H' so far; Finished at the end unless stopped. The
// run control is pumped whenever the first digit moves on, and asked every 65536 search steps.
//
// Ends normally; on a stop request (after the current candidate); or as soon as the step for a new
// homomorphism says not to go on (in a run: when it leaves a failure, such as "Out of memory" when
// the store of homomorphisms is full).

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/run_control.h"
#include "group/word.h"
#include "homs/isotopy_group.h"
#include "homs/relator_solutions.h"

namespace quarvel {

// One element index per generator number 1..52, 0 where unassigned.
using Assignment = std::array<int32_t, kMaxGenerators + 1>;

struct HomomorphismCounts {
  int64_t satisfying = 0;  // T: candidates that satisfy the relators
  int64_t found = 0;       // H': candidates new up to conjugation
};

struct EnumerationOutcome {
  HomomorphismCounts counts;
  bool stopped = false;  // a stop was requested
};

// What the enumeration shows while it runs; callers that show nothing use NoEnumerationProgress.
class EnumerationProgress {
 public:
  virtual ~EnumerationProgress() = default;
  virtual void Started() {}
  virtual void Checked(int64_t /*percent*/, int64_t /*found*/) {}
  virtual void Finished() {}
};

using NoEnumerationProgress = EnumerationProgress;

// The step for each new homomorphism: the surviving generators' images by generator number (0
// elsewhere) and the counters including it. Returns whether to go on.
using HomomorphismStep = std::function<bool(const Assignment& images, const HomomorphismCounts& counts)>;

EnumerationOutcome EnumerateHomomorphisms(const SimplifiedRelators& relators, const IsotopyGroup& group,
                                          bool allHomomorphisms, RunControl& control,
                                          EnumerationProgress& progress, const HomomorphismStep& step);

// `images` with the eliminated generators' elements from the substitution records, last record
// first: the product of the elements along the record's word (element 1 for an empty word).
Assignment ExtendToEliminated(const IsotopyGroup& group, const std::vector<std::string>& substitutionList,
                              Assignment images);

}  // namespace quarvel
