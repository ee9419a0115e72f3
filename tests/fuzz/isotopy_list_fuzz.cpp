// Any bytes as the knot list of an isotopy run: the walk takes the next knot and builds its
// presentation (recording the knots before it that cannot be built as not computed), a made-up
// result is recorded, and the list is walked again. The rewritten list keeps every line up to the
// first closing-section heading after the knot (the lines from there on go after "end"), each as
// it was or, when it shows the knot's polynomial, with "Repeated! " inserted after its name
// (before the ":" that ends it); the knot's line is marked only when an earlier line shows its polynomial,
// and whenever an earlier line gets marked. After "end" the notes stay, and the closing section lists every
// marked line up to the knot. The next walk goes past the recorded line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/headless_surface.h"
#include "group/diagram_text.h"
#include "list_fuzz_checks.h"
#include "lists/isotopy_list.h"
#include "lists/knot_list.h"

namespace quarvel::fuzz {
namespace {

constexpr int32_t kLowEffort = 20;
constexpr int32_t kPrime = 13;
constexpr size_t kHashDigits = 16;
constexpr size_t kLongestBraid = 400;
constexpr const char* kHeading = "List of knots which could not be distinguished:";
constexpr const char* kRepeated = "Repeated! ";

struct IsotopyList {
  explicit IsotopyList(uint64_t mix) : wb(surface) {
    wb.settings.isotopyMode = true;
    wb.settings.simplifyEffort = kLowEffort;
    wb.settings.isotopyGroup = mix & 1 ? "s1" : "s3";
    wb.settings.currentPrime = kPrime;
  }
  HeadlessSurface surface;
  Workbench wb;
};

// The polynomial an earlier result line shows (so that repeats happen), else one of the bytes.
std::string MadeUpPolynomial(const KnotList& list, int64_t current, uint64_t mix) {
  const std::string shown = "Polynomial = ", prime = " mod " + std::to_string(kPrime) + ",";
  for (int64_t i = 1; i < current; ++i) {
    const std::string& line = list.Line(i);
    size_t from = line.find(shown);
    if (from == std::string::npos) continue;
    from += shown.size();
    size_t to = line.find(prime, from);
    if (to != std::string::npos && (mix >> 1) & 1) return line.substr(from, to - from);
  }
  return (mix >> 2) & 1 ? "1+t+t^2" : "1-2t+3t^2-2t^3+t^4";
}

void FinishKnot(Workbench& wb, const std::string& polynomial, uint64_t mix) {
  IsotopyState& iso = wb.isotopy;
  iso.untwistedPolynomialText.plain = polynomial;
  iso.untwistedDegree = static_cast<int32_t>((mix >> 3) % 12);
  iso.productText.plain = polynomial;
  iso.productPolynomial = Polynomial{};
  PolySetCoefficient(iso.productPolynomial, static_cast<int32_t>((mix >> 7) % 40), 1);
  wb.homomorphisms.newCount = static_cast<int64_t>((mix >> 13) % 30);
}

// The braid a result line ends with: from the line's first "{" (its start when there is none), at
// most 400 characters, through the first "}", which is added when missing.
std::string ExpectedBraid(const std::string& line) {
  const DiagramSpan span = FindDiagram(line);
  if (!span.Found()) return ListLineBraid(line);
  if (line[span.begin] != '{') return line.substr(span.begin, span.end - span.begin);
  const size_t open = line.find('{');
  std::string braid = line.substr(open == std::string::npos ? 0 : open, kLongestBraid);
  const size_t close = braid.find('}');
  return close == std::string::npos ? braid + "}" : braid.substr(0, close + 1);
}

// The line with "Repeated! " before the ":" that ends its name, or right after its name.
std::string MarkedLine(const std::string& line) {
  const size_t colon = line.find(':');
  std::string marked = line;
  marked.insert(
      colon != std::string::npos && colon < FindDiagram(line).begin ? colon : ListLineName(line).size(),
      kRepeated);
  return marked;
}

// The notes with their first closing section (its heading and the marked lines under it)
// replaced by `section`, which goes at their end where they hold none.
std::vector<std::string> WithSection(std::vector<std::string> notes,
                                     const std::vector<std::string>& section) {
  auto heading =
      std::find_if(notes.begin(), notes.end(), [](const std::string& l) { return Contains(l, kHeading); });
  auto end = heading == notes.end() ? heading : heading + 1;
  while (end != notes.end() && Contains(*end, "Repeated")) ++end;
  const auto at = notes.erase(heading, end);
  notes.insert(at, section.begin(), section.end());
  return notes;
}

// A marked line carries the mark at the end of its name.
bool IsMarked(const std::string& line) {
  return ListLineName(line).find("Repeated!") != std::string_view::npos;
}

bool IsHexDigits(const std::string& text) {
  return text.size() == kHashDigits && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

}  // namespace
}  // namespace quarvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarvel;
  using namespace quarvel::fuzz;
  const FuzzedList list = ReadFuzzedList(data, size);
  const std::string& path = list.path;
  const uint64_t mix = list.mix;

  IsotopyList walk(mix);
  Workbench& wb = walk.wb;
  NextIsotopyKnot(wb, path);
  const bool taken = !wb.failure.computationFailed && !wb.isotopy.listDone;
  const int64_t n = taken ? wb.isotopy.listLineNumber : 0;
  const KnotList walked = RequireWalk(list, wb.failure, n);
  if (!taken) return 0;
  const std::string line = RequireTakenLine(walked, n);

  const std::string polynomial = MadeUpPolynomial(walked, n, mix);
  FinishKnot(wb, polynomial, mix);
  RecordIsotopyResult(wb, path);
  Require(!wb.failure.computationFailed, "the result is recorded");
  const KnotList after = RequireRewrittenList(list);

  // The lines after the knot from a closing section's heading on (its "end" lost) go after "end".
  int64_t kept = walked.Count();
  for (int64_t i = n + 1; i <= walked.Count() && kept == walked.Count(); ++i) {
    if (Contains(walked.Line(i), kHeading)) kept = i - 1;
  }
  Require(after.Count() == kept, "the lines up to a closing section after the knot stay before \"end\"");
  std::vector<std::string> notes(walked.lines.begin() + kept, walked.lines.end());
  notes.insert(notes.end(), walked.notes.begin(), walked.notes.end());

  const std::string shortText = ShortPolynomialText(polynomial + " mod " + std::to_string(kPrime));
  const std::string shown = "Polynomial = " + shortText + ",";
  bool shownBefore = false, markedNow = false;
  for (int64_t i = 1; i <= kept; ++i) {
    const std::string& was = walked.Line(i);
    const std::string& now = after.Line(i);
    if (i == n) continue;
    const bool showsIt = i < n && IsKnotLine(was) && Contains(was, shown);
    shownBefore |= showsIt;
    if (now == was) continue;
    Require(showsIt && !IsMarked(was) && now == MarkedLine(was),
            "an earlier line changes only by its mark, and only when it shows the knot's polynomial");
    markedNow = true;
  }
  const std::string& result = after.Line(n);
  Require(Contains(result, ": degree = "), "the result line carries the degree");
  const std::string tail = shown + "  Braid: " + ExpectedBraid(line) + "  product hash ";
  const size_t tailAt = result.rfind(tail);
  Require(tailAt != std::string::npos && IsHexDigits(result.substr(tailAt + tail.size())),
          "the result line ends with the polynomial, the braid and the product's hash");
  // On the name, as everywhere: a made-up polynomial may itself hold "Repeated! :".
  const bool resultMarked = IsMarked(result);
  Require(!resultMarked || shownBefore, "only a knot whose polynomial an earlier line shows is marked");
  Require(resultMarked || !markedNow, "marking an earlier line marks the knot's line too");
  std::vector<std::string> marked;
  for (int64_t i = 1; i <= n; ++i) {
    if (IsKnotLine(after.Line(i)) && IsMarked(after.Line(i))) marked.push_back(after.Line(i));
  }
  if (!marked.empty()) marked.insert(marked.begin(), kHeading);
  std::vector<std::string> expectedNotes = WithSection(notes, marked);
  while (!expectedNotes.empty() && expectedNotes.back().empty()) expectedNotes.pop_back();  // not written
  Require(after.notes == expectedNotes,
          "after \"end\" the notes stay and the closing section lists the marked lines up to the knot");

  // "new" makes a line be computed again; any other result line is passed over from now on.
  if (Contains(ListLineResults(result), "new")) return 0;
  IsotopyList again(mix);
  NextIsotopyKnot(again.wb, path);
  Require(
      again.wb.failure.computationFailed || again.wb.isotopy.listDone || again.wb.isotopy.listLineNumber != n,
      "the next walk goes past the recorded line");
  return 0;
}
