#include "reports/report_sections.h"

#include <gtest/gtest.h>

#include "reports/report_test_support.h"
#include "reports/report_text.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::FillLinkPresentation;
using testing::FillTrefoilRun;
using testing::WrittenLines;
using Lines = std::vector<std::string>;

Lines Header(const Workbench& wb, bool headerOnly, const std::string& prefix, bool latex) {
  return WrittenLines([&](ReportFile& f) { WriteRunHeader(wb, f, headerOnly, prefix, latex); });
}

Lines Section(const Workbench& wb, bool headerOnly, const std::string& prefix, bool latex) {
  return WrittenLines([&](ReportFile& f) { WriteRepresentationSection(wb, f, headerOnly, prefix, latex); });
}

TEST(CutBeforeSigns, BreaksOnlyBeforeASignFromTheFirstCutOn) {
  EXPECT_TRUE(CutBeforeSigns("", 80).empty());
  EXPECT_EQ(CutBeforeSigns(" 1+t", 80), Lines({" 1+t"}));
  // 200 characters with no sign after position 80: one line.
  std::string unsigned200 = " 1+" + std::string(197, '7');
  EXPECT_EQ(CutBeforeSigns(unsigned200, 80), Lines({unsigned200}));
  // Signs at positions 79 and 90 (1-based): the first line runs to position 89.
  std::string text = std::string(78, '1') + "+" + std::string(10, '2') + "-" + std::string(5, '3');
  EXPECT_EQ(CutBeforeSigns(text, 80), Lines({text.substr(0, 89), text.substr(89)}));
  // A sign right at the first cut ends the line there.
  std::string exact = std::string(80, '4') + "+5";
  EXPECT_EQ(CutBeforeSigns(exact, 80), Lines({std::string(80, '4'), "+5"}));
}

TEST(RunHeader, PlainKnotHasNoPhiSection) {
  Bench bench;
  FillTrefoilRun(bench.wb);
  EXPECT_EQ(Header(bench.wb, false, "", false),
            Lines({"Presentation of pi_1(S^3\\K):", "The generators are a, b, c",
                   "The relators are as follows:", "-a+b+c-b", "-b+c+a-c", "Untwisted Alexander polynomial:",
                   " 1+12t+t^2 (in F_13)", "Lower bound for genus of K: 1.  "}));

  bench.wb.evaluation.integerAlexanderText = "1-t+t^2";
  bench.wb.evaluation.possiblyFibered = false;
  Lines lines = Header(bench.wb, false, "", false);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[7], "1-t+t^2 in Z[t,t^-1]");
  EXPECT_EQ(lines[9], "The knot is not fibered.");
}

TEST(RunHeader, PhiAssignmentsArePackedPastSeventyCharacters) {
  Bench bench;
  Workbench& wb = bench.wb;
  wb.evaluation.boundText = "3";

  FillLinkPresentation(wb, 7);
  Lines seven = Header(wb, false, "", false);
  std::string all7 = "a -> 1   b -> 1   c -> 1   d -> 1   e -> 1   f -> 1   g -> 1   ";
  ASSERT_EQ(all7.size(), 63u);
  Lines tail7(seven.begin() + 3 + 6, seven.end());
  EXPECT_EQ(tail7, Lines({"The homomorphism phi is given by", all7, "Untwisted Alexander polynomial:", "",
                          "Lower bound for the Thurston norm of phi: 3.  "}));

  FillLinkPresentation(wb, 9);
  Lines nine = Header(wb, true, "# ", false);
  std::string all8 = all7 + "h -> 1   ";
  ASSERT_EQ(all8.size(), 72u);
  // headerOnly ends with the assignments, every line behind the prefix.
  EXPECT_EQ(Lines(nine.end() - 3, nine.end()),
            Lines({"# The homomorphism phi is given by", "# " + all8, "# i -> 1   "}));
  for (const std::string& line : nine) EXPECT_TRUE(line.starts_with("# ")) << line;
  EXPECT_EQ(nine.front(), "# Presentation of pi_1(S^3\\L):");
}

TEST(RunHeader, VerdictsAndBoundsByGroupType) {
  Bench bench;
  Workbench& wb = bench.wb;
  FillLinkPresentation(wb, 2);
  wb.evaluation.boundText = "2";
  wb.evaluation.possiblyFibered = false;
  EXPECT_EQ(Header(wb, false, "", false).back(), "The link complement does not fiber over phi:pi_1(M) -> Z.");
  EXPECT_EQ(Header(wb, false, "", true).back(),
            "The link complement does not fiber over $\\phi:\\pi_1(M) \\to \\Bbb{Z}$.");
  for (GroupType type : {GroupType::boundary, GroupType::closed}) {
    wb.current.groupType = type;
    SetSpaceNames(wb.presentation, type);
    Lines plain = Header(wb, false, "", false);
    EXPECT_EQ(plain.front(), "Presentation of pi_1(M):");
    EXPECT_EQ(plain[plain.size() - 2], "Lower bound for the Thurston norm of phi: 2.  ");
    EXPECT_EQ(plain.back(), "The Manifold does not fiber over phi:pi_1(M) -> Z.");
    Lines latex = Header(wb, false, "", true);
    EXPECT_EQ(latex[latex.size() - 2], "Lower bound for the Thurston norm of $\\phi$: 2.  ");
  }
}

TEST(RunHeader, LatexPreambleRelatorRowsAndPhiArray) {
  Bench bench;
  Workbench& wb = bench.wb;
  FillLinkPresentation(wb, 8);  // seven relators
  wb.evaluation.untwistedPolynomialText = {" 1 (in F_13)", " 1 \\in \\Bbb{F}_{13}[t^{\\pm 1}]"};
  wb.evaluation.integerAlexanderText = "1";
  wb.evaluation.boundText = "0";
  Lines lines = Header(wb, false, "", true);
  Lines expected = {"\\documentclass[12pt]{amsart}",
                    "\\usepackage{amssymb}",
                    "\\begin{document}",
                    "\\noindent Presentation of $\\pi_1(S^3\\setminus L)$:",
                    "The generators are $a, b, c, d, e, f, g, h$.",
                    "The relators are as follows:",
                    "\\[ \\begin{array}{lllllllll}",
                    "&ab^{-1},&bc^{-1},&cd^{-1},&de^{-1},&ef^{-1},\\\\",
                    "&fg^{-1},&gh^{-1},\\\\",
                    "\\end{array} \\]",
                    "The homomorphism $\\phi$ is given by",
                    "\\[ \\begin{array}{rcl}"};
  for (char g = 'a'; g <= 'h'; ++g) expected.push_back(std::string(1, g) + " &\\mapsto&1\\\\   ");
  expected.insert(
      expected.end(),
      {"\\end{array} \\]", "Untwisted Alexander polynomial:", "\\[  1 \\in \\Bbb{F}_{13}[t^{\\pm 1}].\\]",
       "\\[ 1 \\in \\Bbb{Z}[t,t^-1].\\]", "Lower bound for the Thurston norm of $\\phi$: 0.  "});
  EXPECT_EQ(lines, expected);

  FillTrefoilRun(wb);  // a knot from a braid: the braid line, no phi
  Lines knot = Header(wb, false, "", true);
  EXPECT_EQ(knot[3], "\\noindent {\\bf{Braid: $\\{{-1,-1,-1}\\}$.}} \\\\");
  EXPECT_EQ(knot.back(), "Lower bound for genus of knot $K$: 1.  ");
  for (const std::string& line : knot) EXPECT_EQ(line.find("phi"), std::string::npos) << line;
}

TEST(RepresentationSection, PermutationKindsName) {
  Bench bench;
  Workbench& wb = bench.wb;
  FillTrefoilRun(wb);
  // The reduced representation: k = 2 is the dimension of V, the group is S_3.
  EXPECT_EQ(Section(wb, false, "", false),
            Lines({"Representation pi_1(S^3\\K) -> S_3 -> GL(V)",
                   "where S_3 acts on V = { (v_1,...,v_3) | v_1+...+v_3=0 } by permuting the coordinates.",
                   "Note that V is a vector space of dimension 2.",
                   "(Elements in S_3 are written in permutation form)", "a -> 132", "b -> 321", "c -> 213",
                   "For this representation deg(Delta_0^a(t))=0", "The twisted Alexander polynomial equals",
                   " 1+12t^2 in F_13[t]", "Lower bound for genus of K: 1  "}));

  wb.settings.reducedPermutationRep = false;
  wb.current.degreeK = 3;
  wb.twisted.deg0 = 1;  // differs from deg2 = 0
  Lines integral = Section(wb, true, "# ", false);
  EXPECT_EQ(integral, Lines({"# Representation pi_1(S^3\\K) -> S_3 -> GL(Z,3)",
                             "# (Elements in S_3 are written in permutation form)", "# a -> 132",
                             "# b -> 321", "# c -> 213", "# For this representation deg(Delta_0^a(t))<=1"}));

  wb.settings.permutationGroupOnly = true;
  wb.current.degreeK = 6;  // the regular representation of the image
  wb.image.degree = 3;
  wb.image.count = 6;
  wb.image.phiDivisor = 2;
  EXPECT_EQ(Section(wb, true, "", false),
            Lines({"Representation pi_1(S^3\\K) -> S_3 -> Aut(Z[S_3])",
                   "(Elements in S_3 are written in permutation form)", "a -> 132", "b -> 321", "c -> 213",
                   "Subgroup of S_3 of order 6", "n(phi,alpha)=2"}));
  Lines latex = Section(wb, true, "", true);
  EXPECT_EQ(latex.front(),
            "Representation $\\pi_1(S^3\\setminus K) \\to S_3 \\to \\mbox{Aut}(\\Bbb{Z}[S_3])$");
  EXPECT_EQ(latex.back(), "Subgroup of $S_3$ of order 6 and $n(\\phi,\\alpha)=2$.");
}

TEST(RepresentationSection, LatexGeneratorRowsHoldFourMaps) {
  Bench bench;
  Workbench& wb = bench.wb;
  FillTrefoilRun(wb);
  wb.settings.reducedPermutationRep = false;
  wb.current.degreeK = 3;
  for (int g = 1; g <= 9; ++g) {
    wb.presentation.generatorUsed[g] = true;
    for (int i = 1; i <= 3; ++i) wb.representation.generators[g].image[i] = i;
  }
  Lines lines = Section(wb, false, "", true);
  Lines expected = {"Representation $\\pi_1(S^3\\setminus K) \\to S_3 \\to \\mbox{GL}(\\Bbb{Z},3)$",
                    "The representation is given as follows,",
                    "note that the elements in $S_3$ are written in permutation form.",
                    "\\[ \\begin{array}{rclrclrclrcl}",
                    "a &\\mapsto& (123)&b &\\mapsto& (123)&c &\\mapsto& (123)&d &\\mapsto& (123)\\\\",
                    "e &\\mapsto& (123)&f &\\mapsto& (123)&g &\\mapsto& (123)&h &\\mapsto& (123)\\\\",
                    "i &\\mapsto& (123)\\\\",
                    "\\end{array} \\]",
                    "For this representation $\\mbox{deg}(\\Delta_0^\\alpha(t))=0$.",
                    "The twisted Alexander polynomial equals",
                    "\\[",
                    " 1+12t^2 \\in \\Bbb{F}_{13}[t^{\\pm 1}]",
                    " \\]",
                    "Lower bound for genus of $K$: 1.  "};
  EXPECT_EQ(lines, expected);

  // The V form names V and its dimension.
  wb.settings.reducedPermutationRep = true;
  wb.current.degreeK = 2;
  Lines reduced = Section(wb, true, "", true);
  EXPECT_EQ(
      Lines(reduced.begin(), reduced.begin() + 3),
      Lines({"Representation $\\pi_1(S^3\\setminus K) \\to S_3 \\to \\mbox{GL}(V)$",
             "where $S_3$ acts on $V = \\{ (v_1,...,v_3) | v_1+...+v_3=0 \\}$ by permuting the coordinates.",
             "Note that $V$ is a vector space of dimension 2."}));
}

TEST(RepresentationSection, MetabelianAndAbelianImages) {
  Bench bench;
  Workbench& wb = bench.wb;
  FillTrefoilRun(wb);
  wb.settings.repFamily = RepFamily::metabelian;
  wb.settings.metabelianRep = true;
  wb.current.degreeK = 7;
  wb.representation.metabelianN = 2;
  wb.representation.metabelianL = 7;
  wb.representation.metabelianZ = 6;
  wb.representation.generators[1].metabelianElement = 8;   // (1,0)
  wb.representation.generators[2].metabelianElement = 12;  // (1,4)
  wb.representation.generators[3].metabelianElement = 1;   // (0,0)
  EXPECT_EQ(
      Section(wb, true, "", false),
      Lines({"Representation pi_1(S^3\\K) -> Z/2 x Z/7 where 1 in Z/2 acts on Z/7 by multiplication by 6",
             "a -> (1,0)", "b -> (1,4)", "c -> (0,0)"}));
  EXPECT_EQ(
      Section(wb, true, "", true),
      Lines({"Representation $\\pi_1(S^3\\setminus K) \\to \\Bbb{Z}/2 \\ltimes \\Bbb{Z}/7$ where $1 \\in "
             "\\Bbb{Z}/2$ acts on $\\Bbb{Z}/7$ by multiplication by 6.",
             "\\[ \\begin{array}{rcl}", "a&\\mapsto& (1,0) \\\\", "b&\\mapsto& (1,4) \\\\",
             "c&\\mapsto& (0,0) \\\\", "\\end{array} \\]"}));
  wb.settings.metabelianRep = false;
  EXPECT_EQ(Section(wb, true, "", false).front(),
            "Representation pi_1(S^3\\K) -> Z/2 x Z/7 -> GL(F,7) where 1 in Z/2 acts on Z/7 by "
            "multiplication by 6");
  EXPECT_EQ(Section(wb, true, "", true).front(),
            "Representation $\\pi_1(S^3\\setminus K) \\to \\Bbb{Z}/2 \\ltimes \\Bbb{Z}/7 \\to "
            "\\mbox{GL}(\\Bbb{F},7)$ "
            "where $1\\in \\Bbb{Z}/2$ acts on $\\Bbb{Z}/7$ by multiplication by 6.");

  wb.settings.repFamily = RepFamily::abelian;
  wb.current.degreeK = 1;
  for (int g = 1; g <= 3; ++g) wb.representation.generators[g].abelianScalar = 12;
  EXPECT_EQ(Section(wb, true, "", false),
            Lines({"Representation pi_1(S^3\\K) ->  (F_13)*", "a -> (12)", "b -> (12)", "c -> (12)"}));
  EXPECT_EQ(Section(wb, true, "", true).front(),
            "Representation $\\pi_1(S^3\\setminus K) \\to  (\\Bbb{F}_13)^*$:");
}

TEST(RepresentationSection, ComparedFieldsWadaAndVerdict) {
  Bench bench;
  Workbench& wb = bench.wb;
  FillTrefoilRun(wb);
  wb.settings.compareFields = true;
  wb.settings.fieldSelected[2] = wb.settings.fieldSelected[3] = true;  // F_3 and F_5
  wb.evaluation.fieldPolynomialTexts[1] = {"unselected", "unselected"};
  wb.evaluation.fieldPolynomialTexts[2] = {" 1+2t^2 in F_3[t]", " 1+2t^2 \\in \\Bbb{F}_{3}[t^{\\pm 1}]"};
  // 85 characters with a sign at position 82: the text of F_5 takes two lines.
  std::string longText = " 1+" + std::string(78, '4') + "+t in F_5[t]";
  wb.evaluation.fieldPolynomialTexts[3] = {longText, "x \\in \\Bbb{F}_{5}[t^{\\pm 1}]"};
  wb.evaluation.wadaText = "(1-t)/(1+t)";
  wb.evaluation.showsNotFibered = true;
  Lines plain = Section(wb, false, "", false);
  EXPECT_EQ(Lines(plain.end() - 8, plain.end()),
            Lines({"The twisted Alexander polynomial equals", " 1+2t^2 in F_3[t]", longText.substr(0, 81),
                   longText.substr(81), "The Wada-invariant is given by:", "(1-t)/(1+t) in Q(t)",
                   "Lower bound for genus of K: 1  ", "The knot is not fibered"}));
  Lines latex = Section(wb, false, "", true);
  EXPECT_EQ(
      Lines(latex.end() - 9, latex.end()),
      Lines({"The twisted Alexander polynomial equals", "\\[ \\begin{array}{l}",
             " 1+2t^2 \\in \\Bbb{F}_{3}[t^{\\pm 1}]\\\\", "x \\in \\Bbb{F}_{5}[t^{\\pm 1}]\\\\",
             "\\end{array} \\]", "The Wada-invariant is given by:", "\\[ (1-t)/(1+t) \\in \\Bbb{Q}(t). \\]",
             "Lower bound for genus of $K$: 1.  ", "The knot is not fibered."}));

  FillLinkPresentation(wb, 3);
  wb.settings.compareFields = false;
  wb.evaluation.wadaText.clear();
  Lines link = Section(wb, false, "", false);
  EXPECT_EQ(Lines(link.end() - 2, link.end()),
            Lines({"Lower bound for the Thurston norm of phi: 1  ",
                   "The link complement does not fiber over phi:pi_1(M) -> Z"}));
  wb.current.groupType = GroupType::closed;
  EXPECT_EQ(Section(wb, false, "", false).back(), "The Manifold does not fiber over phi:pi_1(M) -> Z");
}

}  // namespace
}  // namespace quarvel
