#pragma once
// quarvel-cli merge LIST SHARD...: the shard files of a list run (--shard I/N) into the list. It
// takes the files of every I from 0 to N-1 once, made from the list's present text with the same
// settings, and writes their lines into the list as one run over the whole list writes them: in
// list order, the isotopy mode's "Repeated! " marks and closing section included, in one atomic
// rewrite. A shard that is missing or given twice, made from another list (or from the list before
// it changed), with other settings, or holding a line that is not one of its knots is refused
// with its reason and the list is left untouched. A shard that was stopped before its end (time
// limit, signal) goes in with the knots it finished, and a note on stderr says so: a later run of
// the list computes the rest.

#include <iosfwd>

#include "cli/cli_options.h"

namespace quarvel::cli {

// Returns the exit status: 0, or 1 with the reason on `err`.
int RunMerge(const CliRequest& request, std::ostream& out, std::ostream& err);

}  // namespace quarvel::cli
