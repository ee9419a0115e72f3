#include "homs/isotopy_group.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "plain_enumeration.h"

namespace quarvel {
namespace {

struct GroupCase {
  const char* name;
  int32_t elements;
  size_t classes;  // conjugacy classes within the group itself
};

class IsotopyGroupTables : public ::testing::TestWithParam<GroupCase> {};

TEST_P(IsotopyGroupTables, ElementsInLexicographicOrderWithTheirClasses) {
  const GroupCase c = GetParam();
  IsotopyGroup g = MakeIsotopyGroup(c.name);
  ASSERT_EQ(g.elementCount, c.elements);
  EXPECT_EQ(g.texts[1], std::string("1234567").substr(0, g.degree));  // the identity comes first
  for (int32_t e = 2; e <= g.elementCount; ++e) EXPECT_LT(g.texts[e - 1], g.texts[e]);
  FindConjugacyClasses(g);
  EXPECT_EQ(g.classRepresentatives.size() - 1, c.classes);
  EXPECT_EQ(g.classRepresentatives[1], 1);
  // Each class holds exactly the conjugates of its representative, ascending, and the classes
  // share out the group.
  size_t members = 0;
  for (size_t c = 1; c < g.classRepresentatives.size(); ++c) {
    const std::vector<int32_t>& cls = g.classMembers[c];
    ASSERT_FALSE(cls.empty());
    EXPECT_EQ(cls.front(), g.classRepresentatives[c]);
    EXPECT_TRUE(std::is_sorted(cls.begin(), cls.end()));
    for (int32_t e : cls) EXPECT_EQ(g.classOf[e], static_cast<int32_t>(c));
    members += cls.size();
  }
  EXPECT_EQ(members, static_cast<size_t>(g.elementCount));
  const int32_t x = g.classRepresentatives.back();
  for (int32_t y = 1; y <= g.elementCount; y += 7) {
    EXPECT_EQ(g.classOf[ElementProduct(g, ElementProduct(g, y, x), g.inverseIndex[y])],
              static_cast<int32_t>(g.classRepresentatives.size() - 1));
  }
}

INSTANTIATE_TEST_SUITE_P(AllGroups, IsotopyGroupTables,
                         ::testing::Values(GroupCase{"s1", 1, 1}, GroupCase{"s3", 6, 3},
                                           GroupCase{"a4", 12, 4}, GroupCase{"s4", 24, 5},
                                           GroupCase{"a5", 60, 5}, GroupCase{"s5", 120, 7},
                                           GroupCase{"a6", 360, 7}, GroupCase{"s6", 720, 11},
                                           GroupCase{"a7", 2520, 9}, GroupCase{"s7", 5040, 15}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IsotopyGroup, TheTablesAgreeWithComposingTheTexts) {
  for (const char* name : {"a5", "s6"}) {
    const IsotopyGroup g = MakeIsotopyGroup(name);
    std::mt19937 random(7);
    for (int trial = 0; trial < 500; ++trial) {
      const int32_t a = static_cast<int32_t>(random() % g.elementCount) + 1;
      const int32_t b = static_cast<int32_t>(random() % g.elementCount) + 1;
      EXPECT_EQ(ElementProduct(g, a, b), testing::PlainProduct(g, a, b)) << name;
      EXPECT_EQ(ElementProduct(g, a, g.inverseIndex[a]), 1);
    }
  }
}

TEST(IsotopyGroup, AlternatingGroupsHoldOnlyEvenPermutationsAndMatricesCarryThePermutation) {
  const IsotopyGroup g = MakeIsotopyGroup("a4");
  for (int32_t e = 1; e <= g.elementCount; ++e) {
    int inversions = 0;
    for (int i = 1; i <= 4; ++i) {
      for (int j = i + 1; j <= 4; ++j) inversions += g.elements[e][i] > g.elements[e][j];
      // Column i carries its 1 in row p(i); the inverse matrix is the transpose.
      for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(g.matrices[e](row, i), row == g.elements[e][i] ? 1 : 0);
        EXPECT_EQ(g.inverseMatrices[e](i, row), g.matrices[e](row, i));
      }
    }
    EXPECT_EQ(inversions % 2, 0) << g.texts[e];
  }
  EXPECT_EQ(ElementOfCode(g, PermutationCode(g.elements[5], 4)), 5);
  EXPECT_EQ(ElementOfCode(g, 01243), 0);  // the transposition (3 4) is odd
}

}  // namespace
}  // namespace quarvel
