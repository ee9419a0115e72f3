#include "norm/representation_stage.h"

#include <algorithm>
#include <string>

#include "norm/search_status_line.h"
#include "reps/find_representation.h"
#include "reps/image_order.h"
#include "reps/representation_matrices.h"
#include "run/show_representation.h"

namespace quarvel {
namespace {

constexpr int kOrderPanelLine = 18;
constexpr int kSavedPanelOffset = 25;
constexpr int kGeneratorBoundPanel = 6;

SearchKind KindOf(const Workbench& wb) {
  if (wb.run.trivialPass) return SearchKind::trivial;
  switch (wb.settings.repFamily) {
    case RepFamily::metabelian:
      return SearchKind::metabelian;
    case RepFamily::abelian:
      return SearchKind::abelian;
    default:
      return SearchKind::permutation;
  }
}

SearchRequest RequestOf(const Workbench& wb) {
  const RunSettings& s = wb.settings;
  SearchRequest request;
  request.kind = KindOf(wb);
  request.degree = wb.current.degreeK;
  request.degreeCap = wb.run.degreeCap;
  request.alternatingOnly = s.alternatingOnly;
  request.regularRepresentation = s.permutationGroupOnly;
  request.listMode = wb.run.listMode;
  request.firstSearch = wb.representation.searchNumber == 1;
  request.nontrivialFound = wb.representation.nontrivialCount != 0;
  request.metabelianBound = wb.run.metabelianMaxOrder;
  request.primeTable = s.primeTable;
  return request;
}

MatrixKind MatrixKindOf(const Workbench& wb) {
  const RunSettings& s = wb.settings;
  if (wb.run.trivialPass || s.repFamily == RepFamily::abelian) return MatrixKind::scalar;
  if (s.repFamily == RepFamily::permutation && s.reducedPermutationRep) return MatrixKind::reduced;
  return MatrixKind::permutation;
}

bool ImageWanted(const Workbench& wb) {
  const RunSettings& s = wb.settings;
  return s.determineImageSize && !wb.panels.flags.stopRequested && !wb.failure.computationFailed &&
         s.repFamily == RepFamily::permutation;
}

// "S" with the subscript m after a maps-to arrow, the text at (x, y + 7).
void ShowIntoSymmetricGroup(Workbench& wb, int x, int y, int32_t m) {
  const int panel = wb.run.outputPanel;
  DrawMapsTo(wb.panels, panel, x, y + 7);
  WriteText(wb.panels, panel, x + 13, y + 7, "S");
  WriteText(wb.panels, panel, x + 19, y + 12, std::to_string(m));
}

void ShowImageOrder(Workbench& wb) {
  const int panel = wb.run.outputPanel;
  const int y = wb.run.outputLine;
  WriteText(wb.panels, panel, 7, y + 7, "Order of Im{pi  (M)");
  WriteText(wb.panels, panel, 71, y + 12, "1");
  ShowIntoSymmetricGroup(wb, 95, y, wb.image.degree);
  WriteText(wb.panels, panel, 120, y + 7, "}=" + std::to_string(wb.image.count) + std::string(6, ' '));
  wb.run.savedPanelPosition = y + kSavedPanelOffset;
}

void ShowImageGeneratorCount(Workbench& wb, int32_t count) {
  const int panel = wb.run.outputPanel;
  const int y = wb.run.outputLine - kOrderPanelLine;
  WriteText(wb.panels, panel, 231, y + 7, "Number of generators of im{pi  (M)");
  WriteText(wb.panels, panel, 371, y + 12, "1");
  ShowIntoSymmetricGroup(wb, 395, y, wb.image.degree);
  WriteText(wb.panels, panel, 420, y + 7, "}=" + std::to_string(count) + std::string(6, ' '));
}

}  // namespace

void SearchRepresentation(Workbench& wb) {
  Representation& rep = wb.representation;
  const SearchRequest request = RequestOf(wb);
  PanelRunControl control(wb.panels);
  SearchStatusLine status(wb);
  const SearchResult result = FindRepresentation(wb.presentation, wb.simplification, wb.field, request, rep,
                                                 wb.random, control, status);
  wb.current.degreeK = result.degree;
  switch (result.end) {
    case SearchEnd::stopped:
      return;
    case SearchEnd::gaveUp:
      rep.representationFound = false;
      return;
    case SearchEnd::failed:
      rep.representationFound = false;
      Fail(wb.failure, result.failure);
      return;
    case SearchEnd::found:
      break;
  }
  if (request.kind != SearchKind::trivial) {
    rep.nontrivialCount = 1;
    ShowRepresentation(wb);
  }
  if (request.kind != SearchKind::abelian && !wb.settings.permutationGroupOnly) {
    BuildRepresentationMatrices(wb.presentation, MatrixKindOf(wb), static_cast<int32_t>(result.degree), rep);
  }
  ++rep.searchNumber;
}

void ComputeImageOrder(Workbench& wb) {
  if (!ImageWanted(wb)) {
    wb.image.current = false;
    return;
  }
  const RunSettings& s = wb.settings;
  PanelRunControl control(wb.panels);
  if (!ComputeImage(wb.presentation, wb.representation, static_cast<int32_t>(wb.current.degreeK), wb.image,
                    control))
    return;
  const int32_t n = wb.image.count;
  if (s.permutationGroupOnly) {
    wb.current.degreeK = n;
    if (!BuildRegularRepresentation(wb.image, wb.presentation, wb.representation))
      wb.representation.representationFound = false;
  }
  if (!wb.run.trivialPass && n <= kLargestShownImage) ShowImageOrder(wb);
  wb.run.outputLine += kOrderPanelLine;
  PumpMessages(wb.panels);
}

void CountImageGenerators(Workbench& wb) {
  if (!ImageWanted(wb)) return;
  PanelRunControl control(wb.panels);
  const std::optional<int32_t> count = ImageGeneratorCount(wb.image, control);
  if (!count) return;
  ImageState& im = wb.image;
  im.generatorBound = std::max(im.generatorBound, *count);
  if (!wb.run.trivialPass) ShowImageGeneratorCount(wb, *count);
  WriteText(wb.panels, kGeneratorBoundPanel, 250, 7,
            "Lower bound on number of generators: " + std::to_string(im.generatorBound) + "  ");
  PumpMessages(wb.panels);
}

}  // namespace quarvel
