#include "isotopy/isotopy_list.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "group/knot_list.h"
#include "group/prepare_presentation.h"
#include "isotopy/isotopy_panel_reports.h"
#include "poly/polynomial.h"
#include "reports/report_text.h"

namespace quarvel {
namespace {

constexpr size_t kLongestWholeText = 80;
constexpr size_t kShortHead = 30;
constexpr size_t kShortTail = 20;
constexpr size_t kLongestBraid = 400;
constexpr size_t kMarkAfter = 15;
constexpr size_t kNameWidth = 15;
constexpr std::string_view kRepeated = "Repeated! ";
constexpr std::string_view kUndistinguished = "List of knots which could not be distinguished:";

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string_view CutBefore(std::string_view text, std::string_view part) {
  return text.substr(0, text.find(part));
}

// Processed lines ("degree" without "new"), comments, and lines that are neither knots nor the
// list's end are passed over.
bool PassedOver(std::string_view line) {
  if (Contains(line, "degree") && !Contains(line, "new")) return true;
  if (line.starts_with("%")) return true;
  return !Contains(line, "{") && !line.empty() && !Contains(line, "end");
}

std::string HeaderName(std::string_view line) {
  std::string_view name = CutBefore(CutBefore(line, "{"), "Repeated!");
  return std::string(CutBefore(name, ":"));
}

// At most 400 characters from the first "{", up to the first "}", which is added when missing.
std::string IsotopyBraid(std::string_view line) {
  size_t open = line.find('{');
  std::string braid(line.substr(open == std::string_view::npos ? 0 : open, kLongestBraid));
  size_t close = braid.find('}');
  if (close == std::string::npos) return braid + "}";
  braid.resize(close + 1);
  return braid;
}

std::string ResultName(std::string_view line) {
  std::string name(CutBefore(CutBefore(CutBefore(CutBefore(line, "{"), "Repeated!"), ":"), "new"));
  PadTo(name, kNameWidth);
  return name;
}

void MarkRepeated(std::string& line) {
  if (!Contains(line, "Repeated")) line.insert(std::min(kMarkAfter, line.size()), kRepeated);
}

std::string Padded(std::string text, size_t width) {
  PadTo(text, width);
  return text;
}

std::string ResultLine(const Workbench& wb, std::string_view line, const std::string& shortText) {
  const IsotopyState& iso = wb.isotopy;
  std::string result = ResultName(line) + ": degree = ";
  if (wb.settings.isotopyGroup == "s1") {
    result += Padded(std::to_string(iso.untwistedDegree) + ",", 5) + " ";
    PadTo(result, 30);
  } else {
    result += Padded(std::to_string(PolyDegree(iso.productPolynomial)) + ",", 5) +
              " number of reps: " + Padded(std::to_string(wb.homomorphisms.newCount) + ",", 3) + " ";
    PadTo(result, 50);
  }
  return result + " Polynomial = " + shortText + ",  Braid: " + IsotopyBraid(line);
}

}  // namespace

std::string ShortPolynomialText(const std::string& text) {
  if (text.size() <= kLongestWholeText) return text;
  return HeadToSign(text, kShortHead) + "...." + TailFromSign(text, kShortTail);
}

void NextIsotopyKnot(Workbench& wb, const std::string& listPath) {
  IsotopyState& iso = wb.isotopy;
  KnotList list;
  if (!ReadKnotList(listPath, list, wb.failure)) return;
  const std::string* accepted = nullptr;
  for (iso.listLineNumber = 1; iso.listLineNumber <= list.Count(); ++iso.listLineNumber) {
    if (PassedOver(list.Line(iso.listLineNumber))) continue;
    accepted = &list.Line(iso.listLineNumber);
    break;
  }
  iso.listDone = accepted == nullptr || accepted->empty();
  if (iso.listDone) return;
  wb.presentation.braidText = IsotopyBraid(*accepted);
  WriteIsotopyHeader(wb.panels, 7, 7,
                     "Knot number " + std::to_string(iso.listLineNumber) + ",  Name: knot" +
                         HeaderName(*accepted) + BlankLine());
  PumpMessages(wb.panels);
  PreparePresentation(wb);
}

void RecordIsotopyResult(Workbench& wb, const std::string& listPath) {
  const IsotopyState& iso = wb.isotopy;
  const bool untwistedOnly = wb.settings.isotopyGroup == "s1";
  const std::string& polynomial = untwistedOnly ? iso.untwistedPolynomialText.plain : iso.productText.plain;
  const std::string shortText =
      ShortPolynomialText(polynomial + " mod " + std::to_string(wb.settings.currentPrime));
  if (wb.panels.flags.stopRequested) return;

  KnotList list;
  if (!ReadKnotList(listPath, list, wb.failure)) return;
  const int64_t current = iso.listLineNumber;
  if (current < 1 || current > list.Count()) {
    Fail(wb.failure, "Knot list changed during the run");
    return;
  }
  bool repeat = false;
  for (int64_t i = 1; i < current; ++i) {
    std::string& line = list.Line(i);
    if (line.starts_with("%") || !Contains(line, "Polynomial = " + shortText + ",")) continue;
    repeat = true;
    MarkRepeated(line);
  }
  std::string result = ResultLine(wb, list.Line(current), shortText);
  if (repeat) result.insert(kMarkAfter, kRepeated);
  list.Line(current) = result;

  // A closing section left in the list (its "end" line gone) is not kept: it is made anew.
  int64_t kept = list.Count();
  for (int64_t i = 1; i <= list.Count(); ++i) {
    if (Contains(list.Line(i), kUndistinguished)) kept = i - 1;
  }
  std::vector<std::string> undistinguished;
  for (int64_t i = 1; i <= current; ++i) {
    if (Contains(list.Line(i), "Repeated")) undistinguished.push_back(list.Line(i));
  }
  std::vector<std::string> lines(list.lines.begin(), list.lines.begin() + kept);
  lines.emplace_back("end");
  if (!undistinguished.empty()) {
    lines.emplace_back(kUndistinguished);
    lines.insert(lines.end(), undistinguished.begin(), undistinguished.end());
  }
  RewriteKnotList(listPath, lines, wb.failure);
}

}  // namespace quarvel
