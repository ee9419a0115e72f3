#include "isotopy/isotopy_driver.h"

#include <gtest/gtest.h>

#include "homs/isotopy_group.h"
#include "test_support.h"

namespace quarvel {
namespace {

TEST(BuildIsotopyGroup, SetsTheDegreeAndKeepsTheClassesOfTheSameGroup) {
  testing::Bench bench;
  Workbench& wb = bench.wb;
  wb.settings.isotopyGroup = "s4";
  BuildIsotopyGroup(wb);
  EXPECT_EQ(wb.current.degreeK, 4);
  FindConjugacyClasses(wb.isotopyGroup);
  BuildIsotopyGroup(wb);  // the next knot of a list: the classes stay
  EXPECT_EQ(wb.isotopyGroup.classRepresentatives.size() - 1, 5u);
  EXPECT_EQ(wb.isotopyGroup.classMembers.size() - 1, 5u);
  wb.settings.isotopyGroup = "x3";
  BuildIsotopyGroup(wb);
  EXPECT_EQ(wb.isotopyGroup.elementCount, 0);
  EXPECT_EQ(wb.current.degreeK, 3);
}

}  // namespace
}  // namespace quarvel
