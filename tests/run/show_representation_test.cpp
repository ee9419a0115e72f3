#include "run/show_representation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "test_support.h"

namespace quarvel {
namespace {

using Lines = std::vector<std::string>;

// A workbench of the given kind whose surface records every drawing call.
struct ShowBench {
  testing::Bench bench;
  Workbench& wb = bench.wb;
  std::ostringstream transcript;

  explicit ShowBench(RepFamily family) {
    bench.surface.RecordTranscript(transcript);
    wb.settings.repFamily = family;
    SetSpaceNames(wb.presentation, GroupType::knot);
  }
  Lines Calls(std::string_view prefix) const { return testing::TranscriptCalls(transcript, prefix); }
};

// Shows generators `present` with images cycled from `images`; returns the calls after the 80
// blank lines.
Lines Shown(ShowBench& bench, int64_t k, const std::vector<int>& present,
            const std::vector<std::vector<int32_t>>& images) {
  Workbench& wb = bench.wb;
  wb.current.degreeK = k;
  wb.run.outputPanel = 4;
  for (size_t i = 0; i < present.size(); ++i) {
    wb.presentation.generatorUsed[present[i]] = true;
    const std::vector<int32_t>& points = images[i % images.size()];
    std::copy(points.begin(), points.end(), wb.representation.generators[present[i]].image.begin() + 1);
  }
  ShowRepresentation(wb);
  Lines calls = bench.Calls("");
  EXPECT_EQ(calls.size() >= 80 ? calls[79] : "", "P4\t7\t639\t");
  return Lines(calls.begin() + std::min<size_t>(80, calls.size()), calls.end());
}

TEST(ShowRepresentation, LettersArrowsAndImagesWrappingPast400) {
  ShowBench plain(RepFamily::permutation);
  EXPECT_EQ(Shown(plain, 3, {1, 2, 3}, {{2, 1, 3}, {1, 3, 2}, {3, 1, 2}}),
            (Lines{"P4\t7\t7\tRepresentation of the fundamental group: pi_1(S^3\\K) -> S_3 -> GL(Z,3)",  //
                   "P4\t7\t22\ta", "A4\t18\t22", "P4\t31\t22\t(213)",                                    //
                   "P4\t72\t22\tb", "A4\t83\t22", "P4\t96\t22\t(132)",  // 7 + 35 + 10 * 3
                   "P4\t137\t22\tc", "A4\t148\t22", "P4\t161\t22\t(312)"}));
  EXPECT_EQ(plain.wb.run.outputLine, 30);

  // Steps of 35 + 100: x = 7, 142, 277, then 412 passes 400 and the next entry starts a new line.
  ShowBench reduced(RepFamily::permutation);
  reduced.wb.settings.reducedPermutationRep = true;
  const std::vector<int32_t> swap = {2, 1, 3, 4, 5, 6, 7, 8, 9, 10};
  Lines shown = Shown(reduced, 10, {1, 2, 3, 27}, {swap});
  EXPECT_EQ(
      Lines(shown.begin(), shown.begin() + 2),
      (Lines{"P4\t7\t7\tThe representation of the fundamental group: pi_1(S^3\\K) -> S_10 -> GL(V) = GL(Z,9)",
             "P4\t7\t22\twhere V = { (v_1,...,v_10) | v_1+...+v_10=0 } is given by"}));
  EXPECT_EQ(Lines(shown.begin() + 8, shown.end()),
            (Lines{"P4\t277\t37\tc", "A4\t288\t37", "P4\t301\t37\t(21345678910)",  //
                   "P4\t7\t52\tA", "A4\t18\t52", "P4\t31\t52\t(21345678910)"}));
  EXPECT_EQ(reduced.wb.run.outputLine, 60);

  // Three entries fill the line; the wrap after them writes nothing on the next one.
  ShowBench full(RepFamily::permutation);
  Shown(full, 10, {1, 2, 3}, {swap});
  EXPECT_EQ(full.wb.run.outputLine, 30);
}

TEST(ShowRepresentation, CompactLayoutAndMetabelianPairs) {
  ShowBench compact(RepFamily::permutation);
  compact.wb.settings.permutationGroupOnly = true;
  std::vector<int> present = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 27};
  Lines shown = Shown(compact, 3, present, {{1, 2, 3}});
  ASSERT_EQ(shown.size(), 1u + 13u * 3u);
  EXPECT_EQ(shown[0], "P4\t7\t7\tRepresentation of the fundamental group: pi_1(S^3\\K) -> S_3");
  // 13 generators: steps of 35 + 30 - 18 = 47, arrow at +9 and image at +18; nine entries a line.
  for (int entry = 0; entry < 13; ++entry) {
    const std::string x = std::to_string(7 + 47 * (entry % 9));
    const std::string y = entry < 9 ? "\t22" : "\t37";
    EXPECT_EQ(shown[1 + 3 * entry], "P4\t" + x + y + "\t" + GeneratorLetter(present[entry]));
    EXPECT_EQ(shown[2 + 3 * entry], "A4\t" + std::to_string(7 + 47 * (entry % 9) + 9) + y);
    EXPECT_EQ(shown[3 + 3 * entry], "P4\t" + std::to_string(7 + 47 * (entry % 9) + 18) + y + "\t(123)");
  }
  EXPECT_EQ(compact.wb.run.outputLine, 45);

  ShowBench metabelian(RepFamily::metabelian);
  Representation& rep = metabelian.wb.representation;
  rep.metabelianL = 5;
  rep.generators[1].metabelianElement = 5 * 1 + 2 + 1;  // (1, 2)
  rep.generators[3].metabelianElement = 4 + 1;          // (0, 4)
  SetCurrentPrime(metabelian.wb.field, 7);
  EXPECT_EQ(
      Shown(metabelian, 5, {1, 3}, {{1, 2, 3, 4, 5}}),
      (Lines{"P4\t7\t7\tRepresentation of the fundamental group: pi_1(S^3\\K) -> Z/2 x Z/5 -> GL(F_7,5)",
             "P4\t7\t22\ta", "A4\t18\t22", "P4\t31\t22\t(1,2)",  //
             "P4\t68\t22\tc", "A4\t79\t22", "P4\t92\t22\t(0,4)"}));
}

}  // namespace
}  // namespace quarvel
