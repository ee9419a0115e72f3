#pragma once
// Helpers shared by the report tests: a small run state filled by hand, and report files taken
// apart into lines with their CR LF ends checked.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/report_file.h"
#include "run/workbench.h"
#include "test_support.h"

namespace quarvel::testing {

// The lines of a report text, each of which must end with CR LF (checked; the ends are removed).
inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    EXPECT_NE(end, std::string::npos) << "unterminated last line: " << text.substr(start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    EXPECT_TRUE(line.ends_with('\r')) << "line without CR: " << line;
    if (line.ends_with('\r')) line.pop_back();
    EXPECT_EQ(line.find('\r'), std::string::npos) << line;
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

inline std::vector<std::string> ReportLinesOf(const std::filesystem::path& file) {
  EXPECT_TRUE(std::filesystem::exists(file)) << file;
  return CrLfLines(ReadWholeFile(file));
}

// What `write` puts into a fresh report file, line by line.
template <typename Write>
std::vector<std::string> WrittenLines(Write write) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "report.txt";
  {
    ReportFile file(path.string());
    write(file);
  }
  return ReportLinesOf(path);
}

// The trefoil's Wirtinger presentation on a, b, c as built from a braid, simplified to b, c with
// a = c^-1 b c; phi is 1 on every generator. Group type, texts and verdicts as for a knot whose
// first nontrivial representation neither improves the bound nor shows non-fibering.
inline void FillTrefoilRun(Workbench& wb) {
  Presentation& p = wb.presentation;
  p.braidText = "{-1,-1,-1}";
  p.inputRelatorCount = 2;
  p.inputRelators[1] = "-a+b+c-b";
  p.inputRelators[2] = "-b+c+a-c";
  for (int g = 1; g <= 3; ++g) {
    p.generatorUsed[g] = true;
    p.phi[g] = 1;
  }
  p.generatorCount = 2;
  p.generatorLetters[1] = 2;
  p.generatorLetters[2] = 3;
  p.relatorCount = 1;
  p.relators[1] = "-c-b+c+b+c-b";
  wb.simplification.substitutionList = {"a=-c+b+c"};
  wb.current.groupType = GroupType::knot;
  SetSpaceNames(p, GroupType::knot);
  SetCurrentPrime(wb.field, 13);
  wb.settings.currentPrime = 13;

  wb.settings.repFamily = RepFamily::permutation;
  wb.settings.reducedPermutationRep = true;
  wb.current.degreeK = 2;  // V of S_3
  const int images[3][3] = {{1, 3, 2}, {3, 2, 1}, {2, 1, 3}};
  for (int g = 1; g <= 3; ++g) {
    for (int i = 1; i <= 3; ++i) wb.representation.generators[g].image[i] = images[g - 1][i - 1];
  }
  wb.twisted.deg0 = 0;
  wb.twisted.deg2 = 0;

  EvaluationState& e = wb.evaluation;
  e.untwistedPolynomialText = {" 1+12t+t^2 (in F_13)", " 1+12t+t^2 \\in \\Bbb{F}_{13}[t^{\\pm 1}]"};
  e.twistedPolynomialText = {" 1+12t^2 in F_13[t]", " 1+12t^2 \\in \\Bbb{F}_{13}[t^{\\pm 1}]"};
  e.boundText = "1";
  e.possiblyFibered = true;
  e.showsNotFibered = false;
  e.improvedBound = false;
}

// A link group on generators 1..n, each mapped to 1 by phi, with one relator per generator pair.
inline void FillLinkPresentation(Workbench& wb, int generators) {
  Presentation& p = wb.presentation;
  p.braidText.clear();
  p.generatorUsed.fill(false);
  for (int g = 1; g <= generators; ++g) {
    p.generatorUsed[g] = true;
    p.phi[g] = 1;
  }
  p.inputRelatorCount = generators - 1;
  for (int g = 1; g < generators; ++g) {
    p.inputRelators[g] = std::string("+") + static_cast<char>(GeneratorByte(g)) + "-" +
                         static_cast<char>(GeneratorByte(g + 1));
  }
  wb.current.groupType = GroupType::link;
  SetSpaceNames(p, GroupType::link);
}

}  // namespace quarvel::testing
