#include "group/diagram_text.h"

#include <cctype>

#include "group/dt_code.h"
#include "group/pd_code.h"

namespace quarvel {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) text.remove_suffix(1);
  return text;
}

// The first character after `pos` that is not blank ('\0' at the end).
char NextNonBlank(std::string_view text, size_t pos) {
  const size_t found = text.find_first_not_of(" \t", pos);
  return found == std::string_view::npos ? '\0' : text[found];
}

bool IsBracket(char c) {
  return c == '[' || c == '(';
}

// A bracketed braid in braces: "[-1, 2]" -> "{-1, 2}" (the note after it kept).
std::string BracedBraid(std::string_view text) {
  std::string braced(text);
  const size_t close = braced.find(']');
  braced.front() = '{';
  if (close != std::string::npos) braced[close] = '}';
  return braced;
}

// The PD code of a PD or DT text ("X[...], X[...]" without the outer list is read as the list).
Result<std::vector<PdCrossing>> PdCodeOf(const std::string& normalisedText) {
  if (FormOfDiagramText(normalisedText) == DiagramForm::pd) {
    return ParsePdCode(normalisedText.starts_with('X') ? "[" + normalisedText + "]" : normalisedText);
  }
  Result<std::vector<int>> dt = ParseDtCode(normalisedText);
  if (!dt) return Failure{dt.error()};
  return RealiseDtCode(*dt);
}

// The position after the bracket that closes the one at `open`, or npos.
size_t AfterClosingBracket(std::string_view text, size_t open) {
  int depth = 0;
  for (size_t i = open; i < text.size(); ++i) {
    if (IsBracket(text[i])) ++depth;
    if ((text[i] == ']' || text[i] == ')') && --depth == 0) return i + 1;
  }
  return std::string_view::npos;
}

}  // namespace

DiagramSpan FindDiagram(std::string_view line) {
  DiagramSpan span;
  for (std::string_view opening : {"{", "PD[", "PD(", "DT[", "DT(", "[[", "[("}) {
    span.begin = std::min(span.begin, line.find(opening));
  }
  if (!span.Found()) return span;
  if (line[span.begin] == '{') {
    const size_t close = line.find('}', span.begin);
    span.end = close == std::string_view::npos ? line.size() : close + 1;
  } else {
    const size_t bracket = line.find_first_of("[(", span.begin);
    span.end = std::min(AfterClosingBracket(line, bracket), line.size());
  }
  return span;
}

DiagramForm FormOfDiagramText(std::string_view text) {
  text = Trimmed(text);
  if (text.starts_with("PD") || text.starts_with("X[")) return DiagramForm::pd;
  if (text.starts_with("DT")) return DiagramForm::dt;
  if (!text.empty() && IsBracket(text.front()) && IsBracket(NextNonBlank(text, 1))) return DiagramForm::pd;
  return DiagramForm::braid;
}

std::string NormaliseDiagramText(std::string_view text) {
  if (FormOfDiagramText(text) != DiagramForm::braid) return std::string(Trimmed(text));
  std::string_view trimmed = Trimmed(text);
  if (trimmed.starts_with('[')) return NormaliseBraidText(BracedBraid(trimmed));
  return NormaliseBraidText(text);
}

Result<ClosedBraid> CloseDiagram(const std::string& normalisedText) {
  if (FormOfDiagramText(normalisedText) == DiagramForm::braid) return BuildClosedBraid(normalisedText);
  Result<std::vector<PdCrossing>> pd = PdCodeOf(normalisedText);
  if (!pd) return Failure{pd.error()};
  return ClosePdDiagram(*pd);
}

size_t DiagramLength(std::string_view normalisedText) {
  if (FormOfDiagramText(normalisedText) == DiagramForm::braid) return BraidWithoutNote(normalisedText).size();
  // A braid letter takes about three characters ("-2,"); the DT code's length counts its crossings.
  const std::string text(normalisedText);
  if (FormOfDiagramText(text) == DiagramForm::dt) {
    Result<std::vector<int>> dt = ParseDtCode(text);
    return 3 * (dt ? dt->size() : 0) + 1;
  }
  Result<std::vector<PdCrossing>> pd = PdCodeOf(text);
  return 3 * (pd ? pd->size() : 0) + 1;
}

}  // namespace quarvel
