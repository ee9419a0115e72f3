#include "run/run_event_records.h"

#include <utility>

#include "group/word.h"
#include "run/show_representation.h"

namespace quarvel {
namespace {

// The name the CLI's --rep flag gives the representation kind of the settings.
std::string KindName(const RunSettings& s) {
  if (s.repFamily == RepFamily::abelian) return "abelian";
  if (s.repFamily == RepFamily::metabelian) return "metabelian";
  if (s.permutationGroupOnly) return "sk-regular";
  return std::string(s.alternatingOnly ? "ak-" : "sk-") + (s.reducedPermutationRep ? "v" : "z");
}

// The permutations of a reduced representation act on k points while its matrices have size k - 1.
int64_t PermutationDegree(const Workbench& wb) {
  const RunSettings& s = wb.settings;
  const bool reduced = s.repFamily == RepFamily::permutation && s.reducedPermutationRep;
  return wb.current.degreeK + (reduced ? 1 : 0);
}

std::vector<GeneratorImageRecord> ImagesOf(const Workbench& wb) {
  std::vector<GeneratorImageRecord> images;
  const int64_t degree = PermutationDegree(wb);
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (!wb.presentation.generatorUsed[g]) continue;
    images.push_back({std::string(1, GeneratorLetter(g)), GeneratorImageText(wb, g, degree)});
  }
  return images;
}

}  // namespace

PolynomialRecord PolynomialRecordOf(const Polynomial& polynomial, int32_t prime) {
  PolynomialRecord record;
  record.prime = prime;
  record.text = PolyToText(polynomial, true, false, false);
  if (record.text.starts_with(' ')) record.text.erase(0, 1);
  const int32_t degree = PolyDegree(polynomial);
  int32_t lowest = 0;
  while (lowest < degree && polynomial.coefficients[lowest] == 0) ++lowest;
  if (degree >= 0) {
    record.lowestExponent = lowest;
    record.coefficients.assign(polynomial.coefficients.begin() + lowest,
                               polynomial.coefficients.begin() + degree + 1);
  }
  return record;
}

std::vector<int32_t> OccurringGeneratorNumbers(const Presentation& presentation) {
  const std::array<bool, kMaxGenerators + 1> occurring = OccurringGenerators(presentation);
  std::vector<int32_t> generators;
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (occurring[g]) generators.push_back(g);
  }
  return generators;
}

PresentationRecord PresentationRecordOf(const Presentation& p, const std::vector<int32_t>& generators) {
  PresentationRecord record;
  for (int32_t g : generators) {
    record.generators.emplace_back(1, GeneratorLetter(g));
    record.phi.push_back(p.phi[g]);
  }
  for (int64_t r = 1; r <= p.relatorCount; ++r) record.relators.push_back(WordToText(p.relators[r], false));
  return record;
}

InputRecord InputRecordOf(const Workbench& wb, PresentationRecord given) {
  const Presentation& p = wb.presentation;
  InputRecord record;
  record.braid = p.braidText;
  record.fileName = wb.settings.inputName;
  record.presentation = std::move(given);
  std::vector<int32_t> survivors;
  for (int64_t i = 1; i <= p.generatorCount && i <= kMaxGenerators; ++i) {
    if (p.generatorLetters[i] != 0) survivors.push_back(p.generatorLetters[i]);
  }
  record.simplified = PresentationRecordOf(p, survivors);
  for (const std::string& substitution : wb.simplification.substitutionList)
    record.substitutions.push_back(WordToText(substitution, false));
  return record;
}

RepresentationRecord RepresentationRecordOf(const Workbench& wb, std::vector<std::string> verdicts) {
  const EvaluationState& e = wb.evaluation;
  const TwistedResults& t = wb.twisted;
  const int32_t prime = wb.field.currentPrime;
  RepresentationRecord record;
  record.cycle = wb.run.cycleCounter;
  record.kind = wb.run.trivialPass ? "untwisted" : KindName(wb.settings);
  record.degree = wb.current.degreeK;
  if (!wb.run.trivialPass) record.images = ImagesOf(wb);
  if (!wb.run.trivialPass && wb.image.current) record.imageOrder = wb.image.count;
  record.twisted = PolynomialRecordOf(t.twistedPolynomial, prime);
  record.twistedDegree = e.twistedDegree;
  record.zeroth = PolynomialRecordOf(t.zerothPolynomial, prime);
  record.zerothDegree = t.deg0;
  if (wb.current.groupType == GroupType::closed)
    record.second = PolynomialRecordOf(t.secondPolynomial, prime);
  record.secondDegree = t.deg2;
  record.positiveRank = t.positiveRank;
  record.rank = t.rankOfTorsionFreePart;
  record.genusBound = e.genusBound;
  record.normBound = e.normBound;
  record.bestBound = wb.current.groupType == GroupType::knot ? e.bestBound : e.bestNormBound;
  record.verdicts = std::move(verdicts);
  return record;
}

ClassRecord ClassRecordOf(const Workbench& wb, const Assignment& homomorphism) {
  ClassRecord record;
  record.index = static_cast<int64_t>(wb.homomorphisms.rows.size());
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (!wb.presentation.generatorUsed[g]) continue;
    record.images.push_back(
        {std::string(1, GeneratorLetter(g)), "(" + wb.isotopyGroup.texts[homomorphism[g]] + ")"});
  }
  record.polynomial = PolynomialRecordOf(wb.twisted.twistedPolynomial, wb.field.currentPrime);
  return record;
}

ProductRecord ProductRecordOf(const Workbench& wb) {
  ProductRecord record;
  record.group = wb.settings.isotopyGroup;
  record.classes = static_cast<int64_t>(wb.homomorphisms.rows.size());
  record.untwisted = PolynomialRecordOf(wb.isotopy.untwistedPolynomial, wb.settings.currentPrime);
  if (record.group != "s1") {
    record.product = PolynomialRecordOf(wb.isotopy.productPolynomial, wb.settings.currentPrime);
  }
  return record;
}

RunEndRecord RunEndRecordOf(const Workbench& wb, std::string mode) {
  const EvaluationState& e = wb.evaluation;
  RunEndRecord record;
  record.mode = std::move(mode);
  record.solutions = e.solutionCount;
  record.cycles = wb.run.cycleCounter;
  record.bestBound = wb.current.groupType == GroupType::knot ? e.bestBound : e.bestNormBound;
  record.possiblyFibered = e.possiblyFibered;
  record.stopConditionMet = e.stopConditionMet;
  record.cycleLimitReached = wb.run.representationLimitReached;
  record.stopRequested = wb.panels.flags.stopRequested;
  record.failed = wb.failure.computationFailed || wb.failure.polynomialErrorFlag;
  record.classes = static_cast<int64_t>(wb.homomorphisms.rows.size());
  return record;
}

}  // namespace quarvel
