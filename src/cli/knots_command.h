#pragma once
// `quarvel-cli knots`: a pick list as the main window shows it, header line first.

#include <ostream>

#include "cli/cli_options.h"

namespace quarvel::cli {

// Knots and examples: each entry's text, two blanks and its braid. Mutants: the entries as they
// read (they hold their braids), separators included. Primes: a knot list of the prime knots up to
// `primesUpTo` crossings, a comment line first, then each knot's name, two blanks and the diagram a
// run takes for it (group/table_knots.h).
void PrintPickList(std::ostream& out, PickList list, int primesUpTo);

}  // namespace quarvel::cli
