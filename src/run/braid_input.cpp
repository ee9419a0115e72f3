#include "run/braid_input.h"

#include "group/diagram_text.h"
#include "run/knot_files.h"

namespace quarvel {

void LoadBraidPresentation(Workbench& wb) {
  Presentation& p = wb.presentation;
  p.braidText = NormaliseDiagramText(p.braidText);
  Result<ClosedBraid> braid = CloseDiagram(p.braidText);
  if (!braid) return Fail(wb.failure, braid.error());
  p.braidIsLink = braid->isLink;
  Result<std::vector<Word>> relators = WirtingerRelators(*braid, wb.settings.zeroSurgery);
  if (!relators) return Fail(wb.failure, relators.error());
  p.generatorCount = braid->generatorCount;
  ReplaceRelators(p, *relators);
  p.inputRelators = p.relators;
  p.inputRelatorCount = static_cast<int32_t>(p.relatorCount);

  if (wb.current.writeKnotFiles) WriteKnotFiles(wb, *braid);
}

}  // namespace quarvel
