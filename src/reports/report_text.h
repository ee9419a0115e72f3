#pragma once
// Text pieces the report writers share: polynomial texts cut before a sign, generator lists,
// matrix entries as text, LaTeX array rows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "group/presentation.h"
#include "poly/poly_matrix.h"
#include "reports/report_file.h"

namespace quarvel {

// Cuts text into lines: a line takes at least `firstCut` characters and is lengthened until the
// character after it is "+" or "-" or the text ends; the rest is cut the same way. So a line is
// broken only before a sign, and a text of at most `firstCut` characters is one line. An empty
// text gives no lines.
std::vector<std::string> CutBeforeSigns(std::string_view text, size_t firstCut);

// The first `length` characters of `text`, lengthened until they end with "+" or "-" or the text
// ends.
std::string HeadToSign(std::string_view text, size_t length);
// The text from its (1-based) position size - `length` on, lengthened at its front until it begins
// with "+" or "-" or is the whole text.
std::string TailFromSign(std::string_view text, size_t length);

// The display letter of generator g as a text.
inline std::string LetterText(int generator) {
  return std::string(1, GeneratorLetter(generator));
}

// "torsion " where the isotopy product is taken of the twisted torsion polynomials, else "": the
// word that the texts naming those polynomials insert before "Alexander".
inline std::string_view TorsionWord(bool torsionProduct) {
  return torsionProduct ? "torsion " : "";
}

// The letters of the generators with generatorUsed set, in generator order.
std::string UsedGeneratorLetters(const Presentation& presentation, std::string_view separator);

// The letters of the generators left after simplification (generatorLetters 1..generatorCount).
std::string RemainingGeneratorLetters(const Presentation& presentation, std::string_view separator);

// The presentation matrix: k rows per generator and k columns per relator, at most 300 of each.
struct MatrixSize {
  int32_t rows;
  int32_t columns;
};
MatrixSize PresentationMatrixSize(const Presentation& presentation, int64_t degreeK);

// PolyToText of entry (i, j), read for the exponents 0 up to its entry degree (shift off).
std::string MatrixEntryText(const PolyMatrix& matrix, int32_t i, int32_t j, bool star, bool braces);

// Plain text set in LaTeX as it reads: the characters LaTeX gives a meaning are escaped.
std::string LatexPlainText(std::string_view text);

// A braid description in LaTeX: the letters in braces in math mode, then its note as plain text.
std::string LatexBraid(std::string_view braidText);
// "Braid: " and the braid as LatexBraid writes it, or "PD code: " / "DT code: " and the code.
std::string LatexDiagram(std::string_view diagramText);

// Blanks appended until text is at least `width` characters long.
void PadTo(std::string& text, size_t width);

// Rows of a LaTeX array: the cells are collected, `perRow` to a line, and each line is written
// followed by "\\", without its first character when `dropFirst` is set; a final incomplete row
// is written the same way.
void WriteArrayRows(ReportFile& file, const std::vector<std::string>& cells, size_t perRow, bool dropFirst);

}  // namespace quarvel
