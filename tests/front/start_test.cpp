#include "front/start.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;

MainWindowOptions BraidOptions(const std::string& braid) {
  MainWindowOptions options = DefaultMainWindowOptions();
  options.braidEditText = braid;
  return options;
}

TEST(EffortForBraidLength, HalvesPerThresholdWithTiesToEven) {
  struct Case {
    int32_t effort;
    int32_t after30, after50, after70;
  };
  for (Case c : {Case{20, 10, 5, 2}, Case{50, 25, 12, 6}, Case{150, 75, 38, 19}, Case{500, 250, 125, 62},
                 Case{0, 0, 0, 0}}) {
    EXPECT_EQ(EffortForBraidLength(c.effort, 30), c.effort);
    EXPECT_EQ(EffortForBraidLength(c.effort, 31), c.after30);
    EXPECT_EQ(EffortForBraidLength(c.effort, 50), c.after30);
    EXPECT_EQ(EffortForBraidLength(c.effort, 51), c.after50);
    EXPECT_EQ(EffortForBraidLength(c.effort, 71), c.after70);
  }
}

TEST(TakeStartSettings, NeitherBraidNorFileDoesNothing) {
  Bench bench;
  bench.wb.settings.currentPrime = 99;
  EXPECT_FALSE(TakeStartSettings(DefaultMainWindowOptions(), bench.wb));
  EXPECT_EQ(bench.wb.settings.currentPrime, 99);
}

TEST(TakeStartSettings, NormDefaults) {
  Bench bench;
  ASSERT_TRUE(TakeStartSettings(BraidOptions("{1,1,1}"), bench.wb));
  const RunSettings& s = bench.wb.settings;
  EXPECT_EQ(s.currentPrime, 13);
  EXPECT_EQ(s.simplifyEffort, 20);
  EXPECT_EQ(s.degreeK, 3);
  EXPECT_EQ(s.repFamily, RepFamily::permutation);
  EXPECT_TRUE(s.reducedPermutationRep);
  EXPECT_FALSE(s.alternatingOnly || s.permutationGroupOnly || s.metabelianRep || s.compareFields);
  EXPECT_FALSE(s.determineImageSize);
  EXPECT_EQ(s.saveMode, SaveMode::latex);
  EXPECT_EQ(s.matrixSaveMode, MatrixSaveMode::none);
  EXPECT_EQ(s.stopCondition, StopCondition::never);
  EXPECT_EQ(s.degreeCap, 60);
  EXPECT_TRUE(s.writeKnotFiles && s.keepTorsionSwitch && s.normMode);
  EXPECT_FALSE(s.zeroSurgery || s.isotopyMode);
  EXPECT_EQ(s.primeTable[1], 2);
  EXPECT_EQ(s.primeTable[20], 71);
  EXPECT_EQ(bench.wb.presentation.braidText, "{1,1,1}");
}

TEST(TakeStartSettings, FieldItemsGiveTheirPrimesAndTheLastGives53) {
  const int32_t expected[] = {2, 3, 5, 7, 11, 13, 17, 53};
  for (int item = 0; item < 8; ++item) {
    Bench bench;
    MainWindowOptions options = BraidOptions("{1}");
    options.fieldtype = item;
    options.fieldtypeIsotopy = item;
    ASSERT_TRUE(TakeStartSettings(options, bench.wb));
    EXPECT_EQ(bench.wb.settings.currentPrime, expected[item]) << item;
    options.isotopyMode = true;
    ASSERT_TRUE(TakeStartSettings(options, bench.wb));
    EXPECT_EQ(bench.wb.settings.currentPrime, expected[item]) << item;
  }
}

TEST(TakeStartSettings, RepresentationItemsSetFamilyAndFlags) {
  struct Case {
    int item;
    RepFamily family;
    bool reduced, alternating, groupOnly, metabelian;
  };
  for (Case c : {Case{0, RepFamily::permutation, true, false, false, false},
                 Case{1, RepFamily::permutation, true, true, false, false},
                 Case{2, RepFamily::permutation, false, false, false, false},
                 Case{3, RepFamily::permutation, false, true, false, false},
                 Case{4, RepFamily::abelian, false, false, false, false},
                 Case{5, RepFamily::permutation, false, false, true, false},
                 Case{6, RepFamily::metabelian, false, false, false, true}}) {
    Bench bench;
    // Start from the flags an earlier run with item 0 or 5 left behind.
    bench.wb.settings.reducedPermutationRep = bench.wb.settings.permutationGroupOnly = true;
    MainWindowOptions options = BraidOptions("{1}");
    reptypeChange(options, c.item);
    ASSERT_TRUE(TakeStartSettings(options, bench.wb));
    const RunSettings& s = bench.wb.settings;
    EXPECT_EQ(s.repFamily, c.family) << c.item;
    EXPECT_EQ(s.reducedPermutationRep, c.reduced) << c.item;
    EXPECT_EQ(s.alternatingOnly, c.alternating) << c.item;
    EXPECT_EQ(s.permutationGroupOnly, c.groupOnly) << c.item;
    EXPECT_EQ(s.metabelianRep, c.metabelian) << c.item;
    EXPECT_EQ(s.determineImageSize, c.groupOnly) << c.item;
  }
}

TEST(TakeStartSettings, SizeGivesDegreeAndMetabelianBound) {
  Bench bench;
  MainWindowOptions options = BraidOptions("{1}");
  reptypeChange(options, 6);
  options.sizebox = 4;  // the list shows "6"
  ASSERT_TRUE(TakeStartSettings(options, bench.wb));
  EXPECT_EQ(bench.wb.settings.degreeK, 7);
  EXPECT_EQ(bench.wb.settings.metabelianMaxOrder, 11);
}

// Comparing fields copies the ticked fields; the abelian item (4) forces it off.
TEST(TakeStartSettings, CompareFieldsCopiesTheTickedFieldsExceptForTheAbelianItem) {
  for (int reptype : {0, 4}) {
    Bench bench;
    MainWindowOptions options = BraidOptions("{1}");
    fieldCheckBoxClick(options, 2);
    fiberedboxChange(options, 1);
    reptypeChange(options, reptype);
    ASSERT_TRUE(TakeStartSettings(options, bench.wb));
    EXPECT_EQ(options.fiberedbox, 1);
    EXPECT_EQ(bench.wb.settings.compareFields, reptype != 4);
    if (reptype == 4) continue;
    for (int f = 1; f <= kSelectableFields; ++f) EXPECT_EQ(bench.wb.settings.fieldSelected[f], f == 2) << f;
  }
}

TEST(TakeStartSettings, LongBraidHalvesTheNormEffort) {
  Bench bench;
  MainWindowOptions options = BraidOptions("{1,2,1,2,1,2,1,2,1,2,1,2,1,2,1}");
  ASSERT_EQ(options.braidEditText.size(), 31u);
  options.fastbox = 2;  // medium
  ASSERT_TRUE(TakeStartSettings(options, bench.wb));
  EXPECT_EQ(bench.wb.settings.simplifyEffort, 25);
}

TEST(TakeStartSettings, IsotopyOrdinaryPolynomialDividesTheEffortByFive) {
  Bench bench;
  MainWindowOptions options = BraidOptions("{1,1,1}");
  options.isotopyMode = true;
  options.reptypeIsotopy = 0;
  ASSERT_TRUE(TakeStartSettings(options, bench.wb));
  const RunSettings& s = bench.wb.settings;
  EXPECT_EQ(s.simplifyEffort, 10);
  EXPECT_EQ(s.isotopyGroup, "s1");
  EXPECT_FALSE(s.keepTorsionSwitch);
  EXPECT_TRUE(s.isotopyMode);
  EXPECT_FALSE(s.normMode);
}

TEST(TakeStartSettings, IsotopyDefaultsAndItems) {
  Bench bench;
  MainWindowOptions options = BraidOptions("{1,1,1}");
  options.isotopyMode = true;
  ASSERT_TRUE(TakeStartSettings(options, bench.wb));
  EXPECT_EQ(bench.wb.settings.isotopyGroup, "s5");
  EXPECT_EQ(bench.wb.settings.simplifyEffort, 50);
  EXPECT_FALSE(bench.wb.settings.allHomomorphisms);
  EXPECT_FALSE(bench.wb.settings.torsionProduct);
  EXPECT_EQ(bench.wb.settings.isotopySaveMode, SaveMode::latex);
  EXPECT_FALSE(bench.wb.settings.writeKnotFiles);

  options.nonabelian = 0;
  options.torsion = 1;
  options.reptypeIsotopy = 9;
  options.fastboxIsotopy = 3;
  options.closedbox = 1;
  ASSERT_TRUE(TakeStartSettings(options, bench.wb));
  EXPECT_TRUE(bench.wb.settings.allHomomorphisms);
  EXPECT_TRUE(bench.wb.settings.torsionProduct);
  EXPECT_TRUE(bench.wb.settings.zeroSurgery);
  EXPECT_EQ(bench.wb.settings.isotopyGroup, "s7");
  EXPECT_EQ(bench.wb.settings.simplifyEffort, 500);
}

TEST(TakeStartSettings, PickedFileIsTheInputWhenNoBraidIsTyped) {
  Bench bench;
  MainWindowOptions options = DefaultMainWindowOptions();
  options.pickedDirectory = "/data/";
  options.pickedName = "whitehead.txt";
  ASSERT_TRUE(TakeStartSettings(options, bench.wb));
  EXPECT_EQ(bench.wb.settings.inputDirectory, "/data/");
  EXPECT_EQ(bench.wb.settings.inputName, "whitehead.txt");
  EXPECT_EQ(bench.wb.presentation.braidText, "");
}

}  // namespace
}  // namespace quarvel
