#include "reps/image_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

#include "reps/find_representation.h"
#include "reps/permutation_group.h"
#include "reps/representation_matrices.h"
#include "test_support.h"

namespace quarvel {
namespace {

// Counts the pumps; asks the run to stop from the start when told to.
class CountingControl : public RunControl {
 public:
  int pumps = 0;
  bool stop = false;
  void PumpMessages() override { ++pumps; }
  bool StopRequested() const override { return stop; }
};

// A permutation representation of degree m whose generators a, b, ... have the given images.
struct ImageBench {
  Presentation p;
  Representation rep;
  ImageState image;
  CountingControl control;
  int32_t m;

  ImageBench(int32_t degree, const std::vector<std::vector<int32_t>>& images) : m(degree) {
    testing::SetGeneratorImages(p, rep, m, images);
  }
  bool Compute() { return ComputeImage(p, rep, m, image, control); }
  std::optional<int32_t> GeneratorCount() { return ImageGeneratorCount(image, control); }
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
    ASSERT_TRUE(ib.Compute());
    ASSERT_TRUE(ib.image.current);
    ASSERT_EQ(ib.image.count, c.order);
    // Every element is listed once, and its word produces it.
    for (int32_t x = 1; x <= ib.image.count; ++x) {
      const ImageElement& element = ib.image.elements[x];
      Permutation value = ValueOf(ib.rep, c.m, element.word);
      ASSERT_TRUE(std::equal(value.begin() + 1, value.begin() + 1 + c.m, element.permutation.begin() + 1))
          << x;
      for (int32_t y = 1; y < x; ++y) {
        ASSERT_FALSE(std::equal(element.permutation.begin() + 1, element.permutation.begin() + 1 + c.m,
                                ib.image.elements[y].permutation.begin() + 1));
      }
    }
    EXPECT_EQ(ib.image.elements[1].word, "");
    EXPECT_EQ(ib.GeneratorCount(), c.generators);
  }
}

TEST(ImageGeneratorCount, S6AndA6NeedTwoWithoutASearch) {
  const std::vector<std::vector<std::vector<int32_t>>> groups = {
      {{2, 1, 3, 4, 5, 6}, {2, 3, 4, 5, 6, 1}},  // (1 2), (1 2 3 4 5 6): S_6
      {{2, 3, 4, 5, 1, 6}, {1, 2, 3, 5, 6, 4}},  // (1 2 3 4 5), (4 5 6): A_6
  };
  const int32_t orders[] = {720, 360};
  for (size_t i = 0; i < groups.size(); ++i) {
    ImageBench ib(6, groups[i]);
    ASSERT_TRUE(ib.Compute());
    ASSERT_EQ(ib.image.count, orders[i]);
    const int pumps = ib.control.pumps;
    EXPECT_EQ(ib.GeneratorCount(), 2);
    EXPECT_EQ(ib.control.pumps, pumps);  // no closure ran
  }
}

TEST(BuildRegularRepresentation, TheTrefoilOntoS3GivesTheLeftRegularActionOfItsImage) {
  testing::Bench bench;
  Workbench& wb = bench.wb;
  testing::PrepareBraid(wb, "{1,1,1}");
  SearchRequest request;
  request.degree = 3;
  request.degreeCap = kInitialDegreeCap;
  request.firstSearch = true;
  NoRunControl control;
  SearchProgress progress;
  ASSERT_EQ(FindRepresentation(wb.presentation, wb.simplification, wb.field, request, wb.representation,
                               wb.random, control, progress)
                .end,
            SearchEnd::found);
  ImageState image;
  ASSERT_TRUE(ComputeImage(wb.presentation, wb.representation, 3, image, control));
  ASSERT_EQ(image.count, 6);
  // Transpositions are odd, so phi = word length is even on the kernel; a^2 gives 2.
  EXPECT_EQ(image.phiDivisor, 2);
  ASSERT_TRUE(BuildRegularRepresentation(image, wb.presentation, wb.representation));
  // The image still lies in S_3: its generators are counted there.
  EXPECT_EQ(ImageGeneratorCount(image, control), 2);

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

TEST(ComputeImage, LargeImagesGiveNoRegularRepresentationAndNoGeneratorCount) {
  ImageBench s5(5, {{2, 1, 3, 4, 5}, {2, 3, 4, 5, 1}});
  ASSERT_TRUE(s5.Compute());
  EXPECT_EQ(s5.image.count, 120);
  EXPECT_FALSE(BuildRegularRepresentation(s5.image, s5.p, s5.rep));
  EXPECT_EQ(s5.rep.generators[1].matrix.size, 0);

  ImageBench s7(7, {{2, 1, 3, 4, 5, 6, 7}, {2, 3, 4, 5, 6, 7, 1}});
  ASSERT_TRUE(s7.Compute());
  EXPECT_EQ(s7.image.count, 5040);
  EXPECT_EQ(s7.GeneratorCount(), std::nullopt);
}

TEST(ComputeImage, NothingBeyondSevenPointsAndNothingCompleteWhenStopped) {
  ImageBench large(8, {{2, 3, 1, 4, 5, 6, 7, 8}});
  large.image.current = true;
  EXPECT_FALSE(large.Compute());
  EXPECT_FALSE(large.image.current);
  EXPECT_EQ(large.image.count, 0);
  EXPECT_EQ(large.GeneratorCount(), std::nullopt);

  // S_5 takes more than ten outer steps of the closure, so the stop is seen.
  ImageBench stopped(5, {{2, 1, 3, 4, 5}, {2, 3, 4, 5, 1}});
  stopped.control.stop = true;
  EXPECT_FALSE(stopped.Compute());
  EXPECT_FALSE(stopped.image.current);
  EXPECT_EQ(stopped.control.pumps, 1);
  EXPECT_EQ(stopped.GeneratorCount(), std::nullopt);
}

TEST(ComputeImage, ThePhiDivisorIsTheGcdOverElementsAndGenerators) {
  // a and b both map to (1 2) with phi 3: a^2 lies in the kernel and phi(a^2) = 6.
  ImageBench ib(2, {{2, 1}, {2, 1}});
  ib.p.phi[1] = ib.p.phi[2] = 3;
  ASSERT_TRUE(ib.Compute());
  EXPECT_EQ(ib.image.count, 2);
  EXPECT_EQ(ib.image.phiDivisor, 6);

  // phi(a) = 2, phi(b) = 3 with a = b = (1 2): a b^-1 is in the kernel, so the divisor is 1.
  ImageBench mixed(2, {{2, 1}, {2, 1}});
  mixed.p.phi[1] = 2;
  mixed.p.phi[2] = 3;
  ASSERT_TRUE(mixed.Compute());
  EXPECT_EQ(mixed.image.phiDivisor, 1);
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
