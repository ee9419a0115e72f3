#include "group/input_presentation.h"

#include <sstream>
#include <utility>
#include <vector>

#include "group/braid.h"
#include "group/diagram_text.h"
#include "group/presentation_file.h"
#include "group/table_knots.h"

namespace quarvel {
namespace {

// Stores the relators as the input's and counts the generators they hold.
Presentation WithInputRelators(Presentation presentation, const std::vector<Word>& relators) {
  ReplaceRelators(presentation, relators);
  presentation.inputRelators = presentation.relators;
  presentation.inputRelatorCount = static_cast<int32_t>(presentation.relatorCount);
  RecountGenerators(presentation);
  return presentation;
}

}  // namespace

Result<Presentation> BraidPresentation(std::string_view braidText, bool zeroSurgery) {
  Presentation presentation;
  presentation.braidText = NormaliseDiagramText(braidText);
  Result<ClosedBraid> braid = CloseDiagram(presentation.braidText);
  if (!braid) return Failure{braid.error()};
  Result<std::vector<Word>> relators = WirtingerRelators(*braid, zeroSurgery);
  if (!relators) return Failure{relators.error()};
  presentation.braidIsLink = braid->isLink;
  SetPhiToOne(presentation);
  return WithInputRelators(std::move(presentation), *relators);
}

Result<Presentation> PresentationFromText(std::string_view text, bool zeroSurgery) {
  std::istringstream in{std::string(text)};
  const PreScan scan = PreScanPresentation(in);
  if (scan.kind == PreScan::nothingUsable)
    return Failure{"The text holds no braid, presentation or knot list"};
  if (scan.kind == PreScan::braid) return BraidPresentation(scan.braidText, zeroSurgery);
  in.clear();
  in.seekg(0);
  Result<FilePresentation> read = ReadPresentation(in);
  if (!read) return Failure{read.error()};
  if (read->relators.empty()) return Failure{"No relator could be read from the text"};
  Presentation presentation;
  presentation.phi = read->phi;
  return WithInputRelators(std::move(presentation), read->relators);
}

std::optional<std::string> BuiltInKnotBraid(std::string_view name) {
  return TableKnotDiagram(name);
}

}  // namespace quarvel
