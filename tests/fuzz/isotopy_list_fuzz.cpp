// Any bytes as the knot list of an isotopy run: the walk takes the next knot and builds its
// presentation, a made-up result is recorded, and the list is walked again. The rewritten list
// keeps every line before the last one holding the closing section's heading (the knot's new line
// counts too; all lines when none holds it), each as it was read or with "Repeated! " inserted
// after its 15th character when it carries the knot's polynomial; then "end" and, when there are
// repeats, the closing section with every marked line up to the knot. The next walk goes past the
// recorded line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "control/headless_surface.h"
#include "group/knot_list.h"
#include "isotopy/isotopy_list.h"
#include "list_fuzz_checks.h"

namespace quarvel::fuzz {
namespace {

constexpr int32_t kLowEffort = 20;
constexpr int32_t kPrime = 13;
constexpr size_t kMarkAfter = 15;
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
  iso.productPolynomial.coefficients[(mix >> 7) % 40] = 1;
  wb.homomorphisms.newCount = static_cast<int64_t>((mix >> 13) % 30);
}

// The braid a result line ends with: from the line's first "{" (its start when there is none), at
// most 400 characters, through the first "}", which is added when missing.
std::string ExpectedBraid(const std::string& line) {
  const size_t open = line.find('{');
  std::string braid = line.substr(open == std::string::npos ? 0 : open, kLongestBraid);
  const size_t close = braid.find('}');
  return close == std::string::npos ? braid + "}" : braid.substr(0, close + 1);
}

// Line i of the old list as the rewrite must give it back.
std::string Marked(const std::string& line, const std::string& shortText) {
  if (line.starts_with("%") || !Contains(line, "Polynomial = " + shortText + ",") || Contains(line, "Repeated"))
    return line;
  std::string marked = line;
  marked.insert(std::min(kMarkAfter, marked.size()), kRepeated);
  return marked;
}

}  // namespace
}  // namespace quarvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarvel;
  using namespace quarvel::fuzz;
  const FuzzedList list = ReadFuzzedList(data, size);
  const std::string& path = list.path;
  const KnotList& before = list.before;
  const uint64_t mix = list.mix;

  IsotopyList walk(mix);
  Workbench& wb = walk.wb;
  NextIsotopyKnot(wb, path);
  RequireQuietWalk(list, wb.failure);
  if (wb.failure.computationFailed || wb.isotopy.listDone) return 0;

  const int64_t n = wb.isotopy.listLineNumber;
  const std::string taken = RequireTakenLine(before, n);

  const std::string polynomial = MadeUpPolynomial(before, n, mix);
  FinishKnot(wb, polynomial, mix);
  RecordIsotopyResult(wb, path);
  Require(!wb.failure.computationFailed, "the result is recorded");

  const std::string shortText = ShortPolynomialText(polynomial + " mod " + std::to_string(kPrime));
  std::vector<std::string> expected = before.lines;
  std::vector<std::string> marked;  // the earlier lines the closing section lists
  bool repeat = false;
  for (int64_t i = 1; i < n; ++i) {
    const std::string& line = before.Line(i);
    repeat |= !line.starts_with("%") && Contains(line, "Polynomial = " + shortText + ",");
    expected[static_cast<size_t>(i - 1)] = Marked(line, shortText);
    const std::string& now = expected[static_cast<size_t>(i - 1)];
    if (Contains(now, "Repeated")) marked.push_back(now);
  }
  // What stands before "end": the lines before the last one that holds the closing section's
  // heading (the knot's new line counts too), all of them when none does.
  const std::vector<std::string> after = CrLfLines(ReadListFile(path));
  const int64_t kept = std::find(after.begin(), after.end(), "end") - after.begin();
  Require(kept < static_cast<int64_t>(after.size()) && kept <= before.Count(), "\"end\" follows the kept lines");
  for (int64_t i = 1; i <= kept; ++i) {
    const std::string& line = after[static_cast<size_t>(i - 1)];
    if (i != n) {
      Require(line == expected[static_cast<size_t>(i - 1)],
              "every other line is kept, marked when it shows the knot's polynomial");
    }
    Require(kept < before.Count() || !Contains(line, kHeading), "a list that keeps all its lines holds no heading");
  }
  for (int64_t i = kept + 1; i <= before.Count(); ++i) {
    if (i == n) continue;  // the knot's new line was dropped unseen
    Require(Contains(expected[static_cast<size_t>(i - 1)], kHeading) == (i == kept + 1),
            "the lines from the last heading on are dropped, and no others");
  }
  const std::vector<std::string> closing(after.begin() + kept + 1, after.end());
  if (n <= kept) {
    const std::string& result = after[static_cast<size_t>(n - 1)];
    Require(Contains(result, ": degree = "), "the result line carries the degree");
    Require(result.ends_with("Polynomial = " + shortText + ",  Braid: " + ExpectedBraid(taken)),
            "the result line ends with the polynomial and the braid");
    Require((result.compare(kMarkAfter, 10, kRepeated) == 0) == repeat, "a repeat is marked, and only a repeat");
    if (Contains(result, "Repeated")) marked.push_back(result);
    if (marked.empty()) {
      Require(closing.empty(), "nothing follows \"end\" without repeats");
    } else {
      Require(!closing.empty() && closing.front() == kHeading, "the closing section follows \"end\"");
      Require(std::vector<std::string>(closing.begin() + 1, closing.end()) == marked,
              "the closing section lists the marked lines up to the knot");
    }
  } else {
    // The knot's line went with an old closing section; the new section may still list it.
    Require(!closing.empty() || (marked.empty() && !repeat), "a repeat gets a closing section");
    if (!closing.empty()) {
      Require(closing.front() == kHeading && closing.size() - 1 >= marked.size() &&
                  closing.size() - 1 <= marked.size() + 1,
              "the closing section lists the marked lines up to the knot");
      Require(std::equal(marked.begin(), marked.end(), closing.begin() + 1), "the closing section keeps the order");
    }
  }

  // "new" makes a line be computed again; any other result line is passed over from now on.
  if (n > kept || Contains(after[static_cast<size_t>(n - 1)], "new")) return 0;
  IsotopyList again(mix);
  NextIsotopyKnot(again.wb, path);
  Require(again.wb.failure.computationFailed || again.wb.isotopy.listDone || again.wb.isotopy.listLineNumber != n,
          "the next walk goes past the recorded line");
  return 0;
}
