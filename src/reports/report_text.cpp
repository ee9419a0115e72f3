#include "reports/report_text.h"

#include <algorithm>

#include "group/braid.h"
#include "group/diagram_text.h"
#include "poly/polynomial.h"

namespace quarvel {
namespace {

bool IsSign(char c) {
  return c == '+' || c == '-';
}

}  // namespace

std::vector<std::string> CutBeforeSigns(std::string_view text, size_t firstCut) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    size_t cut = std::min(firstCut, text.size());
    while (cut < text.size() && !IsSign(text[cut])) ++cut;
    lines.emplace_back(text.substr(0, cut));
    text.remove_prefix(cut);
  }
  return lines;
}

std::string HeadToSign(std::string_view text, size_t length) {
  length = std::min(length, text.size());
  while (length < text.size() && (length == 0 || !IsSign(text[length - 1]))) ++length;
  return std::string(text.substr(0, length));
}

std::string TailFromSign(std::string_view text, size_t length) {
  size_t from = text.size() > length ? text.size() - length - 1 : 0;
  while (from > 0 && !IsSign(text[from])) --from;
  return std::string(text.substr(from));
}

std::string UsedGeneratorLetters(const Presentation& p, std::string_view separator) {
  std::string letters;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    if (!letters.empty()) letters += separator;
    letters += GeneratorLetter(g);
  }
  return letters;
}

std::string RemainingGeneratorLetters(const Presentation& p, std::string_view separator) {
  std::string letters;
  for (int64_t i = 1; i <= p.generatorCount && i <= kMaxGenerators; ++i) {
    if (p.generatorLetters[i] == 0) continue;
    if (!letters.empty()) letters += separator;
    letters += GeneratorLetter(p.generatorLetters[i]);
  }
  return letters;
}

MatrixSize PresentationMatrixSize(const Presentation& p, int64_t k) {
  return {static_cast<int32_t>(std::min<int64_t>(k * p.generatorCount, kMatrixDimension)),
          static_cast<int32_t>(std::min<int64_t>(k * p.relatorCount, kMatrixDimension))};
}

std::string MatrixEntryText(const PolyMatrix& matrix, int32_t i, int32_t j, bool star, bool braces) {
  return PolyToText(MatrixEntryToPoly(matrix, i, j), false, star, braces);
}

void PadTo(std::string& text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
}

void WriteArrayRows(ReportFile& file, const std::vector<std::string>& cells, size_t perRow, bool dropFirst) {
  for (size_t first = 0; first < cells.size(); first += perRow) {
    std::string row;
    for (size_t c = first; c < std::min(first + perRow, cells.size()); ++c) row += cells[c];
    if (dropFirst && !row.empty()) row.erase(0, 1);
    file.Line(row + "\\\\");
  }
}

std::string LatexPlainText(std::string_view text) {
  std::string latex;
  for (char c : text) {
    if (c == '\\') {
      latex += "\\textbackslash{}";
    } else if (c == '^' || c == '~') {
      latex.append("\\").append(1, c).append("{}");
    } else {
      if (std::string_view("#$%&_{}").find(c) != std::string_view::npos) latex += '\\';
      latex += c;
    }
  }
  return latex;
}

std::string LatexBraid(std::string_view braidText) {
  std::string latex = "$\\{" + std::string(BraidWithoutNote(braidText)) + "\\}$";
  std::string_view note = BraidNote(braidText);
  if (!note.empty()) latex += " " + LatexPlainText(note);
  return latex;
}

std::string LatexDiagram(std::string_view diagramText) {
  switch (FormOfDiagramText(diagramText)) {
    case DiagramForm::braid:
      return "Braid: " + LatexBraid(diagramText);
    case DiagramForm::pd:
      return "PD code: \\texttt{" + LatexPlainText(diagramText) + "}";
    case DiagramForm::dt:
      return "DT code: \\texttt{" + LatexPlainText(diagramText) + "}";
  }
  return {};
}

}  // namespace quarvel
