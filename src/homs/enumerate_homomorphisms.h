#pragma once
// Every homomorphism of the simplified group into the isotopy group (S_k or A_k, tabulated in
// workbench.isotopyGroup with its class representatives), once per class under conjugation by S_k.
//
// The candidates are the assignments of an odometer over the surviving generators in the order of
// generatorLetters: digits 1..n-1 run over the elements 1..N, digit n over the class
// representatives, the last digit fastest. A candidate whose images commute pairwise is passed over
// unless allHomomorphisms is set; one that satisfies the relators counts in T; one that is not
// conjugate to a homomorphism found before counts in H' and goes to the per-homomorphism step. With
// a single surviving generator its one digit runs over the class representatives.
//
// Instead of visiting all N^(n-1) C candidates, the enumeration takes the first digit in order and,
// for each class representative, finds the relator solutions with a point-by-point search
// (homomorphism_search.h); the solutions are then visited in odometer order, which gives the same
// homomorphisms, in the same order, with the same counters. New-up-to-conjugation is decided by a
// canonical form: the least conjugate of the images under the permutations that take the last image
// to the least element of its class in S_k.
//
// Panels: "Checked 0% of all potential homomorphisms " on panel 1 at (7, 67) first; whenever the
// first digit moves on, the share of its values done, rounded to the nearest integer with ties to
// even, as "Checked NN% of all potential homomorphisms" there, and the count H' on panel 2 at (7, 7);
// "Checked 100% of all potential homomorphisms " at the end unless stopped. The window is pumped
// whenever the first digit moves on.
//
// Ends normally; on stopRequested (after the current candidate); or as soon as the per-homomorphism
// step leaves a failure flag set, e.g. "Out of memory" from StoreHomomorphism beyond 1000.

#include <functional>

#include "group/presentation.h"
#include "homs/homomorphism_state.h"
#include "run/workbench.h"
#include "simplify/simplification.h"

namespace quarvel {

using HomomorphismStep = std::function<void(Workbench&)>;

// Clears the store and the counters, then enumerates; `step` runs for each new homomorphism, with
// the surviving generators' images in workbench.homomorphisms.assignment.
void EnumerateHomomorphisms(Workbench& workbench, const HomomorphismStep& step);

// Whether every relator, in the relator order, maps to the identity under `assignment`.
bool RelatorsHold(const IsotopyGroup& group, const Presentation& presentation,
                  const Simplification& simplification, const Assignment& assignment);

// The eliminated generators' elements from the substitution records, last record first: the
// product of the elements along the record's word (element 1 for an empty word).
void ExtendToEliminated(Workbench& workbench);

// Appends the assignment to the store; beyond 1000 rows it raises the polynomial error flag with
// "Out of memory" instead and returns false.
bool StoreHomomorphism(Workbench& workbench);

}  // namespace quarvel
