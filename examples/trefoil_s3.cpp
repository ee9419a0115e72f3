// The twisted Alexander polynomial of the trefoil for a representation of its group onto S_3,
// acting on V = { v in Z^3 : v_1 + v_2 + v_3 = 0 }, over F_13: a program that uses nothing but
// the library's public header.
//
//   trefoil_s3    prints the generator count after simplification and the polynomial

#include <iostream>
#include <string>

#include "quarvel/quarvel.h"

namespace {

using namespace quarvel;

// The closed braid {1,1,1} with phi = 1 on every meridian, simplified.
Result<Presentation> TrefoilGroup(RandomGenerator& random, Simplification& simplification) {
  Result<ClosedBraid> braid = BuildClosedBraid(NormaliseBraidText("{1,1,1}"));
  if (!braid) return Failure{braid.error()};
  Result<std::vector<Word>> relators = WirtingerRelators(*braid, false);
  if (!relators) return Failure{relators.error()};
  Presentation presentation;
  presentation.generatorCount = braid->generatorCount;
  ReplaceRelators(presentation, *relators);
  presentation.inputRelators = presentation.relators;
  presentation.inputRelatorCount = static_cast<int32_t>(presentation.relatorCount);
  SetPhiToOne(presentation);
  NoRunControl control;
  SimplificationProgress quiet;
  Result<Simplified> simplified = SimplifyPresentation(presentation, 20, random, control, quiet);
  if (!simplified) return Failure{simplified.error()};
  simplification = simplified->simplification;
  ListSurvivingGenerators(presentation, simplification);
  return presentation;
}

}  // namespace

int main() {
  RandomGenerator random;
  Simplification simplification;
  Result<Presentation> group = TrefoilGroup(random, simplification);
  if (!group) {
    std::cerr << "trefoil_s3: " << group.error() << "\n";
    return 1;
  }
  const Presentation& presentation = *group;

  PrimeField field;
  SetCurrentPrime(field, 13);
  BuildInverseTable(field);

  // Every nontrivial solution in S_3 is onto: the meridians are conjugate and do not commute.
  SearchRequest request;
  request.kind = SearchKind::permutation;
  request.degree = 3;
  request.degreeCap = 3;
  Representation representation;
  NoRunControl control;
  SearchProgress quietSearch;
  SearchResult found = FindRepresentation(presentation, simplification, field, request, representation,
                                          random, control, quietSearch);
  if (found.end != SearchEnd::found) {
    std::cerr << "trefoil_s3: no representation onto S_3 found\n";
    return 1;
  }
  const int32_t k = 2;  // the dimension of V
  BuildRepresentationMatrices(presentation, MatrixKind::reduced, 3, representation);

  PolyMatrix matrix;
  FailureState failure = TwistedFoxMatrix(presentation, representation, k, field, control, matrix);
  if (failure.computationFailed || failure.polynomialErrorFlag) {
    std::cerr << "trefoil_s3: " << failure.errorMessage << "\n";
    return 1;
  }
  ReductionProgress quietReduction;
  Reduction reduction = Reduce(matrix, presentation.generatorCount, presentation.relatorCount, k, field,
                               false, control, quietReduction);
  if (!reduction.complete()) {
    std::cerr << "trefoil_s3: " << reduction.failures.errorMessage << "\n";
    return 1;
  }
  std::cout << "generators after simplification: " << presentation.generatorCount << "\n"
            << "twisted Alexander polynomial over F_13:"
            << PolyToText(reduction.polynomial, true, false, false) << "\n";
  return 0;
}
