// PD and DT codes: the diagrams they give, the codes refused, and table knots by every name.
#include <gtest/gtest.h>

#include "diagram_alexander.h"
#include "group/diagram_text.h"
#include "group/dt_code.h"
#include "group/pd_code.h"
#include "group/table_knots.h"

namespace quarvel::testing {
namespace {

constexpr std::string_view kTrefoilPd = "[[1,5,2,4],[3,1,4,6],[5,3,6,2]]";

ClosedBraid Closed(std::string_view text) {
  Result<ClosedBraid> closed = CloseDiagram(NormaliseDiagramText(text));
  EXPECT_TRUE(closed.ok()) << text << ": " << (closed.ok() ? "" : closed.error());
  return closed.ok() ? *closed : ClosedBraid{};
}

std::string Error(std::string_view text) {
  Result<ClosedBraid> closed = CloseDiagram(NormaliseDiagramText(text));
  return closed.ok() ? "accepted" : closed.error();
}

TEST(PdCode, TheTrefoilInEveryWritingIsTheRightHandedTrefoil) {
  for (std::string_view text : {kTrefoilPd, std::string_view("PD[X[1,5,2,4], X[3,1,4,6], X[5,3,6,2]]"),
                                std::string_view("X[1,5,2,4], X[3,1,4,6], X[5,3,6,2]"),
                                std::string_view(" [(1, 5, 2, 4), (3, 1, 4, 6), (5, 3, 6, 2)] ")}) {
    EXPECT_EQ(FormOfDiagramText(text), DiagramForm::pd) << text;
    const ClosedBraid trefoil = Closed(text);
    EXPECT_EQ(trefoil.generatorCount, 3) << text;
    EXPECT_EQ(Writhe(trefoil), 3) << text;
    EXPECT_FALSE(trefoil.isLink);
  }
  EXPECT_EQ(Writhe(Closed("[[1,4,2,5],[3,6,4,1],[5,2,6,3]]")), -3);  // its mirror image
  EXPECT_EQ(DiagramAlexander(kTrefoilPd).value(), DiagramAlexander("{1,1,1}").value());
}

TEST(PdCode, InvalidCodesAreRefusedNamingTheFirstBadCrossing) {
  EXPECT_EQ(Error("[[1,5,2,4],[3,1,4],[5,3,6,2]]"), "Not a valid PD code: crossing 2 has 3 labels, not 4");
  EXPECT_EQ(Error("[[1,5,2,4],[3,1,4,6],[5,3,6,9]]"),
            "Not a valid PD code: crossing 3 has the label 9 outside 1..6");
  EXPECT_EQ(Error("[[1,5,2,4],[3,1,4,6],[5,3,6,5]]"),
            "Not a valid PD code: crossing 3 uses the label 5 a third time");
  // Edge 1 would enter both crossings under.
  EXPECT_EQ(Error("[[1,4,2,3],[1,3,2,4]]"),
            "Not a valid PD code: crossing 2 contradicts the directions of its edges");
  EXPECT_EQ(Error("PD[]"), "Not a valid PD code: it has no crossing");
  EXPECT_EQ(Error("PD[X[1,5,2,4] X[3,1,4,6]]"), "Not a valid PD code: crossing 2 does not follow a comma");
  EXPECT_EQ(Error("[[1,5,2,4]],"), "Not a valid PD code: text follows the list of crossings");
}

// Links: the PD codes of the Knot Atlas and the braids give the same polynomial; the components'
// directions come from the under-edges (the Hopf link's code runs against its labels).
TEST(PdCode, LinksGiveTheSamePolynomialAsTheirBraids) {
  struct Link {
    std::string_view pd;
    std::string_view braid;
  };
  for (const Link& link :
       {Link{"[[4,1,3,2],[2,3,1,4]]", "{1,1}"},
        Link{"[[6,1,7,2],[10,7,5,8],[4,5,1,6],[2,10,3,9],[8,4,9,3]]", "{1,1,-2,1,-2}"},
        Link{"[[6,1,7,2],[12,8,9,7],[4,12,1,11],[10,5,11,6],[8,4,5,3],[2,10,3,9]]", "{1,-2,1,-2,1,-2}"}}) {
    EXPECT_TRUE(Closed(link.pd).isLink) << link.pd;
    for (int32_t prime : {13, 2}) {
      Result<Polynomial> fromPd = DiagramAlexander(link.pd, prime);
      Result<Polynomial> fromBraid = DiagramAlexander(link.braid, prime);
      ASSERT_TRUE(fromPd.ok() && fromBraid.ok()) << link.pd;
      EXPECT_EQ(*fromPd, *fromBraid) << link.pd << " over F_" << prime;
    }
  }
}

TEST(DtCode, CodesAreReadInEveryWritingAndRealisedAsTheirKnots) {
  for (std::string_view text : {"4 6 2", "[4, 6, 2]", "DT[4,6,2]", "(4,6,2)"}) {
    ASSERT_TRUE(ParseDtCode(text).ok()) << text;
    EXPECT_EQ(*ParseDtCode(text), (std::vector<int>{4, 6, 2})) << text;
  }
  EXPECT_EQ(DiagramAlexander("DT[4,6,2]").value(), DiagramAlexander("{1,1,1}").value());
  EXPECT_EQ(DiagramAlexander("DT[4,6,8,2]").value(), DiagramAlexander("{1,-2,1,-2}").value());
  // 8_19, the first non-alternating knot: signs mark the even passages that run over.
  EXPECT_EQ(DiagramAlexander("DT[4,8,-12,2,-14,-16,-6,-10]").value(),
            DiagramAlexander("{1,1,1,2,1,1,1,2}").value());
  EXPECT_EQ(Writhe(Closed("DT[4,6,2]")), -Writhe(Closed("DT[-4,-6,-2]")));
}

TEST(DtCode, CodesThatAreNoDiagramAreRefused) {
  EXPECT_EQ(Error("DT[4,6,3]"), "Not a valid DT code: the entry 3 is not one of +-2, +-4, ..., +-6");
  EXPECT_EQ(Error("DT[4,4,2]"), "Not a valid DT code: the entry 4 occurs twice");
  EXPECT_EQ(Error("DT[4,x,2]"), "Not a valid DT code: it holds the character 'x'");
  EXPECT_EQ(Error("DT[]"), "Not a valid DT code: it has no entry");
  EXPECT_EQ(Error("DT[4,6,8,10,2]"), "The DT code is not realisable");
}

TEST(TableKnots, EveryNamingSchemeNamesTheSameKnot) {
  EXPECT_EQ(TableKnotDiagram("11n_34"), TableKnotDiagram("11_401"));
  EXPECT_EQ(TableKnotDiagram("K11n34"), TableKnotDiagram("11_401"));
  EXPECT_EQ(TableKnotDiagram("11a_367"), TableKnotDiagram("11_367"));
  EXPECT_EQ(TableKnotDiagram("K11a1"), TableKnotDiagram("11_1"));
  EXPECT_EQ(TableKnotDiagram("12n_23"), TableKnotDiagram("12_1311"));
  EXPECT_EQ(TableKnotDiagram("12a_1288"), TableKnotDiagram("12_1288"));
  EXPECT_EQ(TableKnotDiagram("Knot 4_1"), TableKnotDiagram("4_1"));
  for (std::string_view unknown :
       {"11a_368", "11n_186", "12n_889", "13_9989", "13a_1", "10_166", "2_1", "4_01", "K11n", "m", "x3_1"}) {
    EXPECT_FALSE(TableKnotDiagram(unknown).has_value()) << unknown;
  }
  EXPECT_EQ(PrimeTableName(*ParseTableKnotName("11_401")), "11n_34");
  EXPECT_EQ(PrimeKnotName(kPrimeKnotCount), "13_9988");
}

TEST(TableKnots, PickListsKeepTheirBraidsOtherKnotsRunPdCodesAndMMirrors) {
  // 3_1 of the pick lists is the left-handed trefoil; the prime knot table's braid is the mirror.
  EXPECT_EQ(TableKnotDiagram("3_1"), "{-1,-1,-1}");
  EXPECT_EQ(TableKnotDiagram("m3_1"), "{1,1,1}");
  EXPECT_EQ(TableKnotDiagram("11_401"), TableKnotDiagram("11n_34"));
  // Knots beyond the pick lists run their minimal PD codes, mirrored to the opposite writhe.
  const std::string pd = TableKnotDiagram("13_3143").value();
  ASSERT_EQ(FormOfDiagramText(pd), DiagramForm::pd);
  EXPECT_EQ(Writhe(Closed(TableKnotDiagram("m13_3143").value())), -Writhe(Closed(pd)));
  EXPECT_EQ(DiagramAlexander(TableKnotDiagram("m13_3143").value()).value(), DiagramAlexander(pd).value());
}

}  // namespace
}  // namespace quarvel::testing
