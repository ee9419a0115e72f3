// Any bytes as the knot list of a fibration-and-norm run: the walk takes the next knot and builds
// its presentation (recording the knots before it that cannot be built as not computed), a
// made-up result of the knot is written back, and the list is walked again. Only the taken line
// may change then: every other line and the notes after "end" come back as they were, with the
// list's line ends, and the next pass at the same size goes past the written line.

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/headless_surface.h"
#include "list_fuzz_checks.h"
#include "lists/knot_list.h"
#include "lists/norm_list.h"

namespace quarvel::fuzz {
namespace {

constexpr int32_t kLowEffort = 20;
constexpr int64_t kSmallestSize = 2;
constexpr int64_t kSizes = 8;           // sizes 2..9
constexpr int32_t kStopConditions = 5;  // none, first representation, not fibered, improved, vanished

struct NormList {
  explicit NormList(uint64_t mix) : wb(surface) {
    wb.settings.simplifyEffort = kLowEffort;
    wb.current.degreeK = kSmallestSize + static_cast<int64_t>(mix % kSizes);
    wb.settings.stopCondition = static_cast<StopCondition>(mix / kSizes % kStopConditions);
    wb.settings.determineImageSize = (mix >> 8) & 1;
    wb.settings.reducedPermutationRep = (mix >> 9) & 1;
  }
  HeadlessSurface surface;
  Workbench wb;
};

// What the driver leaves after the last cycle of a knot, made up from the bytes.
void FinishKnot(Workbench& wb, uint64_t mix) {
  wb.run.savedSize = wb.current.degreeK;
  wb.evaluation.untwistedPolynomialText.plain = (mix >> 10) & 1 ? " 1-t+t^2 (in F_13)" : " 1";
  wb.evaluation.untwistedDegree = static_cast<int32_t>((mix >> 11) % 5);
  wb.evaluation.bestBound = static_cast<double>((mix >> 14) % 9) / 2;
  wb.evaluation.possiblyFibered = (mix >> 18) & 1;
  wb.evaluation.boundImproved = (mix >> 19) & 1;
  wb.evaluation.polynomialVanished = (mix >> 20) & 1;
  wb.representation.nontrivialCount = (mix >> 21) & 1;
  wb.image.generatorBound = 1 + static_cast<int32_t>((mix >> 22) % 9);
}

}  // namespace
}  // namespace quarvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarvel;
  using namespace quarvel::fuzz;
  const FuzzedList list = ReadFuzzedList(data, size);
  const std::string& path = list.path;
  const uint64_t mix = list.mix;

  NormList walk(mix);
  Workbench& wb = walk.wb;
  NextListKnot(wb, path);
  const bool taken = !wb.failure.computationFailed && !wb.run.listDone;
  const int64_t n = taken ? wb.run.listLineNumber : 0;
  const KnotList walked = RequireWalk(list, wb.failure, n);
  if (!taken) return 0;
  const std::string line = RequireTakenLine(walked, n);

  FinishKnot(wb, mix);
  WriteListResult(wb, path);
  Require(!wb.failure.computationFailed, "the result is written");

  const KnotList after = RequireRewrittenList(list);
  Require(after.lines.size() == walked.lines.size() && after.notes == walked.notes,
          "the rewritten list keeps every line and the notes");
  for (int64_t i = 1; i <= walked.Count(); ++i) {
    if (i != n) Require(after.Line(i) == walked.Line(i), "every other line is kept as read");
  }
  const std::string& result = after.Line(n);
  Require(result.starts_with(std::string(ListLineName(line)) + ":"), "the result line keeps the whole name");
  Require(Contains(result, "reps of dim") && Contains(result, "genus>="),
          "the result line carries the results");
  const std::string braid = "braid " + ListLineBraid(line);
  Require(result.ends_with(braid), "the result line ends with the knot's braid");

  // "new" makes a line be taken in any case; any other result line is done at this size.
  if (Contains(ListLineResults(result), "new")) return 0;
  NormList again(mix);
  NextListKnot(again.wb, path);
  Require(again.wb.failure.computationFailed || again.wb.run.listDone || again.wb.run.listLineNumber > n,
          "the next pass at the same size goes past the written line");
  return 0;
}
