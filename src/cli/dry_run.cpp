#include "cli/dry_run.h"

#include <string>

namespace quarvel::cli {
namespace {

template <typename Table>
std::string JoinFrom1(const Table& table) {
  std::string joined;
  for (size_t i = 1; i < table.size(); ++i) {
    if (i > 1) joined += ',';
    joined += std::to_string(static_cast<int>(table[i]));
  }
  return joined;
}

void Line(std::ostream& out, const char* name, const std::string& value) {
  out << name << " = " << value << '\n';
}
void Line(std::ostream& out, const char* name, long long value) {
  Line(out, name, std::to_string(value));
}

}  // namespace

void PrintRunSettings(std::ostream& out, const Workbench& wb) {
  const RunSettings& s = wb.settings;
  const Presentation& p = wb.presentation;
  Line(out, "normMode", s.normMode);
  Line(out, "isotopyMode", s.isotopyMode);
  Line(out, "braidText", p.braidText);
  Line(out, "inputDirectory", s.inputDirectory);
  if (!s.outputDirectory.empty()) Line(out, "outputDirectory", s.outputDirectory);
  Line(out, "inputName", s.inputName);
  Line(out, "primeTable", JoinFrom1(s.primeTable));
  Line(out, "currentPrime", s.currentPrime);
  Line(out, "simplifyEffort", s.simplifyEffort);
  Line(out, "groupType", OptionCode(s.groupType));
  Line(out, "zeroSurgery", s.zeroSurgery);
  Line(out, "keepTorsionSwitch", s.keepTorsionSwitch);
  if (s.isotopyMode) {
    Line(out, "isotopyGroup", s.isotopyGroup);
    Line(out, "allHomomorphisms", s.allHomomorphisms);
    Line(out, "torsionProduct", s.torsionProduct);
    Line(out, "isotopySaveMode", OptionCode(s.isotopySaveMode));
    return;
  }
  Line(out, "degreeK", s.degreeK);
  Line(out, "metabelianMaxOrder", s.metabelianMaxOrder);
  Line(out, "repFamily", OptionCode(s.repFamily));
  Line(out, "reducedPermutationRep", s.reducedPermutationRep);
  Line(out, "alternatingOnly", s.alternatingOnly);
  Line(out, "permutationGroupOnly", s.permutationGroupOnly);
  Line(out, "metabelianRep", s.metabelianRep);
  Line(out, "compareFields", s.compareFields);
  Line(out, "fieldSelected", JoinFrom1(s.fieldSelected));
  Line(out, "determineImageSize", s.determineImageSize);
  Line(out, "stopCondition", OptionCode(s.stopCondition));
  Line(out, "saveMode", OptionCode(s.saveMode));
  Line(out, "matrixSaveMode", OptionCode(s.matrixSaveMode));
  Line(out, "degreeCap", s.degreeCap);
  Line(out, "writeKnotFiles", s.writeKnotFiles);
  Line(out, "listMode", wb.run.listMode);
}

}  // namespace quarvel::cli
