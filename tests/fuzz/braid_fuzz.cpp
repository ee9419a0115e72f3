// Any text as a braid description: the parser on the raw text, then the whole braid input of a run
// (normalising, the closed-braid presentation with and without the 0-surgery, the presentation
// display and the simplification at low effort, lowered for long braid texts as Start lowers it).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/headless_surface.h"
#include "front/start.h"
#include "fuzz_checks.h"
#include "group/braid.h"
#include "group/diagram_text.h"
#include "run/prepare_presentation.h"

namespace quarvel::fuzz {
namespace {

constexpr int32_t kLowEffort = 20;

void ParseRawText(const std::string& text) {
  Result<std::vector<int>> letters = ParseBraid(text);
  if (!letters) {
    FailureState failure;
    Fail(failure, letters.error());
    RequireMessageAmong(failure, {"Not a valid braid description", "Braid description has to many strands",
                                  "Braid has to many crossings"});
    return;
  }
  Require(letters->size() <= static_cast<size_t>(kMaxBraidCrossings), "at most 47 letters");
  for (int letter : *letters)
    Require(letter != 0 && std::abs(letter) <= kMaxBraidLetter, "letters within 1..30");
}

void PrepareBraid(const std::string& text, bool zeroSurgery) {
  HeadlessSurface surface;
  Workbench wb(surface);
  wb.settings.simplifyEffort = EffortForBraidLength(kLowEffort, text.size());
  wb.settings.zeroSurgery = zeroSurgery;
  SetSpaceNames(wb.presentation, GroupType::knot);
  wb.presentation.braidText = text;
  PreparePresentation(wb);
  const Presentation& p = wb.presentation;
  Require(NormaliseDiagramText(p.braidText) == p.braidText, "the normalised text is its own normal form");
  // Every Wirtinger relator and the corrected longitude have exponent sum 0, so phi = 1 always passes.
  RequireDiagramMessageAmong(wb.failure,
                             {"Not a valid braid description", "Braid description has to many strands",
                              "Braid has to many crossings", "Too many generators", "Too many relators"});
  if (!wb.failure.computationFailed) RequirePlainPresentation(p);
}

}  // namespace
}  // namespace quarvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarvel::fuzz;
  std::string text(reinterpret_cast<const char*>(data), size);
  ParseRawText(text);
  if (text.empty()) return 0;  // an empty braid box means that a file was picked
  PrepareBraid(text, false);
  PrepareBraid(text, true);
  return 0;
}
