#include "front/main_window_options.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

std::vector<std::string> Numbers(int first, int last) {
  std::vector<std::string> numbers;
  for (int n = first; n <= last; ++n) numbers.push_back(std::to_string(n));
  return numbers;
}

TEST(MainWindowOptions, FirstActivationDefaults) {
  MainWindowOptions o = DefaultMainWindowOptions();
  EXPECT_EQ(kFieldtypeItems[o.fieldtype], "F_13");
  EXPECT_EQ(o.reptype, 0);
  EXPECT_EQ(o.sizebox, 0);
  EXPECT_EQ(o.sizeLabel, "Dimension k of representation");
  EXPECT_EQ(o.sizeEntries, Numbers(3, 10));
  EXPECT_EQ(o.fiberedbox, 0);
  EXPECT_FALSE(o.fieldGroupVisible);
  EXPECT_EQ(o.imagesizebox, 1);
  EXPECT_EQ(kFastboxItems[o.fastbox], "low");
  EXPECT_EQ(o.savetype, 1);
  EXPECT_EQ(o.savematrixtype, 0);
  EXPECT_EQ(kIsotopyGroupNames[o.reptypeIsotopy], "s5");
  EXPECT_EQ(kFastboxIsotopyItems[o.fastboxIsotopy], "Medium");
  EXPECT_EQ(o.nonabelian, 1);
  EXPECT_EQ(o.savetypeIsotopy, 1);
  for (int f = 1; f <= kSelectableFields; ++f) EXPECT_FALSE(o.fieldChecked[f]);
}

TEST(reptypeChange, SizeListFollowsTheRepresentationKind) {
  MainWindowOptions o = DefaultMainWindowOptions();
  reptypeChange(o, 5);
  EXPECT_EQ(o.sizeLabel, "Permutation group on k elements");
  EXPECT_EQ(o.sizeEntries, Numbers(3, 7));
  reptypeChange(o, 6);
  EXPECT_EQ(o.sizeLabel, "Maximal size of representation");
  EXPECT_EQ(o.sizeEntries, Numbers(2, 25));
  reptypeChange(o, 4);
  EXPECT_FALSE(o.sizeListVisible);
  EXPECT_FALSE(o.fiberedboxVisible);
  reptypeChange(o, 2);
  EXPECT_TRUE(o.sizeListVisible);
  EXPECT_TRUE(o.fiberedboxVisible);
  EXPECT_EQ(o.sizeEntries, Numbers(3, 10));
}

TEST(reptypeChange, PositionKeptOnlyBetweenItemsBelowFive) {
  MainWindowOptions o = DefaultMainWindowOptions();
  o.sizebox = 4;
  reptypeChange(o, 2);
  EXPECT_EQ(o.sizebox, 4);
  reptypeChange(o, 5);
  EXPECT_EQ(o.sizebox, 0);
  o.sizebox = 3;
  reptypeChange(o, 1);  // coming from item 5: back to the first entry
  EXPECT_EQ(o.sizebox, 0);
  o.sizebox = 2;
  reptypeChange(o, 6);
  EXPECT_EQ(o.sizebox, 0);
  EXPECT_EQ(o.previousReptype, 6);
}

TEST(fiberedboxChange, ComparingWithNoFieldTicksAllTen) {
  MainWindowOptions o = DefaultMainWindowOptions();
  fiberedboxChange(o, 1);
  EXPECT_TRUE(o.fieldGroupVisible);
  for (int f = 1; f <= kSelectableFields; ++f) EXPECT_TRUE(o.fieldChecked[f]);
  fiberedboxChange(o, 0);
  EXPECT_FALSE(o.fieldGroupVisible);
}

TEST(fiberedboxChange, KeepsTheFieldsAlreadyTicked) {
  MainWindowOptions o = DefaultMainWindowOptions();
  fieldCheckBoxClick(o, 3);
  fieldCheckBoxClick(o, 7);
  fieldCheckBoxClick(o, 7);  // a second click clears it again
  fiberedboxChange(o, 1);
  for (int f = 1; f <= kSelectableFields; ++f) EXPECT_EQ(o.fieldChecked[f], f == 3) << f;
}

}  // namespace
}  // namespace quarvel
