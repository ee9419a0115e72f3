#include "run/presentation_display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "test_support.h"

namespace quarvel {
namespace {

struct Shown {
  std::vector<std::string> transcript;  // one drawing call per entry
  std::vector<std::string> lines;       // what the panel shows afterwards
  Presentation presentation;
};

// Shows relators with phi 1 except where `phi` says otherwise, on the norm window (panel 7) or
// on the isotopy window (panel 1).
Shown Show(const std::vector<Word>& relators, const std::map<int, int32_t>& phi, bool isotopy) {
  testing::Bench bench;
  std::ostringstream transcript;
  bench.surface.RecordTranscript(transcript);
  Presentation& p = bench.wb.presentation;
  SetSpaceNames(p, GroupType::knot);
  SetPhiToOne(p);
  for (const auto& [g, value] : phi) p.phi[g] = value;
  p.relatorCount = static_cast<int64_t>(relators.size());
  std::copy(relators.begin(), relators.end(), p.relators.begin() + 1);
  p.generatorCount = 40;  // stale: the display counts again
  if (isotopy) {
    bench.wb.panels.window = ComputationWindow::isotopy;
    ShowIsotopyPresentation(bench.wb);
  } else {
    ShowPresentation(bench.wb);
  }
  Shown shown{{},
              bench.surface.PanelLines(isotopy ? ComputationWindow::isotopy : ComputationWindow::norm,
                                       isotopy ? 1 : 7),
              p};
  std::istringstream in(transcript.str());
  for (std::string line; std::getline(in, line);) shown.transcript.push_back(line);
  EXPECT_EQ(bench.surface.Snapshot().find(isotopy ? "--- panel" : "--- isotopy"), std::string::npos)
      << "drawn on the other window";
  return shown;
}

// "+a+b+c..." over the first `count` generators.
Word AllGenerators(int count) {
  Word w;
  for (int g = 1; g <= count; ++g) w += std::string("+") + static_cast<char>(GeneratorByte(g));
  return w;
}

std::string Call(int panel, int x, int y, const std::string& text) {
  return "P" + std::to_string(panel) + "\t" + std::to_string(x) + "\t" + std::to_string(y) + "\t" + text;
}

std::string Glyph(int panel, int x, int y) {
  return "A" + std::to_string(panel) + "\t" + std::to_string(x) + "\t" + std::to_string(y);
}

void ExpectDrawn(const Shown& shown, const std::vector<std::string>& calls) {
  for (const std::string& call : calls) {
    EXPECT_NE(std::find(shown.transcript.begin(), shown.transcript.end(), call), shown.transcript.end())
        << "missing drawing call " << call;
  }
}

const std::vector<Word> kTrefoil = {"-b-a+c+a", "-a-c+b+c"};

TEST(ShowPresentation, TrefoilOnPanelSeven) {
  Shown shown = Show(kTrefoil, {{2, 2}, {3, -3}}, false);
  EXPECT_EQ(shown.transcript, (std::vector<std::string>{
                                  Call(7, 7, 7, "Presentation of pi_1(S^3\\K):"),
                                  Call(7, 7, 22, "The generators are a, b, c"),
                                  Call(7, 7, 37, "The relators are as follows:"),
                                  Call(7, 7, 52, "-b-a+c+a"),
                                  Call(7, 7, 67, "-a-c+b+c"),
                                  Call(7, 7, 142, "The homomorphism phi is given by"),
                                  Call(7, 7, 157, "a"),
                                  Glyph(7, 18, 157),
                                  Call(7, 29, 157, "1"),
                                  Call(7, 41, 157, "b"),
                                  Glyph(7, 52, 157),
                                  Call(7, 63, 157, "2"),
                                  Call(7, 75, 157, "c"),
                                  Glyph(7, 86, 157),
                                  Call(7, 97, 157, "-3"),
                              }));
  EXPECT_EQ(shown.lines,
            (std::vector<std::string>{"Presentation of pi_1(S^3\\K):", "The generators are a, b, c",
                                      "The relators are as follows:", "-b-a+c+a", "-a-c+b+c",
                                      "The homomorphism phi is given by", "a -> 1 b -> 2 c -> -3"}));
}

TEST(ShowPresentation, CountsTheGeneratorsInUse) {
  Word high = "+a-" + std::string(1, static_cast<char>(GeneratorByte(29)));
  Shown shown = Show({high, "+a+a"}, {{29, 4}}, false);
  EXPECT_EQ(shown.presentation.generatorCount, 2);
  EXPECT_TRUE(shown.presentation.generatorUsed[1] && shown.presentation.generatorUsed[29]);
  EXPECT_FALSE(shown.presentation.generatorUsed[2]);
  EXPECT_EQ(shown.lines[1], "The generators are a, C");
  EXPECT_EQ(shown.lines[3], "+a-C");
  EXPECT_EQ(shown.lines.back(), "a -> 1 C -> 4");
}

TEST(ShowPresentation, RelatorsContinueInColumnsAfterSixLines) {
  // Column 1 is 12 characters wide, column 2 8: columns at x = 7, 7 + 84 + 10, 101 + 56 + 10.
  std::vector<Word> relators = {"+a-a", "+a-a+b-b+c-c", "+b-b", "+b-b", "+b-b", "+b-b", "+c-c+a-a",
                                "+a-a", "+a-a",         "+a-a", "+a-a", "+a-a", "+b-b"};
  Shown shown = Show(relators, {}, false);
  ExpectDrawn(shown, {Call(7, 7, 127, "+b-b"), Call(7, 101, 52, "+c-c+a-a"), Call(7, 101, 127, "+a-a"),
                      Call(7, 167, 52, "+b-b"), Call(7, 7, 142, "The homomorphism phi is given by")});
  EXPECT_EQ(shown.lines[3], "+a-a +c-c+a-a +b-b");
}

TEST(ShowPresentation, PhiEntriesWrapAndTightenBeyondTwentyGenerators) {
  // Twenty generators: steps of 34, thirteen entries fit before x passes 440.
  Shown twenty = Show({AllGenerators(20)}, {}, false);
  ExpectDrawn(twenty, {Call(7, 415, 157, "m"), Glyph(7, 426, 157), Call(7, 437, 157, "1"),
                       Call(7, 7, 172, "n"), Glyph(7, 18, 172), Call(7, 29, 172, "1")});
  // Twenty-one: steps of 26, glyph and value 2 and 4 pixels closer; seventeen entries fit.
  Shown crowded = Show({AllGenerators(21)}, {}, false);
  ExpectDrawn(crowded, {Call(7, 33, 157, "b"), Glyph(7, 42, 157), Call(7, 51, 157, "1"),
                        Call(7, 423, 157, "q"), Glyph(7, 432, 157), Call(7, 441, 157, "1"),
                        Call(7, 7, 172, "r"), Glyph(7, 16, 172), Call(7, 25, 172, "1")});
}

TEST(ShowIsotopyPresentation, CompactLayoutOnPanelOne) {
  Shown shown = Show(kTrefoil, {{3, -1}}, true);
  EXPECT_EQ(shown.transcript, (std::vector<std::string>{
                                  Call(1, 300, 7, "Generators:"),
                                  Call(1, 400, 7, "a, b, c"),
                                  Call(1, 300, 22, "Relators:"),
                                  Call(1, 400, 22, "-b-a+c+a"),
                                  Call(1, 400, 37, "-a-c+b+c"),
                                  Call(1, 300, 67, "Homomorphism phi:"),
                                  Call(1, 400, 67, "a"),
                                  Glyph(1, 411, 67),
                                  Call(1, 422, 67, "1"),
                                  Call(1, 438, 67, "b"),
                                  Glyph(1, 449, 67),
                                  Call(1, 460, 67, "1"),
                                  Call(1, 476, 67, "c"),
                                  Glyph(1, 487, 67),
                                  Call(1, 498, 67, "-1"),
                              }));
  EXPECT_EQ(shown.lines[0], "Generators: a, b, c");
  EXPECT_EQ(shown.lines[1], "Relators: -b-a+c+a");
  EXPECT_EQ(shown.presentation.generatorCount, 3);
}

TEST(ShowIsotopyPresentation, ColumnsOfThreeRelators) {
  // Up to fifteen relators the next column starts 4 pixels after the widest (6 pixels a character).
  Shown four = Show({"+a-a", "+a-a+b-b", "+b-b", "+c-c"}, {}, true);
  ExpectDrawn(four, {Call(1, 400, 52, "+b-b"), Call(1, 452, 22, "+c-c")});
  Shown fifteen = Show(std::vector<Word>(15, "+a-a"), {}, true);
  ExpectDrawn(fifteen, {Call(1, 428, 22, "+a-a"), Call(1, 512, 52, "+a-a")});
  // Beyond fifteen, 2 pixels.
  Shown sixteen = Show(std::vector<Word>(16, "+a-a"), {}, true);
  ExpectDrawn(sixteen, {Call(1, 426, 22, "+a-a"), Call(1, 504, 52, "+a-a"), Call(1, 530, 22, "+a-a")});
}

TEST(ShowIsotopyPresentation, PhiEntriesWrapAfterX940) {
  Shown twenty = Show({AllGenerators(20)}, {}, true);
  ExpectDrawn(twenty, {Call(1, 932, 67, "o"), Glyph(1, 943, 67), Call(1, 954, 67, "1"), Call(1, 400, 82, "p"),
                       Glyph(1, 411, 82)});
  Shown crowded = Show({AllGenerators(21)}, {}, true);
  ExpectDrawn(crowded,
              {Call(1, 428, 67, "b"), Glyph(1, 437, 67), Call(1, 446, 67, "1"), Call(1, 932, 67, "t"),
               Call(1, 400, 82, "u"), Glyph(1, 409, 82), Call(1, 418, 82, "1")});
}

}  // namespace
}  // namespace quarvel
