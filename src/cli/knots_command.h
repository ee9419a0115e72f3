#pragma once
// `quarvel-cli knots`: a pick list as the main window shows it, header line first.

#include <ostream>

#include "cli/cli_options.h"

namespace quarvel::cli {

// Knots and examples: each entry's text, two blanks and its braid. Mutants: the entries as they
// read (they hold their braids), separators included.
void PrintPickList(std::ostream& out, PickList list);

}  // namespace quarvel::cli
