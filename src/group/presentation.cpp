#include "group/presentation.h"

#include <algorithm>
#include <numeric>

namespace quarvel {

void SetSpaceNames(Presentation& presentation, GroupType groupType) {
  switch (groupType) {
    case GroupType::knot:
      presentation.spaceName = "S^3\\K";
      presentation.spaceNameLatex = "S^3\\setminus K";
      break;
    case GroupType::link:
      presentation.spaceName = "S^3\\L";
      presentation.spaceNameLatex = "S^3\\setminus L";
      break;
    case GroupType::boundary:
    case GroupType::closed:
      presentation.spaceName = "M";
      presentation.spaceNameLatex = "M";
  }
}

std::array<bool, kMaxGenerators + 1> OccurringGenerators(const Presentation& p) {
  std::array<bool, kMaxGenerators + 1> occurs{};
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    for (char c : p.relators[r]) {
      int g = static_cast<unsigned char>(c) - kGeneratorByteBase;
      if (g >= 1 && g <= kMaxGenerators) occurs[g] = true;
    }
  }
  return occurs;
}

void RecountGenerators(Presentation& p) {
  p.generatorUsed = OccurringGenerators(p);
  p.generatorCount = 0;
  for (int g = 1; g <= kMaxGenerators; ++g) p.generatorCount += p.generatorUsed[g];
}

int64_t PhiMultiple(const Presentation& p) {
  int64_t divisor = 0;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (p.generatorUsed[g]) divisor = std::gcd(divisor, int64_t{p.phi[g]});
  }
  return divisor == 0 ? 1 : divisor;
}

void SetPhiToOne(Presentation& presentation) {
  presentation.phi.fill(1);
  presentation.phi[0] = 0;
}

void ReplaceRelators(Presentation& presentation, const std::vector<Word>& relators) {
  presentation.relatorCount = static_cast<int64_t>(relators.size());
  std::copy(relators.begin(), relators.end(), presentation.relators.begin() + 1);
}

}  // namespace quarvel
