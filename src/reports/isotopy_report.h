#pragma once
// The file an isotopy run leaves at its end: "quarvel_results.txt", or "quarvel_latex.tex" when
// `latex` is set, written once, from scratch. It holds the presentation and phi, the untwisted
// Alexander polynomial, the product of the twisted polynomials over all equivalence classes of
// homomorphisms into the run's group G (S_k or A_k, from settings.isotopyGroup) and then every
// class: the images of the generators as permutations (IsotopyGroup::texts of the kept rows of the
// HomomorphismStore) and the class's twisted polynomial (IsotopyState::classTexts).
//
// Reads the product texts that the product panel report set; with no classes they are "1".
// Polynomial texts are cut before a sign from 101 characters on (LaTeX: 71, each piece ended by
// "\\").

#include "run/workbench.h"

namespace quarvel {

void WriteIsotopyReport(Workbench& workbench, bool latex);

}  // namespace quarvel
