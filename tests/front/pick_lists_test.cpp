#include "front/pick_lists.h"

#include <gtest/gtest.h>

#include "group/knot_tables.h"

namespace quarvel {
namespace {

MainWindowOptions WithFilePicked() {
  MainWindowOptions o = DefaultMainWindowOptions();
  o.pickedDirectory = "/lists/";
  o.pickedName = "mine.txt";
  o.fileNameBox = "mine.txt";
  return o;
}

TEST(PickLists, KnotPutsItsBraidAndResetsTheOtherLists) {
  MainWindowOptions o = WithFilePicked();
  o.examplesListPosition = 3;
  o.mutantsListPosition = 5;
  knotListSelect(o, 2);
  EXPECT_EQ(o.braidEditText, "{-1,2,-1,2}");
  EXPECT_EQ(o.knotListPosition, 2);
  EXPECT_EQ(o.examplesListPosition, 0);
  EXPECT_EQ(o.mutantsListPosition, 0);
  EXPECT_EQ(o.fileNameBox, "");
  EXPECT_EQ(o.pickedName, "mine.txt");  // the file stays picked; the braid takes precedence
}

TEST(PickLists, ExamplePutsItsBraid) {
  MainWindowOptions o = WithFilePicked();
  o.knotListPosition = 7;
  examplesListSelect(o, 2);
  EXPECT_EQ(o.braidEditText, "{1,1,2,2,-3,-1,-1,2,2,-3,-3,-2,1}");
  EXPECT_EQ(o.knotListPosition, 0);
  EXPECT_EQ(o.fileNameBox, "");
}

TEST(PickLists, MutantPutsBraidAndNoteFromTheBrace) {
  MainWindowOptions o = WithFilePicked();
  o.knotListPosition = 7;
  mutantsListSelect(o, FindKnot("11_401").mutantsList);
  EXPECT_EQ(o.braidEditText, "{1,2,2,-3,1,-3,1,-2,1,-2,-3}        (Conway knot)");
  EXPECT_EQ(o.knotListPosition, 0);
  EXPECT_EQ(o.fileNameBox, "");
}

TEST(PickLists, HeadersAndSeparatorsChangeNothing) {
  MainWindowOptions o = WithFilePicked();
  o.braidEditText = "{1,1,1}";
  o.knotListPosition = 4;
  int separator = 0;
  while (!MutantsListEntry(++separator).starts_with("*")) {
  }
  mutantsListSelect(o, separator);
  knotListSelect(o, 0);
  examplesListSelect(o, 0);
  mutantsListSelect(o, 0);
  EXPECT_EQ(o.braidEditText, "{1,1,1}");
  EXPECT_EQ(o.knotListPosition, 4);
  EXPECT_EQ(o.fileNameBox, "mine.txt");
}

TEST(PickLists, TableKnotFoundByNameTakesTheRunsDiagramAndClearsTheLists) {
  MainWindowOptions o;
  knotListSelect(o, 5);
  EXPECT_TRUE(tableKnotSelect(o, "11n_34"));
  EXPECT_EQ(o.braidEditText, std::string(KnotBraid(FindKnot("11_401").knotList)));
  EXPECT_EQ(o.knotListPosition, 0);
  EXPECT_FALSE(tableKnotSelect(o, "14n_1"));
  EXPECT_EQ(o.braidEditText, std::string(KnotBraid(FindKnot("11_401").knotList)));
}

}  // namespace
}  // namespace quarvel
