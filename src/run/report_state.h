#pragma once
// What the report writers keep between two calls of one evaluation: the rows of the unreduced
// presentation matrix, taken before the reduction overwrites the matrix store, for the LaTeX
// report's computational details and for the second version of the matrix file.

#include <string>
#include <vector>

namespace quarvel {

struct ReportState {
  std::vector<std::string> latexMatrixRows;  // one LaTeX array row per matrix row (at most 300)
  std::vector<std::string> matrixRowTexts;   // the plain rows of the last matrix-file version
};

}  // namespace quarvel
