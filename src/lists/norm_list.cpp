#include "lists/norm_list.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "bounds/genus_norm_bounds.h"
#include "lists/knot_list.h"
#include "lists/list_knot_seed.h"
#include "lists/list_progress.h"
#include "reports/report_text.h"
#include "run/prepare_presentation.h"

namespace quarvel {
namespace {

constexpr int kCaptionPanel = 5;
constexpr size_t kNameWidth = 14;
constexpr size_t kRepsColumn = 62;
constexpr size_t kKeptRepsLength = 21;
constexpr size_t kKeptNoteLength = 26;
constexpr std::string_view kReps = "reps of dim";
constexpr std::string_view kGenus = "genus>=";
constexpr std::string_view kGenerators = "generators>=";
constexpr std::string_view kNotFibered = "not fibered";
constexpr std::string_view kImproved = "(improved)";
constexpr std::string_view kVanished = "zero twisted Alexander polynomial";

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string_view TrimRight(std::string_view text, std::string_view characters) {
  size_t last = text.find_last_not_of(characters);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// Whether a line already holds what the stop condition asks for.
bool MeetsStopCondition(std::string_view line, StopCondition stopCondition) {
  switch (stopCondition) {
    case StopCondition::first: {
      constexpr std::array<std::string_view, 7> kFound = {"3y", "4y", "5y", "6y", "7y", "8y", "9y"};
      return std::any_of(kFound.begin(), kFound.end(), [&](std::string_view t) { return Contains(line, t); });
    }
    case StopCondition::notFibered:
      return Contains(line, kNotFibered);
    case StopCondition::improved:
      return Contains(line, kImproved);
    case StopCondition::vanishes:
      return Contains(line, kVanished);
    case StopCondition::never:
      return false;
  }
  return false;
}

// Whether the pass at `size` takes the knot line; clears `satisfied` for a line that still lacks
// what the stop condition asks for. A knot not computed is done until it is marked "new".
bool TakesLine(std::string_view line, const std::string& size, StopCondition stopCondition, bool& satisfied) {
  const std::string results = ListLineResults(line);
  const bool processed = Contains(results, "braid");
  if (processed && Contains(results, "new")) {
    satisfied = false;
    return true;
  }
  if (Contains(results, kNotComputed)) return false;
  const bool meets = stopCondition != StopCondition::never && MeetsStopCondition(results, stopCondition);
  if (!processed || !meets) satisfied = false;
  return !Contains(results, size + "n") && !Contains(results, size + "y") && !meets;
}

// What a processed line carries over into its new result line.
struct EarlierResults {
  double bound = 0;        // "genus>=": the real number in the 4 characters after it
  int64_t boundSize = -1;  // the digit after "dim " beside it, -1 if none
  std::string reps;        // "reps of dim" and the size tokens, at most 21 characters
  std::string note;        // " (dim ...", at most 26 characters
};

double LeadingNumber(std::string_view text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

int32_t DigitAt(std::string_view text, size_t position, int32_t otherwise) {
  if (position >= text.size() || text[position] < '0' || text[position] > '9') return otherwise;
  return text[position] - '0';
}

std::string Field(std::string_view line, std::string_view start, size_t length) {
  size_t at = line.find(start);
  return at == std::string_view::npos ? std::string() : std::string(line.substr(at, length));
}

// Half the untwisted degree in whole numbers, on purpose: the genus the untwisted polynomial shows
// a list line. A knot's degree is even; a link's odd degree drops its half, as list lines written
// so far were decided with.
int32_t UntwistedGenusBound(const Workbench& wb) {
  return wb.evaluation.untwistedDegree / 2;
}

EarlierResults ReadEarlierResults(Workbench& wb, std::string_view results) {
  EarlierResults earlier;
  earlier.bound = UntwistedGenusBound(wb);
  earlier.reps = kReps;
  if (Contains(results, "new")) return earlier;
  if (Contains(results, kNotFibered)) wb.evaluation.possiblyFibered = false;
  if (size_t at = results.find(kGenus); at != std::string_view::npos) {
    earlier.bound = LeadingNumber(results.substr(at + kGenus.size(), 4));
    size_t dim = results.find("dim ");
    if (dim != std::string_view::npos) earlier.boundSize = DigitAt(results, dim + 4, -1);
  }
  if (size_t at = results.find(kGenerators); wb.settings.determineImageSize && at != std::string_view::npos) {
    wb.image.generatorBound = std::max(wb.image.generatorBound, DigitAt(results, at + kGenerators.size(), 0));
  }
  if (Contains(results, kReps)) earlier.reps = TrimRight(Field(results, kReps, kKeptRepsLength), " ");
  earlier.note = Field(results, " (dim ", kKeptNoteLength);
  return earlier;
}

// The bound the line gets: the knot's best bound where it beats the earlier one (or the untwisted
// bound, for the reduced permutation representations, equals it), the earlier bound where it was
// found at a smaller size, else the larger of the two.
double BoundToWrite(const Workbench& wb, const EarlierResults& earlier) {
  const double untwisted = UntwistedGenusBound(wb);
  const double best = wb.evaluation.bestBound;
  auto hundredths = [](double x) { return std::nearbyint(x * 100); };
  if (untwisted < best && hundredths(earlier.bound) + 1 < hundredths(best)) return best;
  if (untwisted < best && hundredths(best) == hundredths(earlier.bound) && wb.twisted.deg0 == 0 &&
      wb.settings.reducedPermutationRep) {
    return best;
  }
  if (wb.run.savedSize > earlier.boundSize && earlier.boundSize != -1) return earlier.bound;
  return std::max(best, earlier.bound);
}

std::string ComposeResultLine(const Workbench& wb, std::string_view line, const EarlierResults& earlier,
                              double bound) {
  const EvaluationState& e = wb.evaluation;
  const RunSettings& s = wb.settings;
  std::string result = std::string(ListLineName(line)) + ":";
  PadTo(result, kNameWidth);
  result += e.untwistedPolynomialText.plain;
  size_t column = kRepsColumn;
  PadTo(result, column);
  result +=
      earlier.reps + std::to_string(wb.run.savedSize) + (wb.representation.nontrivialCount > 0 ? "y" : "n");
  column += 22;
  PadTo(result, column);
  result += std::string(kGenus) + TwoDecimals(bound) + earlier.note;
  if (e.boundImproved) {
    result += " (improved) ";
    column += 12;
  }
  column += 13;
  PadTo(result, column);
  result += e.possiblyFibered ? "perhaps fibered" : "not fibered ";
  column += 17;
  PadTo(result, column);
  if (s.stopCondition == StopCondition::vanishes && e.polynomialVanished) {
    result += std::string(kVanished) + "  ";
    column += 35;
  }
  if (s.determineImageSize) {
    result += std::string(kGenerators) + std::to_string(wb.image.generatorBound);
    column += 16;
    PadTo(result, column);
  }
  result += "braid " + ListLineBraid(line);
  return result;
}

// Finds the knot line the pass at the current degree k takes and sets run.listLineNumber,
// run.listDone and run.listSatisfied; false when there is none.
bool TakeListKnot(Workbench& wb, const KnotList& list) {
  NormRunState& run = wb.run;
  const RunSettings& s = wb.settings;
  const std::string size = std::to_string(wb.current.degreeK);
  run.listSatisfied = s.stopCondition != StopCondition::never;
  bool knotLines = false;
  for (run.listLineNumber = 1; run.listLineNumber <= list.Count(); ++run.listLineNumber) {
    const std::string& line = list.Line(run.listLineNumber);
    if (!IsKnotLine(line)) continue;
    knotLines = true;
    if (TakesLine(line, size, s.stopCondition, run.listSatisfied)) break;
  }
  // Nothing in an empty list lacks what the stop condition asks for.
  if (!knotLines) run.listSatisfied = true;
  run.listDone = run.listLineNumber > list.Count();
  return !run.listDone;
}

}  // namespace

int64_t NormPassTaking(std::string_view line, int64_t from, StopCondition stopCondition) {
  // A line holds a few size tokens; past the last of them every pass takes a line that lacks
  // what the stop condition asks for.
  constexpr int64_t kSizesLooked = 1000;
  if (!IsKnotLine(line)) return 0;
  bool satisfied = true;
  for (int64_t size = from; size < from + kSizesLooked; ++size) {
    if (TakesLine(line, std::to_string(size), stopCondition, satisfied)) return size;
  }
  return 0;
}

bool KnotFailed(const FailureState& failure) {
  return failure.computationFailed || failure.polynomialErrorFlag;
}

void NextListKnot(Workbench& wb, const std::string& listPath) {
  NormRunState& run = wb.run;
  KnotList list;
  while (ReadKnotList(listPath, list, wb.failure) && TakeListKnot(wb, list)) {
    const std::string& line = list.Line(run.listLineNumber);
    StartListKnot(run.listProgress, list, run.listLineNumber);
    wb.current.writeKnotFiles = false;
    wb.presentation.braidText = ListLineBraid(line);
    wb.random.seed = ListKnotSeed(line, wb.current.degreeK);
    PreparePresentation(wb);
    if (!KnotFailed(wb.failure) && wb.presentation.generatorCount > kMaxNormGenerators) {
      Fail(wb.failure, "Too many generators!");
    }
    if (!KnotFailed(wb.failure)) {
      WriteText(wb.panels, kCaptionPanel, 7, 7,
                "Knot number " + std::to_string(run.listLineNumber) + " Name: knot" +
                    std::string(ListLineName(line)) + std::string(13, ' '));
      PumpMessages(wb.panels);
      return;
    }
    if (!RecordFailedListKnot(wb, listPath)) return;
  }
}

bool RecordFailedListKnot(Workbench& wb, const std::string& listPath) {
  const std::string result = std::string(kNotComputed) + wb.failure.errorMessage;
  if (!RecordNotComputed(listPath, wb.run.listLineNumber, kNameWidth, wb.failure)) return false;
  ReportFinishedListKnot(wb, wb.run.listProgress, result);
  return true;
}

void WriteListResult(Workbench& wb, const std::string& listPath) {
  KnotList list;
  const int64_t number = wb.run.listLineNumber;
  if (!ReadListForLine(listPath, number, list, wb.failure)) return;
  std::string& line = list.Line(number);
  const EarlierResults earlier = ReadEarlierResults(wb, ListLineResults(line));
  const double bound = BoundToWrite(wb, earlier);
  wb.evaluation.bestBound = bound;
  line = ComposeResultLine(wb, line, earlier, bound);
  if (!RewriteKnotList(listPath, list, wb.failure)) return;
  const std::string verdict = wb.evaluation.possiblyFibered ? "perhaps fibered" : std::string(kNotFibered);
  ReportFinishedListKnot(wb, wb.run.listProgress,
                         "size " + std::to_string(wb.run.savedSize) +
                             (wb.representation.nontrivialCount > 0 ? "y" : "n") + ", " +
                             std::string(kGenus) + TwoDecimals(bound) + ", " + verdict);
}

}  // namespace quarvel
