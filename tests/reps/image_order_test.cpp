#include "reps/image_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <sstream>
#include <vector>

#include "reps/find_representation.h"
#include "reps/permutation_group.h"
#include "reps/representation_matrices.h"
#include "run/prepare_presentation.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;

Permutation FromList(const std::vector<int32_t>& points) {
  Permutation p{};
  for (size_t i = 0; i < points.size(); ++i) p[i + 1] = points[i];
  return p;
}

std::vector<std::string> TranscriptLines(const std::ostringstream& transcript, std::string_view prefix) {
  std::vector<std::string> lines;
  std::istringstream in(transcript.str());
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  }
  return lines;
}

// A permutation representation of degree m whose generators a, b, ... have the given images.
struct ImageBench {
  Bench bench;
  Workbench& wb = bench.wb;
  std::ostringstream transcript;

  ImageBench(int32_t m, const std::vector<std::vector<int32_t>>& images) {
    wb.settings.determineImageSize = true;
    wb.settings.repFamily = RepFamily::permutation;
    wb.current.degreeK = m;
    wb.run.outputPanel = 3;
    wb.run.outputLine = 30;
    wb.representation.representationFound = true;
    Presentation& p = wb.presentation;
    p.generatorCount = static_cast<int64_t>(images.size());
    p.phi.fill(1);
    for (size_t i = 0; i < images.size(); ++i) {
      const int g = static_cast<int>(i) + 1;
      p.generatorUsed[g] = true;
      p.generatorLetters[g] = g;
      wb.representation.generators[g].image = FromList(images[i]);
      InvertPermutation(wb.representation.generators[g].image, m,
                        wb.representation.generators[g].inverseImage);
    }
    bench.surface.RecordTranscript(transcript);
  }
};

// The word's value by composing from the left, on points 1..m.
Permutation ValueOf(const Representation& rep, int32_t m, const Word& word) {
  Permutation r{};
  std::iota(r.begin() + 1, r.begin() + 1 + m, 1);
  for (size_t at = 1; at < word.size(); at += 2) {
    const Permutation& p = rep.generators[static_cast<unsigned char>(word[at]) - kGeneratorByteBase].image;
    Permutation next{};
    for (int32_t i = 1; i <= m; ++i) next[i] = r[p[i]];
    r = next;
  }
  return r;
}

struct KnownImage {
  const char* name;
  int32_t m;
  std::vector<std::vector<int32_t>> images;
  int32_t order;
  int32_t generators;
};

TEST(ComputeImage, KnownGroupsHaveTheirOrderAndLeastNumberOfGenerators) {
  const KnownImage cases[] = {
      {"trivial", 4, {{1, 2, 3, 4}}, 1, 1},
      {"cyclic of order 3", 3, {{2, 3, 1}, {3, 1, 2}}, 3, 1},
      {"Klein four", 4, {{2, 1, 4, 3}, {3, 4, 1, 2}}, 4, 2},
      {"dihedral of order 8", 4, {{2, 3, 4, 1}, {3, 2, 1, 4}}, 8, 2},
      {"A_4", 4, {{2, 3, 1, 4}, {1, 3, 4, 2}}, 12, 2},
      {"S_5", 5, {{2, 1, 3, 4, 5}, {2, 3, 4, 5, 1}}, 120, 2},
      {"(Z/2)^3", 6, {{2, 1, 3, 4, 5, 6}, {1, 2, 4, 3, 5, 6}, {1, 2, 3, 4, 6, 5}}, 8, 3},
      {"(Z/2)^3 from products",
       6,
       {{2, 1, 4, 3, 5, 6}, {1, 2, 4, 3, 6, 5}, {2, 1, 3, 4, 6, 5}, {2, 1, 4, 3, 6, 5}},
       8,
       3},
  };
  for (const KnownImage& c : cases) {
    SCOPED_TRACE(c.name);
    ImageBench ib(c.m, c.images);
    ComputeImage(ib.wb);
    ASSERT_EQ(ib.wb.image.count, c.order);
    // Every element is listed once, and its word produces it.
    for (int32_t x = 1; x <= ib.wb.image.count; ++x) {
      const ImageElement& element = ib.wb.image.elements[x];
      Permutation value = ValueOf(ib.wb.representation, c.m, element.word);
      ASSERT_TRUE(std::equal(value.begin() + 1, value.begin() + 1 + c.m, element.permutation.begin() + 1))
          << x;
      for (int32_t y = 1; y < x; ++y) {
        ASSERT_FALSE(std::equal(element.permutation.begin() + 1, element.permutation.begin() + 1 + c.m,
                                ib.wb.image.elements[y].permutation.begin() + 1));
      }
    }
    EXPECT_EQ(ib.wb.image.elements[1].word, "");
    ImageGeneratorCount(ib.wb);
    EXPECT_EQ(ib.wb.image.generatorBound, c.generators);
  }
}

// A representation of the trefoil into S_3 found by the search, which is onto (two distinct
// transpositions), on the output panel 3.
void SearchTrefoilIntoS3(Workbench& wb, bool permutationGroupOnly) {
  wb.presentation.braidText = "{1,1,1}";
  wb.settings.simplifyEffort = 20;
  PreparePresentation(wb);
  FillPrimeTable(wb.settings);
  wb.current.degreeK = 3;
  wb.run.degreeCap = kInitialDegreeCap;
  wb.settings.determineImageSize = true;
  wb.settings.permutationGroupOnly = permutationGroupOnly;
  wb.run.outputPanel = 3;
  wb.representation.searchNumber = 1;
  wb.representation.representationFound = true;
  FindRepresentation(wb);
  ASSERT_TRUE(wb.representation.representationFound);
  ASSERT_EQ(wb.run.outputLine, 30);
}

TEST(ComputeImage, TheTrefoilOntoS3HasOrderSixAndTwoGenerators) {
  Bench bench;
  Workbench& wb = bench.wb;
  SearchTrefoilIntoS3(wb, false);
  std::ostringstream transcript;
  bench.surface.RecordTranscript(transcript);
  ComputeImage(wb);
  ImageGeneratorCount(wb);

  EXPECT_EQ(wb.image.count, 6);
  EXPECT_EQ(wb.image.generatorBound, 2);
  // Transpositions are odd, so phi = word length is even on the kernel; a^2 gives 2.
  EXPECT_EQ(wb.image.phiDivisor, 2);
  EXPECT_EQ(wb.run.savedPanelPosition, 55);
  EXPECT_EQ(wb.run.outputLine, 48);
  std::vector<std::string> shown = TranscriptLines(transcript, "");
  EXPECT_EQ(shown,
            (std::vector<std::string>{"P3\t7\t37\tOrder of Im{pi  (M)", "P3\t71\t42\t1", "A3\t95\t37",
                                      "P3\t108\t37\tS", "P3\t114\t42\t3", "P3\t120\t37\t}=6",
                                      "P3\t231\t37\tNumber of generators of im{pi  (M)", "P3\t371\t42\t1",
                                      "A3\t395\t37", "P3\t408\t37\tS", "P3\t414\t42\t3", "P3\t420\t37\t}=2",
                                      "P6\t250\t7\tLower bound on number of generators: 2"}));
}

TEST(ImageGeneratorCount, S6AndA6NeedTwoWithoutASearch) {
  const std::vector<std::vector<std::vector<int32_t>>> groups = {
      {{2, 1, 3, 4, 5, 6}, {2, 3, 4, 5, 6, 1}},  // (1 2), (1 2 3 4 5 6): S_6
      {{2, 3, 4, 5, 1, 6}, {1, 2, 3, 5, 6, 4}},  // (1 2 3 4 5), (4 5 6): A_6
  };
  const int32_t orders[] = {720, 360};
  for (size_t i = 0; i < groups.size(); ++i) {
    ImageBench ib(6, groups[i]);
    ComputeImage(ib.wb);
    ASSERT_EQ(ib.wb.image.count, orders[i]);
    const int pumps = ib.bench.surface.MessagePumps();
    ImageGeneratorCount(ib.wb);
    EXPECT_EQ(ib.bench.surface.MessagePumps(), pumps + 1);  // only the closing pump: no closure ran
    EXPECT_EQ(ib.wb.image.generatorBound, 2);
    EXPECT_EQ(TranscriptLines(ib.transcript, "P3\t420").back(), "P3\t420\t37\t}=2");
  }
}

TEST(ImageGeneratorCount, TheGeneratorBoundNeverDecreases) {
  ImageBench first(6, {{2, 1, 3, 4, 5, 6}, {1, 2, 4, 3, 5, 6}, {1, 2, 3, 4, 6, 5}});
  ComputeImage(first.wb);
  ImageGeneratorCount(first.wb);
  ASSERT_EQ(first.wb.image.generatorBound, 3);

  // A later representation of the same knot with a cyclic image.
  ImageBench later(3, {{2, 3, 1}});
  later.wb.image.generatorBound = first.wb.image.generatorBound;
  ComputeImage(later.wb);
  ImageGeneratorCount(later.wb);
  EXPECT_EQ(later.wb.image.generatorBound, 3);
  EXPECT_EQ(TranscriptLines(later.transcript, "P3\t420").back(), "P3\t420\t37\t}=1");
  EXPECT_EQ(later.bench.surface.PanelText(ComputationWindow::norm, 6),
            "Lower bound on number of generators: 3");
}

TEST(ComputeImage, PermutationGroupOnlyTurnsTheImageIntoItsRegularRepresentation) {
  Bench bench;
  Workbench& wb = bench.wb;
  SearchTrefoilIntoS3(wb, true);
  std::ostringstream transcript;
  bench.surface.RecordTranscript(transcript);
  ComputeImage(wb);
  ASSERT_TRUE(wb.representation.representationFound);
  ASSERT_EQ(wb.image.count, 6);
  EXPECT_EQ(wb.current.degreeK, 6);
  // The image still lies in S_3: the generators are counted there, though degree k is now 6.
  ImageGeneratorCount(wb);
  EXPECT_EQ(wb.image.generatorBound, 2);
  EXPECT_EQ(TranscriptLines(transcript, "P3\t114"), std::vector<std::string>{"P3\t114\t42\t3"});
  EXPECT_EQ(TranscriptLines(transcript, "P3\t414"), std::vector<std::string>{"P3\t414\t42\t3"});

  const Presentation& p = wb.presentation;
  for (int64_t position = 1; position <= p.generatorCount; ++position) {
    const GeneratorImage& g = wb.representation.generators[p.generatorLetters[position]];
    ASSERT_EQ(g.matrix.size, 6);
    ASSERT_EQ(g.inverseMatrix.size, 6);
    int diagonal = 0;
    for (int32_t c = 1; c <= 6; ++c) {
      int ones = 0;
      for (int32_t r = 1; r <= 6; ++r) {
        ones += g.matrix(r, c);
        ASSERT_EQ(g.inverseMatrix(c, r), g.matrix(r, c));  // the transpose
      }
      ASSERT_EQ(ones, 1);
      diagonal += g.matrix(c, c);
    }
    // A nontrivial element moves every element of the group it acts on.
    EXPECT_EQ(diagonal, 0);
  }
  // The matrices satisfy the relators: the product along each is the identity.
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    IntMatrix product, next;
    product.Reset(6);
    for (int32_t i = 1; i <= 6; ++i) product(i, i) = 1;
    const Word& word = p.relators[r];
    for (size_t at = 0; at + 1 < word.size(); at += 2) {
      const GeneratorImage& g =
          wb.representation.generators[static_cast<unsigned char>(word[at + 1]) - kGeneratorByteBase];
      MatrixProductModP(product, word[at] == '+' ? g.matrix : g.inverseMatrix, 53, next);
      std::swap(product, next);
    }
    for (int32_t i = 1; i <= 6; ++i) {
      for (int32_t j = 1; j <= 6; ++j) EXPECT_EQ(product(i, j), i == j ? 1 : 0) << WordToText(word, false);
    }
  }
}

TEST(ComputeImage, LargeImagesGiveNoRegularRepresentationAndAreNeitherShownNorSearched) {
  ImageBench s5(5, {{2, 1, 3, 4, 5}, {2, 3, 4, 5, 1}});
  s5.wb.settings.permutationGroupOnly = true;
  ComputeImage(s5.wb);
  EXPECT_EQ(s5.wb.image.count, 120);
  EXPECT_EQ(s5.wb.current.degreeK, 120);
  EXPECT_FALSE(s5.wb.representation.representationFound);
  EXPECT_EQ(s5.wb.representation.generators[1].matrix.size, 0);
  EXPECT_EQ(TranscriptLines(s5.transcript, "P3\t120").back(), "P3\t120\t37\t}=120");

  ImageBench s7(7, {{2, 1, 3, 4, 5, 6, 7}, {2, 3, 4, 5, 6, 7, 1}});
  ComputeImage(s7.wb);
  ImageGeneratorCount(s7.wb);
  EXPECT_EQ(s7.wb.image.count, 5040);
  EXPECT_EQ(s7.wb.run.outputLine, 48);
  EXPECT_EQ(s7.wb.run.savedPanelPosition, 0);
  EXPECT_EQ(s7.wb.image.generatorBound, 1);
  EXPECT_EQ(TranscriptLines(s7.transcript, "P"), std::vector<std::string>{});
}

TEST(ComputeImage, RunsOnlyForPermutationRepresentationsUpToSevenPoints) {
  ImageBench off(3, {{2, 3, 1}});
  off.wb.settings.determineImageSize = false;
  ImageBench metabelian(3, {{2, 3, 1}});
  metabelian.wb.settings.repFamily = RepFamily::metabelian;
  ImageBench large(8, {{2, 3, 1, 4, 5, 6, 7, 8}});
  ImageBench stopped(3, {{2, 3, 1}});
  stopped.wb.panels.flags.stopRequested = true;
  for (ImageBench* ib : {&off, &metabelian, &large, &stopped}) {
    ComputeImage(ib->wb);
    ImageGeneratorCount(ib->wb);
    EXPECT_EQ(ib->wb.image.count, 0);
    EXPECT_EQ(ib->wb.run.outputLine, 30);
    EXPECT_EQ(ib->bench.surface.Snapshot(), "");
  }
  // The trivial pass shows nothing on the output panel, only the bound.
  ImageBench trivial(1, {{1}, {1}});
  trivial.wb.run.trivialPass = true;
  ComputeImage(trivial.wb);
  ImageGeneratorCount(trivial.wb);
  EXPECT_EQ(trivial.wb.image.count, 1);
  EXPECT_EQ(trivial.wb.run.outputLine, 48);
  EXPECT_EQ(TranscriptLines(trivial.transcript, "P"),
            std::vector<std::string>{"P6\t250\t7\tLower bound on number of generators: 1"});
}

TEST(ComputeImage, ThePhiDivisorIsTheGcdOverElementsAndGenerators) {
  // a and b both map to (1 2) with phi 3: a^2 lies in the kernel and phi(a^2) = 6.
  ImageBench ib(2, {{2, 1}, {2, 1}});
  ib.wb.presentation.phi[1] = ib.wb.presentation.phi[2] = 3;
  ComputeImage(ib.wb);
  EXPECT_EQ(ib.wb.image.count, 2);
  EXPECT_EQ(ib.wb.image.phiDivisor, 6);

  // phi(a) = 2, phi(b) = 3 with a = b = (1 2): a b^-1 is in the kernel, so the divisor is 1.
  ImageBench mixed(2, {{2, 1}, {2, 1}});
  mixed.wb.presentation.phi[1] = 2;
  mixed.wb.presentation.phi[2] = 3;
  ComputeImage(mixed.wb);
  EXPECT_EQ(mixed.wb.image.phiDivisor, 1);
}

TEST(Gcd, ByRepeatedSubtractionOfAbsoluteValues) {
  EXPECT_EQ(Gcd(0, 7), 7);
  EXPECT_EQ(Gcd(-7, 0), 7);
  EXPECT_EQ(Gcd(0, 0), 0);
  EXPECT_EQ(Gcd(12, 18), 6);
  EXPECT_EQ(Gcd(-12, 18), 6);
  EXPECT_EQ(Gcd(17, -5), 1);
  EXPECT_EQ(Gcd(1, 1000), 1);
}

}  // namespace
}  // namespace quarvel
