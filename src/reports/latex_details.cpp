#include "reports/latex_details.h"

#include <algorithm>

#include "reports/report_text.h"

namespace quarvel {
namespace {

constexpr int64_t kSubscriptMatrixFrom = 7;     // rows from which the presentation matrix is set small
constexpr int64_t kDottedZerosFrom = 6;         // rows from which a zero on the diagonal is "\cdot"
constexpr int64_t kSubscriptDiagonalFrom = 10;  // rows from which the diagonal is set small
constexpr size_t kLongEntry = 30;               // an entry longer than this continues after a "+"
constexpr size_t kLongestTail = 2000;

const char* const kMatrixArray =
    "\\begin{array}{lllllllllllllllllllllllllllllllllllllllllllllllllllllllllllllllllll}";

std::string Subscript(const std::string& text) {
  return "_{" + text + "}";
}

void WriteMatrix(ReportFile& file, const std::vector<std::string>& rows) {
  file.Line("\\[ \\left(");
  file.Line(kMatrixArray);
  for (const std::string& row : rows) file.Line(row);
  file.Line("\\end{array}");
  file.Line("\\right) \\]");
}

}  // namespace

void PrepareLatexMatrixRows(Workbench& wb) {
  const MatrixSize size = PresentationMatrixSize(wb.presentation, wb.current.degreeK);
  const bool small = size.rows >= kSubscriptMatrixFrom;
  std::vector<std::string>& rows = wb.reports.latexMatrixRows;
  rows.clear();
  for (int32_t i = 1; i <= size.rows; ++i) {
    std::string row;
    for (int32_t j = 1; j <= size.columns; ++j) {
      std::string entry = MatrixEntryText(wb.matrix, i, j, false, true);
      if (small) entry = Subscript(Subscript(Subscript(entry))) + "\\hspace{-0.3cm}";
      if (j > 1) row += "&";
      row += entry;
    }
    rows.push_back(row + "\\\\");
  }
}

std::vector<std::string> LatexDiagonalRows(const Workbench& wb) {
  const MatrixSize size = PresentationMatrixSize(wb.presentation, wb.current.degreeK);
  const bool small = size.rows >= kSubscriptDiagonalFrom;
  std::vector<std::string> lines;
  for (int32_t i = 1; i <= size.rows; ++i) {
    std::string main;
    std::string continuation;
    bool continued = false;
    for (int32_t j = 1; j <= size.columns; ++j) {
      std::string entry = MatrixEntryText(wb.matrix, i, j, false, true);
      std::string tail;
      if (entry == " 0" && size.rows >= kDottedZerosFrom) entry = "\\cdot";
      size_t plus = entry.size() > kLongEntry ? entry.find('+', kLongEntry) : std::string::npos;
      if (plus != std::string::npos) {
        tail = entry.substr(plus, kLongestTail);
        entry.erase(plus);
        continued = true;
      }
      if (small) {
        entry = Subscript(entry);
        tail = Subscript(tail);
      }
      main += entry;
      continuation += tail;
      if (small) {
        main += "\\hspace{-0.2cm}";
        continuation += "\\hspace{-0.2cm}";
      }
      if (j < size.columns) {
        main += "&";
        continuation += "&";
      }
    }
    lines.push_back(main + "\\\\");
    if (continued) lines.push_back(continuation + "\\\\");
  }
  return lines;
}

void WriteComputationalDetails(const Workbench& wb, ReportFile& file) {
  const Presentation& p = wb.presentation;
  const std::string prime = std::to_string(wb.field.currentPrime);
  const std::string k = std::to_string(wb.current.degreeK);
  const std::string module = "\\Bbb{F}_{" + prime + "}^" + k + "[t^{\\pm 1}]";
  file.Line("%");
  file.Line("%" + std::string(49, '='));
  file.Line("\\\\ \\\\ {\\bf{Computational details for the last representation:}} \\\\");
  file.Line(
      "In order to make the presentation matrix smaller the program simplified the fundamental group as "
      "follows.");
  file.Line("The program substituted");
  file.Line("\\[ \\begin{array}{rcl}");
  for (const std::string& record : wb.simplification.substitutionList)
    file.Line(WordToText(record, true) + "\\\\");
  file.Line("\\end{array} \\]");
  file.Line("So the remaining generators are: $" + RemainingGeneratorLetters(p, ",") + "$");
  file.Line("and the relations become");
  file.Line("\\[ \\begin{array}{l}");
  for (int64_t r = 1; r <= p.relatorCount && r <= kMaxRelators; ++r)
    file.Line(WordToText(p.relators[r], true) + "\\\\");
  file.Line("\\end{array} \\]");
  file.Line("The representation matrix for $H_1(M,pt," + module + ")$ is given by");
  file.Line("$\\alpha \\otimes \\phi$ applied to the matrix $(a_ij) = \\overline{\\partial_i(r_j)}$");
  file.Line(
      "where $r_j$ denotes the $j$--th relator and $\\partial_i$ denotes Fox derivative with respect to the "
      "$i$--th generator.");
  file.Line("The Fox derivative is defined by the rules");
  file.Line("\\[ \\begin{array}{rcl}");
  file.Line(
      "\\partial_i(r_j) &=& 1, \\mbox{ if } i=j \\mbox{ and } \\partial_i(r_j)= 0, \\mbox{if }i \\ne j \\\\");
  file.Line("\\partial_i(uv)  &= &\\partial_i(u) + u \\partial_i(v)");
  file.Line("\\end{array} \\]");
  file.Line(
      "and the $r\\mapsto \\overline{r}$ denotes the involution given by $g\\mapsto g^{-1}$ for $g\\in "
      "\\pi_1(M)$.");
  file.Line("This is the correct way to determine the presentation matrix since we view");
  file.Line("$C_*(M)$ as a \\emph{right}  $\\Bbb{F}[\\pi_1(M)]$--module (cf. Velliot 2005).");
  file.Line(" ");
  file.Line("We get the following presentation matrix:");
  WriteMatrix(file, wb.reports.latexMatrixRows);
  file.Line("Using the fact that $\\Bbb{F}_{" + prime +
            "}[t^{\\pm 1}]$ is a principal ideal domain we can simplify this to");
  file.Line("the following \"diagonal\" matrix:");
  WriteMatrix(file, LatexDiagonalRows(wb));
  file.Line("Note that $H_1(M," + module + ")=H_1(M,pt," + module + ") + " + module + "$");
  file.Line("in particular erasing the last " + k +
            " rows of the matrix (which are all zero) gives a presentation");
  file.Line("matrix for $H_1(M," + module + ")$.");
  file.Line("\\end{document}");
}

}  // namespace quarvel
