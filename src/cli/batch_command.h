#pragma once
// A list run of quarvel-cli in worker processes (--jobs N) or as one shard of a list (--shard I/N).
//
// A shard owns the knots at places I, I + N, I + 2N, ... (counted from 0) among the list's knot
// lines, comments and other lines not counted: neighbours in a list, often alike in size, go to
// different shards. It computes them as a run over the whole list would and writes their lines to
// its shard file (cli/shard_file.h); the list stays as it is, until the merge (cli/merge_command.h)
// writes the lines of all shards into it.

#include "cli/cli_options.h"
#include "run/workbench.h"

namespace quarvel::cli {

// The list run of the request in worker processes or as a shard; true when it failed (the error is
// on panel 1).
bool RunBatchList(Workbench& workbench, const CliRequest& request);

}  // namespace quarvel::cli
