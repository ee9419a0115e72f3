#include "reports/matrix_files.h"

#include <algorithm>

#include "reports/report_sections.h"
#include "reports/report_text.h"

namespace quarvel {
namespace {

constexpr size_t kColumnWidth = 12;
constexpr const char* kGapPrefix = "# ";

void WriteSimplificationLog(const Workbench& wb, ReportFile& file, std::string_view prefix) {
  const Presentation& p = wb.presentation;
  file.Line(
      prefix,
      "In order to make the Seifert matrix smaller the program simplified the fundamental group as follows.");
  file.Line(prefix, "The program substituted");
  for (const std::string& record : wb.simplification.substitutionList)
    file.Line(prefix, WordToText(record, false));
  file.Line(prefix, "So the remaining generators are: " + RemainingGeneratorLetters(p, ", "));
  file.Line(prefix, "and the relations become");
  for (int64_t r = 1; r <= p.relatorCount && r <= kMaxRelators; ++r)
    file.Line(prefix, WordToText(p.relators[r], false));
}

void WriteFoxExplanation(const Workbench& wb, ReportFile& file, std::string_view prefix) {
  const std::string prime = std::to_string(wb.field.currentPrime);
  const std::string k = std::to_string(wb.current.degreeK);
  file.Line(prefix, "The representation matrix for H_1(M,pt,F_" + prime + "^" + k + "[t^-1,t]) given by");
  file.Line(prefix, "alpha tensor phi applied to the matrix");
  file.Line(prefix, "              __________");
  file.Line(prefix, " (a_ij) = (partial_i(r_j)");
  file.Line(prefix, "where partial_i denotes Fox derivative with respect to the i^th generator");
  file.Line(prefix, "defined by the rules");
  file.Line(prefix, "partial_i(r_j) = 1, if i=j and  = 0, if i<>j ");
  file.Line(prefix, "partial_i(uv)  = partial_i(u) + u partial_i(v)");
  file.Line(prefix, "and the ---- denotes the involution given by g -> g^-1");
  file.Line(prefix, "This is the correct way to determine the presentation matrix since we view");
  file.Line(prefix, "C_*(M) as a RIGHT Z[pi_1(M)]-module.");
}

// The rows of the matrix store, each entry in a 12-character column; kept for the second call.
void WriteMatrixRows(Workbench& wb, ReportFile& file) {
  const MatrixSize size = PresentationMatrixSize(wb.presentation, wb.current.degreeK);
  std::vector<std::string>& kept = wb.reports.matrixRowTexts;
  kept.clear();
  for (int32_t i = 1; i <= size.rows; ++i) {
    std::string row;
    for (int32_t j = 1; j <= size.columns; ++j) {
      row += MatrixEntryText(wb.matrix, i, j, false, false);
      PadTo(row, kColumnWidth * static_cast<size_t>(j));
      if (j < size.columns) row += "|";
    }
    file.Line(row);
    kept.push_back(std::move(row));
  }
}

void WriteDescription(Workbench& wb, ReportFile& file, std::string_view prefix) {
  WriteRunHeader(wb, file, true, prefix, false);
  WriteRepresentationSection(wb, file, true, prefix, false);
  WriteSimplificationLog(wb, file, prefix);
  WriteFoxExplanation(wb, file, prefix);
}

void WriteMatrixDocument(Workbench& wb, ReportFile& file, bool afterReduction) {
  const std::string prime = std::to_string(wb.field.currentPrime);
  const std::string k = std::to_string(wb.current.degreeK);
  const std::string module = "F_" + prime + "^" + k + "[t^-1,t]";
  WriteDescription(wb, file, "");
  file.Line(" ");
  file.Line("So here is the presentation matrix:");
  if (afterReduction) {
    for (const std::string& row : wb.reports.matrixRowTexts) file.Line(row);
    file.Line("Using the fact that F_" + prime + "[t^-1,t] is a PID we can simplify this to");
    file.Line("the following \"diagonal\" matrix:");
  }
  WriteMatrixRows(wb, file);
  if (afterReduction) {
    file.Line("Note that H_1(M," + module + ")=H_1(M,pt," + module + ") + " + module);
    file.Line("in particular erasing the last " + k +
              " rows of the matrix (which are all zero) gives a presentation");
    file.Line("matrix for H_1(M," + module + ")");
  }
}

std::string GapEntry(const Workbench& wb, int32_t i, int32_t j) {
  std::string entry = MatrixEntryText(wb.matrix, i, j, true, false);
  if (entry == " 0") return "Zero(R)";
  return "One(R)*(" + entry + ")";
}

}  // namespace

std::string GapMatrixRow(const Workbench& wb, int32_t i) {
  const MatrixSize size = PresentationMatrixSize(wb.presentation, wb.current.degreeK);
  std::string row;
  for (int32_t j = 1; j <= size.columns; ++j) {
    row += GapEntry(wb, i, j);
    PadTo(row, kColumnWidth * static_cast<size_t>(j));
    if (j < size.columns) row += ",";
  }
  return row;
}

void WriteMatrixFile(Workbench& wb, bool afterReduction) {
  if (wb.panels.flags.stopRequested) return;
  ReportFile file(ReportPath(wb.settings, kMatrixFileName));
  WriteMatrixDocument(wb, file, afterReduction);
  file.Close(wb.failure);
}

void WriteGapFile(Workbench& wb) {
  if (wb.panels.flags.stopRequested || wb.run.trivialPass) return;
  const MatrixSize size = PresentationMatrixSize(wb.presentation, wb.current.degreeK);
  ReportFile file(ReportPath(wb.settings, kGapFileName));
  file.Line("#Load into GAP using the command Read(\"quarvel_matrix_gap.txt\");");
  file.Line("R:=PolynomialRing(GF(" + std::to_string(wb.field.currentPrime) + "),1);");
  file.Line("t:=IndeterminatesOfPolynomialRing(R)[1];");
  file.Line("M:=[");
  for (int32_t i = 1; i <= size.rows; ++i)
    file.Line("[" + GapMatrixRow(wb, i) + (i < size.rows ? "]," : "]"));
  file.Line("];");
  file.Line("N:=DiagonalizeMat(R,M);");
  file.Line(
      "# N is M diagonalized over the PID F[t]; the product of the elements on the diagonal is the Alexander "
      "polynomial");
  file.Line("# The following computes the twisted Alexander polynomial");
  file.Line("D:=One(R);");
  file.Line("for i in [1.." + std::to_string((wb.presentation.generatorCount - 1) * wb.current.degreeK) +
            "] do D:=D*N[i][i]; od;");
  file.Line("# Type \"D;\" to get the twisted Alexander polynomial");
  file.Line("#" + std::string(44, '='));
  WriteDescription(wb, file, kGapPrefix);
  file.Close(wb.failure);
}

}  // namespace quarvel
