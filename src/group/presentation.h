#pragma once
// The group presentation every computation works on, with phi: pi -> Z given on the generators.
// Tables count from 1 (slot 0 unused): relator i is relators[i], phi of generator g is phi[g].

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/option_codes.h"
#include "group/word.h"

namespace quarvel {

inline constexpr int kMaxRelators = 52;

struct Presentation {
  int64_t generatorCount = 0;
  int64_t relatorCount = 0;
  std::array<Word, kMaxRelators + 1> relators;
  std::array<int32_t, kMaxGenerators + 1> phi{};
  std::array<bool, kMaxGenerators + 1> generatorUsed{};
  // Positions 1..generatorCount: the surviving generators of the simplification, ascending, whether
  // or not a relator still uses them.
  std::array<int32_t, kMaxGenerators + 1> generatorLetters{};
  // The relators in normal form before elimination (kept for the reports).
  std::array<Word, kMaxRelators + 1> inputRelators;
  int32_t inputRelatorCount = 0;
  bool braidIsLink = false;
  std::string braidText;  // empty when the input is a presentation file
  std::string spaceName;
  std::string spaceNameLatex;
};

// "S^3\K", "S^3\L" or "M" (and their LaTeX forms) by group type.
void SetSpaceNames(Presentation& presentation, GroupType groupType);

// Which generators 1..52 occur in relators 1..relatorCount.
std::array<bool, kMaxGenerators + 1> OccurringGenerators(const Presentation& presentation);

// Marks the generators whose bytes occur in the relators and counts them into generatorCount.
void RecountGenerators(Presentation& presentation);

// d in phi = d phi_0 with phi_0 primitive: the gcd of phi on the present generators
// (generatorUsed); 1 when phi vanishes on all of them.
int64_t PhiMultiple(const Presentation& presentation);

// Sets phi to 1 on all 52 generators.
void SetPhiToOne(Presentation& presentation);

// Makes `relators` relators 1..n and n the relator count (at most kMaxRelators words).
void ReplaceRelators(Presentation& presentation, const std::vector<Word>& relators);

}  // namespace quarvel
