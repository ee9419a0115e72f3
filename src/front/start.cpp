#include "front/start.h"

#include <algorithm>
#include <array>

#include "group/diagram_text.h"

namespace quarvel {
namespace {

constexpr std::array<int32_t, 5> kNormEfforts = {0, 20, 50, 150, 500};
constexpr std::array<int32_t, 4> kIsotopyEfforts = {20, 50, 150, 500};
constexpr int kLargestFieldItem = 7;  // "F_53"
constexpr int32_t kLargestPrime = 53;

int32_t PrimeOfFieldItem(const RunSettings& settings, int item) {
  if (item == kLargestFieldItem) return kLargestPrime;
  return std::min(settings.primeTable[item + 1], kLargestPrime);
}

void TakeNormSettings(const MainWindowOptions& options, size_t braidLength, RunSettings& s) {
  s.simplifyEffort = EffortForBraidLength(kNormEfforts[options.fastbox], braidLength);
  s.saveMode = static_cast<SaveMode>(options.savetype);
  s.matrixSaveMode = static_cast<MatrixSaveMode>(options.savematrixtype);
  s.compareFields = options.fiberedbox == 1;

  s.metabelianRep = false;
  s.reducedPermutationRep = false;
  s.permutationGroupOnly = false;
  s.repFamily = RepFamily::permutation;
  switch (options.reptype) {
    case 0:
    case 1:
      s.reducedPermutationRep = true;
      break;
    case 4:
      s.repFamily = RepFamily::abelian;
      s.compareFields = false;
      break;
    case 5:
      s.permutationGroupOnly = true;
      break;
    case 6:
      s.repFamily = RepFamily::metabelian;
      s.metabelianRep = true;
      break;
    default:
      break;
  }
  s.alternatingOnly = options.reptype == 1 || options.reptype == 3;
  s.groupType = static_cast<GroupType>(options.typegroup);
  s.currentPrime = PrimeOfFieldItem(s, options.fieldtype);
  s.determineImageSize = options.imagesizebox == 0 || s.permutationGroupOnly;
  s.zeroSurgery = options.closedbox == 1;
  s.writeKnotFiles = true;
  s.degreeCap = kInitialDegreeCap;
  s.keepTorsionSwitch = true;
  s.degreeK = options.sizebox + 3;
  if (options.reptype == 6) s.metabelianMaxOrder = 2 * options.sizebox + 3;
  s.stopCondition = static_cast<StopCondition>(options.endbox);
  for (int f = 1; f <= kSelectableFields; ++f) s.fieldSelected[f] = options.fieldChecked[f];
}

void TakeIsotopySettings(const MainWindowOptions& options, size_t braidLength, RunSettings& s) {
  s.simplifyEffort = EffortForBraidLength(kIsotopyEfforts[options.fastboxIsotopy], braidLength);
  s.torsionProduct = options.torsion == 1;
  s.isotopySaveMode = static_cast<SaveMode>(options.savetypeIsotopy);
  s.isotopyGroup = std::string(kIsotopyGroupNames[options.reptypeIsotopy]);
  if (options.reptypeIsotopy == 0) s.simplifyEffort /= 5;
  s.groupType = static_cast<GroupType>(options.typegroup);
  s.allHomomorphisms = options.nonabelian == 0;
  s.currentPrime = PrimeOfFieldItem(s, options.fieldtypeIsotopy);
  s.zeroSurgery = options.closedbox == 1;
  // The torsion product keeps, for each class, the product of the nonzero diagonal entries where
  // the module has positive rank; without it such a class makes the product 0.
  s.keepTorsionSwitch = s.torsionProduct;
}

}  // namespace

bool TakeStartSettings(const MainWindowOptions& options, Workbench& workbench) {
  const std::string& braidText = options.braidEditText;
  if (options.pickedName.empty() && braidText.empty()) return false;

  RunSettings& s = workbench.settings;
  FillPrimeTable(s);
  s.inputDirectory = options.pickedDirectory;
  s.inputName = options.pickedName;
  s.isotopyMode = options.isotopyMode;
  s.normMode = !options.isotopyMode;
  workbench.presentation.braidText = braidText;
  // A note after the braid (as in the mutants list) does not make the braid longer.
  const size_t braidLength = DiagramLength(NormaliseDiagramText(braidText));
  if (options.isotopyMode) {
    TakeIsotopySettings(options, braidLength, s);
  } else {
    TakeNormSettings(options, braidLength, s);
  }
  return true;
}

}  // namespace quarvel
