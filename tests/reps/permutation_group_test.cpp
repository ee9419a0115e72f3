#include "reps/permutation_group.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "test_support.h"

namespace quarvel {
namespace {

using Points = std::vector<int32_t>;

Points PointsOf(const Permutation& p, int32_t k) {
  return Points(p.begin() + 1, p.begin() + 1 + k);
}

Permutation FromPoints(const Points& points) {
  Permutation p{};
  for (size_t i = 0; i < points.size(); ++i) p[i + 1] = points[i];
  return p;
}

// The plain odometer: every k-tuple over 1..k, last position fastest, kept when it is a bijection
// and (for A_k) when its inversions, counted per entry as the smaller values not yet seen, are even.
std::vector<Points> OdometerTable(int32_t k, bool alternating) {
  std::vector<Points> rows;
  for (Points tuple(k, 1);;) {
    std::vector<bool> seen(k + 1, false);
    bool bijection = true;
    int32_t inversions = 0;
    for (int32_t v : tuple) {
      bijection = bijection && !seen[v];
      seen[v] = true;
      for (int32_t smaller = 1; smaller < v; ++smaller) inversions += !seen[smaller];
    }
    if (bijection && (!alternating || inversions % 2 == 0)) rows.push_back(tuple);
    int32_t position = k - 1;
    while (position >= 0 && tuple[position] == k) tuple[position--] = 1;
    if (position < 0) return rows;
    ++tuple[position];
  }
}

TEST(ElementTable, AllOfSkOrAkInOdometerOrderWithInverses) {
  int32_t factorial = 1;
  for (int32_t k = 1; k <= kMaxTabulatedDegree; ++k) {
    factorial *= k;
    for (bool alternating : {false, true}) {
      ElementTable table = BuildElementTable(k, alternating);
      ASSERT_EQ(table.Size(), alternating && k > 1 ? factorial / 2 : factorial) << k;
      std::vector<Points> expected = k <= 6 ? OdometerTable(k, alternating) : std::vector<Points>{};
      Permutation image{}, inverse{};
      for (int32_t row = 1; row <= table.Size(); ++row) {
        table.CopyRow(row, image, inverse);
        if (!expected.empty()) {
          ASSERT_EQ(PointsOf(image, k), expected[row - 1]) << k << " row " << row;
        }
        for (int32_t i = 1; i <= k; ++i) ASSERT_EQ(inverse[image[i]], i) << k << " row " << row;
      }
    }
  }
}

TEST(RandomPermutation, RejectsUsedValuesAndRecordsTheInverse) {
  // The draws below 3 from seed 0 are 0; 0, 2; 0, 0, 2, 0, 0, 1 (worked out from the generator's
  // rule), so positions 1, 2, 3 take the values 1, 3, 2 after nine draws.
  RandomGenerator random;
  Permutation image{}, inverse{};
  RandomPermutation(random, 3, image, inverse);
  EXPECT_EQ(PointsOf(image, 3), (Points{1, 3, 2}));
  EXPECT_EQ(PointsOf(inverse, 3), (Points{1, 3, 2}));
  RandomGenerator nineDraws;
  SkipDraws(nineDraws, 9);
  EXPECT_EQ(random.seed, nineDraws.seed);

  RandomGenerator fresh;
  RandomPermutation(fresh, 4, image, inverse);
  EXPECT_EQ(PointsOf(image, 4), (Points{1, 4, 2, 3}));
  EXPECT_EQ(PointsOf(inverse, 4), (Points{1, 3, 4, 2}));
}

TEST(EvaluateWord, AppliesTheLastLetterFirst) {
  // a = (1 2 3), b = (1 2), generator 27 (byte 0x7B) = (2 3).
  Representation rep;
  const std::pair<int, Points> images[] = {{1, {2, 3, 1}}, {2, {2, 1, 3}}, {27, {1, 3, 2}}};
  for (const auto& [g, points] : images) {
    rep.generators[g].image = FromPoints(points);
    InvertPermutation(rep.generators[g].image, 3, rep.generators[g].inverseImage);
  }
  auto evaluate = [&](const Word& word) {
    Permutation result{};
    EvaluateWord(rep, 3, word, result);
    EXPECT_EQ(WordIsIdentity(rep, 3, word), PointsOf(result, 3) == (Points{1, 2, 3})) << word;
    return PointsOf(result, 3);
  };
  EXPECT_EQ(evaluate("+a+b"), (Points{3, 2, 1}));  // i -> a(b(i))
  EXPECT_EQ(evaluate("+b+a"), (Points{1, 3, 2}));  // i -> b(a(i))
  EXPECT_EQ(evaluate("-a"), (Points{3, 1, 2}));
  EXPECT_EQ(evaluate(std::string("+") + static_cast<char>(0x7B)), (Points{1, 3, 2}));
  EXPECT_EQ(evaluate("+a+a+a"), (Points{1, 2, 3}));
  EXPECT_EQ(evaluate("+b+a-b+a"), (Points{1, 2, 3}));  // b a b^-1 = a^-1
  EXPECT_EQ(evaluate(""), (Points{1, 2, 3}));
}

TEST(ChooseMetabelianGroup, DrawsPrimesFromThreeUpToTheBoundAndTheCap) {
  RunSettings settings;
  FillPrimeTable(settings);
  RandomGenerator random;
  // The draws below 18 from seed 0 are 0, 0, 15, 3: the primes 3, 3, 59 (above 58, drawn again), 11.
  std::vector<int32_t> chosen;
  std::optional<MetabelianGroup> group;
  for (int32_t bound : {100, 100, 58}) {
    group = ChooseMetabelianGroup(random, settings.primeTable, bound, 60);
    ASSERT_TRUE(group);
    chosen.push_back(group->l);
  }
  EXPECT_EQ(chosen, (std::vector<int32_t>{3, 3, 11}));
  EXPECT_EQ(group->n, 2);
  EXPECT_EQ(group->z, 10);

  for (int i = 0; i < 100; ++i) {
    group = ChooseMetabelianGroup(random, settings.primeTable, 60, 5);
    ASSERT_TRUE(group);
    ASSERT_LE(group->l, 5);
  }
  const uint32_t seed = random.seed;
  EXPECT_FALSE(ChooseMetabelianGroup(random, settings.primeTable, 2, 60));
  EXPECT_FALSE(ChooseMetabelianGroup(random, settings.primeTable, 60, 2));
  EXPECT_EQ(random.seed, seed);
}

TEST(MetabelianElements, RowsAreTheAffineMapsOfZmodL) {
  ElementTable table = BuildMetabelianElements(5, 4);
  ASSERT_EQ(table.Size(), 10);
  Permutation image{}, inverse{};
  table.CopyRow(5 * 1 + 2 + 1, image, inverse);  // (1, 2): m -> 2 + 4m, residue 0 written 5
  EXPECT_EQ(PointsOf(image, 5), (Points{1, 5, 4, 3, 2}));
  table.CopyRow(3 + 1, image, inverse);  // (0, 3): m -> m + 3
  EXPECT_EQ(PointsOf(image, 5), (Points{4, 5, 1, 2, 3}));
  EXPECT_EQ(PointsOf(inverse, 5), (Points{3, 4, 5, 1, 2}));

  for (int32_t l : {3, 7, 59}) {
    ElementTable t = BuildMetabelianElements(l, l - 1);
    for (int32_t row = 1; row <= 2 * l; ++row) {
      t.CopyRow(row, image, inverse);
      ASSERT_EQ(MetabelianElementOf(image, l), row) << l;
      // Reflections and the identity are their own inverses; the other translations are not.
      ASSERT_EQ(row > l || row == 1, PointsOf(image, l) == PointsOf(inverse, l)) << l << " row " << row;
    }
  }
}

}  // namespace
}  // namespace quarvel
