#pragma once
// The randomised search for one more homomorphism of the simplified group into a finite group.
//
// FindRepresentation draws images for the surviving generators (generatorLetters 1..generatorCount)
// in attempts of up to 100 tries, keeps a try when every relator, tested in the relator order,
// maps to the identity, and rejects a solution that gives all surviving generators the same image
// (a trivial solution). It then extends the images to the eliminated generators through the
// substitution records, last record first, shows the representation on the output panel and
// builds its matrices (representation_matrices.h).
//
// Kinds, by run settings: the trivial pass (degree 1, every try succeeds); permutations
// (RepFamily::permutation): a uniform element of S_k, or of A_k with alternatingOnly, from the element table
// while k <= 8, a random element of S_k beyond; metabelian: Z/2 x Z/l with the Z/2 part fixed by phi_0 mod 2
// (phi = d phi_0, phi_0 primitive); abelian: FindAbelianRepresentation.
//
// When trivial solutions pile up (more than 6 k^2 without a nontrivial one below the degree cap,
// or more than 6 in a metabelian group) the search gives up the group: a metabelian search picks
// another group (raising its bound by one every fourth time, up to 60); the first nontrivial
// permutation search of a knot raises degree k by one, or in list mode clears representationFound
// and returns; for the regular representation (permutationGroupOnly), whose image is found in S_k
// for k <= 7 only, a search that would go beyond degree 7 fails instead, with a message that says
// so. Every other search keeps attempting until stopRequested.
//
// Reads the presentation, the simplification's substitution list and relator order, the run
// settings and the run state (trivialPass, outputPanel). Writes the representation, degree k,
// searchNumber (raised after every successful search), nontrivialCount and representationFound.
// Returns at once when computationFailed is set, and as soon as stopRequested is seen after a try
// (the images are then partly written). Draws only from the workbench's generator.
//
// Status line on panel 1 at y = 7, in columns x0..x3 (permutation 0, 150, 400, 700; metabelian
// 280, 400, 570, 800; abelian 0, 200, 400, 700): the group at x0 + 7 (metabelian and abelian at
// x = 7), "Number of generators in presentation: " at x1 + 7, the attempts at x2 + 7 (shown as
// 100 times the number of attempts, since each attempt is 100 tries).

#include <cstdint>
#include <string>

#include "run/workbench.h"

namespace quarvel {

inline constexpr int kStatusPanel = 1;
inline constexpr int kStatusLineY = 7;
inline constexpr int kTriesPerAttempt = 100;

void FindRepresentation(Workbench& workbench);

// The abelian kind: scalars in the units of F_p (p of workbench.field, whose inverse table must be
// built) for the surviving generators until every relator gives 1 and not every scalar is 1; then
// degree k := 1, the scalars of the eliminated generators, 1 x 1 images and matrices [1], and the
// representation on the output panel. Over F_2 only the trivial solution exists, so the search runs
// until stopRequested.
void FindAbelianRepresentation(Workbench& workbench);

// Whether every relator maps to the identity on points 1..k under the current images, tested in
// the relator order (shortest first) and stopping at the first that does not.
bool RelatorsHold(const Workbench& workbench, int64_t k);

// The number with a comma before each group of three digits from the right, for the thousands and
// the millions: 1234567 gives "1,234,567"; 1234567890 gives "1234,567,890".
std::string WithThousandsCommas(int64_t value);

}  // namespace quarvel
