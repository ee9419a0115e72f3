#pragma once
// The matrix behind the last twisted Alexander polynomial, for a reader or for GAP.
//
// WriteMatrixFile writes "quarvel_matrix.txt": the run header and the representation (header
// form), the simplification, the Fox-calculus explanation and the matrix store's rows, each entry
// in a column of 12 characters followed by "|". The evaluation calls it twice: before the reduction
// (afterReduction false) for the presentation matrix, whose row texts it keeps, and right after it
// (afterReduction true) to rewrite the file with the kept rows, the diagonal matrix and the closing
// note.
//
// WriteGapFile writes "quarvel_matrix_gap.txt", a GAP program that builds the presentation matrix
// over F_p[t], diagonalises it and multiplies the first (generatorCount - 1) k diagonal entries into
// D, the twisted Alexander polynomial up to a unit; the matrix file's description (up to the
// explanation, before any matrix) follows, each line behind "# ".
//
// Neither touches a file once stopRequested is set; WriteGapFile also writes nothing in the
// trivial pass.

#include "reports/report_file.h"
#include "run/workbench.h"

namespace quarvel {

void WriteMatrixFile(Workbench& workbench, bool afterReduction);

void WriteGapFile(Workbench& workbench);

// The GAP program's row of matrix row i: each entry "Zero(R)" or "One(R)*(" entry ")", the row
// padded to 12 characters per entry, entries separated by ",".
std::string GapMatrixRow(const Workbench& workbench, int32_t row);

}  // namespace quarvel
