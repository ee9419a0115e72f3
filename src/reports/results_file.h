#pragma once
// The running report of a fibration-and-norm run: "quarvel_results.txt" (saveMode 0) or the LaTeX
// document "quarvel_latex.tex" (saveMode 1), rewritten after every evaluated representation.
//
// The file holds, in order: the run header, the last representation computed, the representation
// that showed that the manifold does not fiber, and the one that gave the best bound (the LaTeX
// report then closes with the computational details of the last representation). An evaluation
// that neither shows non-fibering nor improves the bound copies the earlier block of that kind
// from the previous version of the file, as it stood; the file on disk is the only carrier of
// those blocks. The first write of a run (run.firstWrite, set by the driver) reads nothing back
// and clears the flag.

#include <string>
#include <vector>

#include "reports/report_file.h"
#include "run/workbench.h"

namespace quarvel {

void WriteResults(Workbench& workbench);

// The previous version's lines up to and including the first "%" line, or all of them. An empty
// line is kept like any other: a relator may print as one.
std::vector<std::string> ReadKeptLines(const std::string& name);

// Copies each block of `kept` that has a line containing `searchText`: from the line before that
// line (the block separator) up to the next block separator ("=", or "%=" in the LaTeX report),
// the end of the lines or, in the LaTeX report, the closing "%" line.
void CopyKeptBlocks(const std::vector<std::string>& kept, const std::string& searchText, bool latex,
                    ReportFile& file);

}  // namespace quarvel
