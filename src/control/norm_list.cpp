#include "control/norm_list.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "bounds/evaluate_representation.h"
#include "control/norm_run_start.h"
#include "group/knot_list.h"
#include "group/prepare_presentation.h"
#include "reports/report_text.h"

namespace quarvel {
namespace {

constexpr int kCaptionPanel = 5;
constexpr int64_t kEmptyLinesAtEnd = 100;
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
constexpr int32_t kStopAtFirst = 1;
constexpr int32_t kStopNotFibered = 2;
constexpr int32_t kStopImproved = 3;
constexpr int32_t kStopVanishes = 4;

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string_view TrimRight(std::string_view text, std::string_view characters) {
  size_t last = text.find_last_not_of(characters);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// Whether a line already holds what the stop condition asks for.
bool MeetsStopCondition(std::string_view line, int32_t stopCondition) {
  switch (stopCondition) {
    case kStopAtFirst: {
      constexpr std::array<std::string_view, 7> kFound = {"3y", "4y", "5y", "6y", "7y", "8y", "9y"};
      return std::any_of(kFound.begin(), kFound.end(), [&](std::string_view t) { return Contains(line, t); });
    }
    case kStopNotFibered:
      return Contains(line, kNotFibered);
    case kStopImproved:
      return Contains(line, kImproved);
    case kStopVanishes:
      return Contains(line, kVanished);
    default:
      return false;
  }
}

// Whether the pass at `size` takes the knot line; clears `satisfied` for a line that still lacks
// what the stop condition asks for.
bool TakesLine(std::string_view line, const std::string& size, int32_t stopCondition, bool& satisfied) {
  const bool meets = stopCondition != 0 && MeetsStopCondition(line, stopCondition);
  bool taken = !Contains(line, size + "n") && !Contains(line, size + "y") && !meets;
  if (!Contains(line, "braid") || !meets) satisfied = false;
  if (Contains(line, "braid") && Contains(line, "new")) {
    taken = true;
    satisfied = false;
  }
  return taken;
}

// The name the caption shows: the line up to its first blank, without trailing blanks and colons.
std::string CaptionName(std::string_view line) {
  return std::string(TrimRight(line.substr(0, line.find(' ')), " :"));
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

EarlierResults ReadEarlierResults(Workbench& wb, std::string_view line) {
  EarlierResults earlier;
  earlier.bound = wb.evaluation.untwistedDegree / 2;
  earlier.reps = kReps;
  if (Contains(line, "new")) return earlier;
  if (Contains(line, kNotFibered)) wb.evaluation.possiblyFibered = false;
  if (size_t at = line.find(kGenus); at != std::string_view::npos) {
    earlier.bound = LeadingNumber(line.substr(at + kGenus.size(), 4));
    size_t dim = line.find("dim ");
    if (dim != std::string_view::npos) earlier.boundSize = DigitAt(line, dim + 4, -1);
  }
  if (size_t at = line.find(kGenerators); wb.settings.determineImageSize && at != std::string_view::npos) {
    wb.image.generatorBound = std::max(wb.image.generatorBound, DigitAt(line, at + kGenerators.size(), 0));
  }
  if (Contains(line, kReps)) earlier.reps = TrimRight(Field(line, kReps, kKeptRepsLength), " ");
  earlier.note = Field(line, " (dim ", kKeptNoteLength);
  return earlier;
}

// The bound the line gets: the knot's best bound where it beats the earlier one (or the untwisted
// bound, for the reduced permutation representations, equals it), the earlier bound where it was
// found at a smaller size, else the larger of the two.
double BoundToWrite(const Workbench& wb, const EarlierResults& earlier) {
  const double untwisted = wb.evaluation.untwistedDegree / 2;
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

std::string ResultName(std::string_view line) {
  std::string_view name = line.substr(0, line.find('{'));
  name = name.substr(0, name.find(':'));
  return std::string(TrimRight(name, " ")) + ":";
}

std::string ComposeResultLine(const Workbench& wb, std::string_view line, const EarlierResults& earlier,
                              double bound) {
  const EvaluationState& e = wb.evaluation;
  const RunSettings& s = wb.settings;
  std::string result = ResultName(line);
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
  if (s.stopCondition == kStopVanishes && e.polynomialVanished) {
    result += std::string(kVanished) + "  ";
    column += 35;
  }
  if (s.determineImageSize) {
    result += std::string(kGenerators) + std::to_string(wb.image.generatorBound);
    column += 16;
    PadTo(result, column);
  }
  result += "braid " + ListLineBraid(line);
  if (wb.presentation.generatorCount > kMaxNormGenerators) result += " too many generators";
  return result;
}

}  // namespace

void NextListKnot(Workbench& wb, const std::string& listPath) {
  NormRunState& run = wb.run;
  RunSettings& s = wb.settings;
  KnotList list;
  if (!ReadKnotList(listPath, list, wb.failure)) return;
  const std::string size = std::to_string(s.degreeK);
  run.listSatisfied = s.stopCondition != 0;
  bool knotLines = false;
  int64_t emptyLines = 0;
  const std::string* taken = nullptr;
  for (run.listLineNumber = 1; run.listLineNumber <= list.Count(); ++run.listLineNumber) {
    const std::string& line = list.Line(run.listLineNumber);
    if (line.empty()) {
      if (++emptyLines == kEmptyLinesAtEnd) break;
      continue;
    }
    if (line.starts_with("%")) continue;
    knotLines = true;
    if (TakesLine(line, size, s.stopCondition, run.listSatisfied)) {
      taken = &line;
      break;
    }
  }
  // Nothing in an empty list lacks what the stop condition asks for.
  if (!knotLines) run.listSatisfied = true;
  run.listDone = taken == nullptr;
  if (run.listDone) return;

  s.writeKnotFiles = false;
  wb.presentation.braidText = ListLineBraid(*taken);
  s.inputName = "test.txt";
  PreparePresentation(wb);
  WriteText(wb.panels, kCaptionPanel, 7, 7,
            "Knot number " + std::to_string(run.listLineNumber) + " Name: knot" + CaptionName(*taken) +
                std::string(13, ' '));
  PumpMessages(wb.panels);
}

void WriteListResult(Workbench& wb, const std::string& listPath) {
  KnotList list;
  if (!ReadKnotList(listPath, list, wb.failure)) return;
  const int64_t number = wb.run.listLineNumber;
  if (number < 1 || number > list.Count()) {
    Fail(wb.failure, "Knot list changed during the run");
    return;
  }
  std::string& line = list.Line(number);
  const EarlierResults earlier = ReadEarlierResults(wb, line);
  const double bound = BoundToWrite(wb, earlier);
  wb.evaluation.bestBound = bound;
  line = ComposeResultLine(wb, line, earlier, bound);
  list.lines.emplace_back("end");
  RewriteKnotList(listPath, list.lines, wb.failure);
}

}  // namespace quarvel
