#include "lists/isotopy_list.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "group/diagram_text.h"
#include "lists/knot_list.h"
#include "lists/list_knot_seed.h"
#include "lists/list_progress.h"
#include "poly/polynomial.h"
#include "reports/report_text.h"
#include "run/prepare_presentation.h"

namespace quarvel {
namespace {

constexpr size_t kLongestWholeText = 80;
constexpr size_t kShortHead = 30;
constexpr size_t kShortTail = 20;
constexpr size_t kLongestBraid = 400;
constexpr size_t kNameWidth = 15;
constexpr std::string_view kRepeated = "Repeated! ";
constexpr std::string_view kMark = "Repeated!";
constexpr std::string_view kUndistinguished = "List of knots which could not be distinguished:";
constexpr std::string_view kPolynomialField = "Polynomial = ";
constexpr std::string_view kClassesField = "number of reps: ";
constexpr std::string_view kHashField = "  product hash ";

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Knot lines with a result ("degree") or recorded as not computed, unless marked "new", and every
// line that is no knot line are passed over.
bool PassedOver(std::string_view line) {
  if (!IsKnotLine(line)) return true;
  const std::string results = ListLineResults(line);
  return (Contains(results, "degree") || Contains(results, kNotComputed)) && !Contains(results, "new");
}

// The knot's name: the line's name without the "Repeated! " mark (older runs put it inside long
// names).
std::string IsotopyName(std::string_view line) {
  std::string name(ListLineName(line));
  for (size_t mark = name.find(kMark); mark != std::string::npos; mark = name.find(kMark)) {
    name.erase(mark, name.compare(mark, kRepeated.size(), kRepeated) == 0 ? kRepeated.size() : kMark.size());
  }
  return name.substr(0, name.find_last_not_of(' ') + 1);
}

// A PD or DT code as the line gives it, a table knot's diagram for a line of its name alone; a braid: at most
// 400 characters from the first "{", up to the first "}", which is added when missing.
std::string IsotopyBraid(std::string_view line) {
  const DiagramSpan span = FindDiagram(line);
  if (!span.Found()) return ListLineBraid(line);  // a table knot's name
  if (line[span.begin] != '{') return std::string(line.substr(span.begin, span.end - span.begin));
  size_t open = line.find('{');
  std::string braid(line.substr(open == std::string_view::npos ? 0 : open, kLongestBraid));
  size_t close = braid.find('}');
  if (close == std::string::npos) return braid + "}";
  braid.resize(close + 1);
  return braid;
}

// A marked line carries the mark at the end of its name.
bool IsMarked(std::string_view line) {
  return Contains(ListLineName(line), kMark);
}

// The mark goes right after the name and its padding, before the ":" (after the name where the
// line has no ":" before its braid).
void MarkRepeated(std::string& line) {
  if (IsMarked(line)) return;
  const size_t colon = line.find(':');
  const bool colonEndsName = colon != std::string::npos && colon < FindDiagram(line).begin;
  line.insert(colonEndsName ? colon : ListLineName(line).size(), kRepeated);
}

std::string Padded(std::string text, size_t width) {
  PadTo(text, width);
  return text;
}

// A stable 64-bit hash (FNV-1a) of the full product text, as 16 hexadecimal digits.
std::string ProductHash(std::string_view text) {
  uint64_t hash = 14695981039346656037u;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211u;
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return digits;
}

// What tells two knots of a list apart: the number of classes (-1 where the line has none), the
// short polynomial text the line shows, and the hash of the full product (empty on lines that
// older runs wrote).
struct ListInvariant {
  int64_t classes = -1;
  std::string shortText;
  std::string hash;
};

// The number of classes and the hash a result line shows; the text is compared on the line itself.
ListInvariant ReadInvariant(std::string_view line) {
  ListInvariant invariant;
  const size_t text = line.find(kPolynomialField);
  if (text == std::string_view::npos) return invariant;
  if (size_t classes = line.find(kClassesField); classes != std::string_view::npos && classes < text) {
    invariant.classes = std::atoll(std::string(line.substr(classes + kClassesField.size(), 8)).c_str());
  }
  const DiagramSpan diagram = FindDiagram(line.substr(text));
  const size_t braidEnd = diagram.Found() ? text + diagram.end - 1 : std::string_view::npos;
  if (size_t hash = line.rfind(kHashField); hash != std::string_view::npos && hash > braidEnd) {
    invariant.hash = line.substr(hash + kHashField.size(), 16);
  }
  return invariant;
}

// Whether an earlier result line does not tell its knot apart from the current one: the same
// number of classes and the same product (by its hash where both lines carry one, else by the
// text the line shows).
bool NotToldApart(std::string_view line, const ListInvariant& current) {
  const ListInvariant earlier = ReadInvariant(line);
  if (!Contains(line, std::string(kPolynomialField) + current.shortText + ",")) return false;
  if (earlier.classes != current.classes) return false;
  return earlier.hash.empty() || earlier.hash == current.hash;
}

// What a result line shows of its knot's invariant: the number of classes and the hash as
// ReadInvariant finds them, and the short text between "Polynomial = " and ",  Braid: ".
ListInvariant InvariantOfResultLine(std::string_view line) {
  ListInvariant invariant = ReadInvariant(line);
  const size_t text = line.find(kPolynomialField, line.find(": degree = "));
  const size_t braid = line.rfind(",  Braid: ");
  if (text != std::string_view::npos && braid != std::string_view::npos && braid > text) {
    invariant.shortText = line.substr(text + kPolynomialField.size(), braid - text - kPolynomialField.size());
  }
  return invariant;
}

std::string ResultLine(const Workbench& wb, std::string_view line, const ListInvariant& invariant) {
  const IsotopyState& iso = wb.isotopy;
  std::string result = Padded(IsotopyName(line), kNameWidth) + ": degree = ";
  if (wb.settings.isotopyGroup == "s1") {
    result += Padded(std::to_string(iso.untwistedDegree) + ",", 5) + " ";
    PadTo(result, 30);
  } else {
    result += Padded(std::to_string(PolyDegree(iso.productPolynomial)) + ",", 5) + " " +
              std::string(kClassesField) + Padded(std::to_string(invariant.classes) + ",", 3) + " ";
    PadTo(result, 50);
  }
  return result + " " + std::string(kPolynomialField) + invariant.shortText +
         ",  Braid: " + IsotopyBraid(line) + std::string(kHashField) + invariant.hash;
}

// The closing section after "end": the marked lines up to the current knot. An earlier section
// (after "end", or before it when its "end" line was lost) is replaced where it stood; the notes
// around it are kept.
void RenewClosingSection(KnotList& list, int64_t current) {
  std::vector<std::string> section;
  for (int64_t i = 1; i <= current; ++i) {
    if (IsKnotLine(list.Line(i)) && IsMarked(list.Line(i))) section.push_back(list.Line(i));
  }
  if (!section.empty()) section.insert(section.begin(), std::string(kUndistinguished));
  auto stray = std::find_if(list.lines.begin() + current, list.lines.end(),
                            [](const std::string& line) { return Contains(line, kUndistinguished); });
  list.notes.insert(list.notes.begin(), stray, list.lines.end());
  list.lines.erase(stray, list.lines.end());
  auto old = std::find_if(list.notes.begin(), list.notes.end(),
                          [](const std::string& line) { return Contains(line, kUndistinguished); });
  auto oldEnd = old == list.notes.end() ? old : old + 1;
  while (oldEnd != list.notes.end() && Contains(*oldEnd, "Repeated")) ++oldEnd;
  const auto at = list.notes.erase(old, oldEnd);
  list.notes.insert(at, section.begin(), section.end());
}

// Reports the finished knot to the surface.
void ReportKnot(Workbench& wb, const std::string& result) {
  ReportFinishedListKnot(wb, wb.isotopy.listProgress, result);
}

}  // namespace

bool IsotopyKnotPending(std::string_view line) {
  return !PassedOver(line);
}

bool ApplyIsotopyResult(KnotList& list, int64_t current, const std::string& resultLine) {
  const ListInvariant invariant = InvariantOfResultLine(resultLine);
  bool repeat = false;
  for (int64_t i = 1; i < current; ++i) {
    std::string& line = list.Line(i);
    if (!IsKnotLine(line) || !NotToldApart(line, invariant)) continue;
    repeat = true;
    MarkRepeated(line);
  }
  std::string& line = list.Line(current);
  line = resultLine;
  if (repeat) MarkRepeated(line);
  RenewClosingSection(list, current);
  return repeat;
}

std::string ShortPolynomialText(const std::string& text) {
  if (text.size() <= kLongestWholeText) return text;
  return HeadToSign(text, kShortHead) + "...." + TailFromSign(text, kShortTail);
}

void NextIsotopyKnot(Workbench& wb, const std::string& listPath) {
  IsotopyState& iso = wb.isotopy;
  KnotList list;
  while (ReadKnotList(listPath, list, wb.failure)) {
    iso.listLineNumber = 1;
    while (iso.listLineNumber <= list.Count() && PassedOver(list.Line(iso.listLineNumber)))
      ++iso.listLineNumber;
    iso.listDone = iso.listLineNumber > list.Count();
    if (iso.listDone) return;
    const std::string& line = list.Line(iso.listLineNumber);
    StartListKnot(iso.listProgress, list, iso.listLineNumber);
    wb.presentation.braidText = IsotopyBraid(line);
    WriteIsotopyHeader(wb.panels, 7, 7,
                       "Knot number " + std::to_string(iso.listLineNumber) + ",  Name: knot" +
                           IsotopyName(line) + BlankLine());
    PumpMessages(wb.panels);
    wb.random.seed = ListKnotSeed(line, 0);
    PreparePresentation(wb);
    if (!wb.failure.computationFailed && !wb.failure.polynomialErrorFlag) return;
    if (!RecordFailedIsotopyKnot(wb, listPath)) return;
  }
}

bool RecordFailedIsotopyKnot(Workbench& wb, const std::string& listPath) {
  const std::string result = std::string(kNotComputed) + wb.failure.errorMessage;
  if (!RecordNotComputed(listPath, wb.isotopy.listLineNumber, kNameWidth, wb.failure)) return false;
  ReportKnot(wb, result);
  return true;
}

void RecordIsotopyResult(Workbench& wb, const std::string& listPath) {
  const IsotopyState& iso = wb.isotopy;
  const bool untwistedOnly = wb.settings.isotopyGroup == "s1";
  const std::string& polynomial = untwistedOnly ? iso.untwistedPolynomialText.plain : iso.productText.plain;
  // A torsion product says so on its line, so that it is never taken for a plain one.
  const bool torsion = wb.settings.torsionProduct && !untwistedOnly;
  const std::string fullText =
      polynomial + " mod " + std::to_string(wb.settings.currentPrime) + (torsion ? " torsion" : "");
  const ListInvariant invariant{untwistedOnly ? -1 : wb.homomorphisms.newCount, ShortPolynomialText(fullText),
                                ProductHash(fullText)};
  if (wb.panels.flags.stopRequested) return;

  KnotList list;
  const int64_t current = iso.listLineNumber;
  if (!ReadListForLine(listPath, current, list, wb.failure)) return;
  const bool repeat = ApplyIsotopyResult(list, current, ResultLine(wb, list.Line(current), invariant));
  if (!RewriteKnotList(listPath, list, wb.failure)) return;
  ReportKnot(wb, "degree " +
                     std::to_string(untwistedOnly ? iso.untwistedDegree : PolyDegree(iso.productPolynomial)) +
                     (untwistedOnly ? "" : ", " + std::to_string(invariant.classes) + " classes") +
                     (repeat ? ", not told apart from an earlier knot" : ""));
}

}  // namespace quarvel
