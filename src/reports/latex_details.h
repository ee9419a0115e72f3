#pragma once
// The closing section of the LaTeX report: how the last twisted Alexander polynomial was computed,
// from the simplified presentation over the Fox-calculus matrix to its diagonal form.
//
// PrepareLatexMatrixRows runs before the reduction and keeps the unreduced matrix as LaTeX array
// rows (at most 300); WriteComputationalDetails runs after it, reads the diagonal matrix that the
// reduction left (each entry already divided by its lowest power of t) and ends the document.
// Matrices of more than 6 rows set their entries as subscripts, so that wide matrices still fit;
// the diagonal shows zeros as "\cdot" from 6 rows on and as subscripts from 10 rows on, and an
// entry longer than 30 characters continues on a second line from its first "+" after that.

#include <string>
#include <vector>

#include "reports/report_file.h"
#include "run/workbench.h"

namespace quarvel {

void PrepareLatexMatrixRows(Workbench& workbench);

// The LaTeX lines of the diagonal matrix: a main line per row ended by "\\", and after it a
// continuation line (also ended by "\\") for a row with a long entry.
std::vector<std::string> LatexDiagonalRows(const Workbench& workbench);

void WriteComputationalDetails(const Workbench& workbench, ReportFile& file);

}  // namespace quarvel
