#include "group/knot_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "base/result.h"
#include "group/braid.h"

namespace quarvel {
namespace {

struct BraidShape {
  size_t letters = 0;
  int strands = 0;
};

BraidShape ShapeOf(std::string_view braid) {
  Result<std::vector<int>> letters = ParseBraid(NormaliseBraidText(std::string(braid)));
  EXPECT_TRUE(letters.ok()) << braid;
  if (!letters) return {};
  int strands = 0;
  for (int letter : *letters) strands = std::max(strands, std::abs(letter) + 1);
  return {letters->size(), strands};
}

// Builds the closed braid as a run would and checks that it is a knot.
void ExpectClosesToKnot(std::string_view braid, const std::string& name) {
  Result<ClosedBraid> closed = BuildClosedBraid(NormaliseBraidText(std::string(braid)));
  ASSERT_TRUE(closed.ok()) << name << " " << closed.error();
  EXPECT_TRUE(WirtingerRelators(*closed, false).ok()) << name;
  EXPECT_FALSE(closed->isLink) << name << " " << braid;
}

TEST(KnotTable, NamesRunThroughTheCrossingNumbersInOrder) {
  EXPECT_EQ(KnotListEntry(0), "Braid descriptions of knots with up to 11 crossings");
  EXPECT_EQ(KnotListEntry(1), "Knot 3_1");
  EXPECT_EQ(KnotListEntry(2), "Knot 4_1");
  EXPECT_EQ(KnotListEntry(3), "Knot 5_1");
  EXPECT_EQ(KnotListEntry(4), "Knot 5_2");
  EXPECT_EQ(KnotListEntry(84), "Knot 9_49");
  EXPECT_EQ(KnotListEntry(85), "Knot 10_1");
  EXPECT_EQ(KnotListEntry(249), "Knot 10_165");
  EXPECT_EQ(KnotListEntry(250), "Knot 11_1");
  EXPECT_EQ(KnotListEntry(801), "Knot 11_552");
}

TEST(KnotTable, TellingRows) {
  EXPECT_EQ(KnotBraid(1), "{-1,-1,-1}");
  EXPECT_EQ(KnotBraid(2), "{-1,2,-1,2}");
  EXPECT_EQ(KnotBraid(3), "{-1,-1,-1,-1,-1}");
  EXPECT_EQ(KnotBraid(4), "{-1,2,1,1,1,2}");
  EXPECT_EQ(KnotBraid(FindKnot("7_1").knotList), "{-1,-1,-1,-1,-1,-1,-1}");
  EXPECT_EQ(KnotBraid(250), "{-1,2,-1,2,3,3,4,4,3,3,-4,-2,-2,-3}");
  EXPECT_EQ(KnotBraid(801), "{-1,2,-3,-1,-2,-2,-2,-1,-3,2,-3}");
}

TEST(KnotTable, EveryBraidIsShortAndClosesToAKnot) {
  for (int p = 1; p <= kKnotTableSize; ++p) {
    BraidShape shape = ShapeOf(KnotBraid(p));
    EXPECT_LE(shape.letters, 17u) << KnotListEntry(p);
    EXPECT_LE(shape.strands, 6) << KnotListEntry(p);
    ExpectClosesToKnot(KnotBraid(p), KnotListEntry(p));
  }
}

TEST(ExamplesTable, TextsInOrderAndTellingRows) {
  EXPECT_EQ(ExamplesListEntry(0), "Genus and non-fiberedness not found by Alexander polynomial");
  EXPECT_EQ(ExamplesListEntry(1), "11_401 Conway knot, genus = 3");
  EXPECT_EQ(ExamplesListEntry(2), "11_409 Kinoshita-Terasaka knot, genus = 2");
  EXPECT_EQ(ExamplesListEntry(8), "12_1311 genus = 2");
  EXPECT_EQ(ExamplesListEntry(36), "12_2118 genus = 3");
  EXPECT_EQ(ExamplesListEntry(37), "12_1345 not fibered ");
  EXPECT_EQ(ExamplesListEntry(49), "12_2103 not fibered ");
  EXPECT_EQ(ExampleBraid(1), "{1,2,2,-3,1,-3,1,-2,1,-2,-3}");
  EXPECT_EQ(ExampleBraid(2), "{1,1,2,2,-3,-1,-1,2,2,-3,-3,-2,1}");
  // An example that is also in the knot table has the same braid there.
  EXPECT_EQ(ExampleBraid(1), KnotBraid(FindKnot("11_401").knotList));
  for (int p = 1; p <= kExampleCount; ++p)
    ExpectClosesToKnot(ExampleBraid(p), std::string(ExamplesListEntry(p)));
}

TEST(MutantsTable, GroupsSeparatedByAsterisks) {
  const std::string separator(69, '*');
  EXPECT_EQ(MutantsListEntry(0), "List of mutant pairs and triples with up to 12 crossings");
  int knots = 0;
  int separators = 0;
  std::set<std::string_view> names;
  for (int p = 1; p <= MutantsListSize(); ++p) {
    std::string_view entry = MutantsListEntry(p);
    if (entry.starts_with("*")) {
      EXPECT_EQ(entry, separator);
      EXPECT_FALSE(MutantsListEntry(p - 1).starts_with("*")) << "empty group before " << p;
      ++separators;
      continue;
    }
    ++knots;
    size_t brace = entry.find('{');
    ASSERT_NE(brace, std::string_view::npos) << entry;
    EXPECT_EQ(entry.substr(brace - 4, 4), "    ") << entry;
    names.insert(entry.substr(0, brace - 4));
    ExpectClosesToKnot(entry.substr(brace), std::string(entry));
  }
  EXPECT_EQ(knots, 187);
  EXPECT_EQ(separators, 90);
  EXPECT_EQ(names.size(), 187u);
  EXPECT_EQ(MutantsListEntry(1), "11_19    " + std::string(MutantsListEntry(1).substr(9)));
  EXPECT_FALSE(MutantsListEntry(MutantsListSize()).starts_with("*"));
}

TEST(MutantsTable, TwoEntriesCarryNotes) {
  int conway = FindKnot("11_401").mutantsList;
  int kinoshita = FindKnot("11_409").mutantsList;
  EXPECT_EQ(MutantsListEntry(conway), "11_401    {1,2,2,-3,1,-3,1,-2,1,-2,-3}        (Conway knot)");
  EXPECT_EQ(MutantsListEntry(kinoshita),
            "11_409    {1,1,2,2,-3,-1,-1,2,2,-3,-3,-2,1}   (Kinoshita-Terasaka knot) ");
  EXPECT_EQ(kinoshita, conway + 1);  // one group
}

TEST(FindKnot, LooksUpEveryList) {
  EXPECT_EQ(FindKnot("4_1").knotList, 2);
  EXPECT_EQ(FindKnot("Knot 4_1").knotList, 2);
  KnotPositions conway = FindKnot("11_401");
  EXPECT_EQ(conway.knotList, 249 + 401);
  EXPECT_EQ(conway.examplesList, 1);
  EXPECT_GT(conway.mutantsList, 0);
  KnotPositions twelve = FindKnot("12_1311");
  EXPECT_EQ(twelve.knotList, 0);
  EXPECT_EQ(twelve.examplesList, 8);
  EXPECT_GT(twelve.mutantsList, 0);
  KnotPositions none = FindKnot("12_9999");
  EXPECT_EQ(none.knotList + none.examplesList + none.mutantsList, 0);
  EXPECT_EQ(FindKnot("11_40").knotList, 249 + 40);  // no prefix match with 11_401
}

}  // namespace
}  // namespace quarvel
