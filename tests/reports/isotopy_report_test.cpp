#include "reports/isotopy_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "reports/report_test_support.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::FillTrefoilRun;
using testing::ReportLinesOf;
using testing::TempWorkingDirectory;
using Lines = std::vector<std::string>;

const std::string kSeparator(50, '=');

// The end of an isotopy run of the trefoil into S_4 over F_13, with the classes given as element
// indices of a, b, c: element 1 is "1234", 2 is "1243", 3 is "2134".
void FillIsotopyRun(Workbench& wb, const std::vector<std::array<int32_t, 3>>& classes) {
  FillTrefoilRun(wb);
  wb.settings.isotopyGroup = "s4";
  wb.current.degreeK = 4;
  wb.settings.currentPrime = 13;
  wb.isotopyGroup.texts = {"", "1234", "1243", "2134"};
  wb.isotopy.untwistedPolynomialText = {" 1+12t+t^2 (in F_13)", " 1+12t+t^2 \\in \\Bbb{F}_{13}[t^{\\pm 1}]"};
  wb.homomorphisms.rows.clear();
  wb.isotopy.classTexts.clear();
  for (size_t h = 0; h < classes.size(); ++h) {
    Assignment row{};
    for (int g = 1; g <= 3; ++g) row[g] = classes[h][g - 1];
    wb.homomorphisms.rows.push_back(row);
    std::string text = " 1+" + std::to_string(h + 2) + "t^2";
    wb.isotopy.classTexts.push_back({text, text});
  }
  wb.isotopy.productText =
      classes.empty() ? PolynomialTexts{"1", "1"} : PolynomialTexts{" 1+5t^2+6t^4", " 1+5t^2+6t^4"};
}

struct IsotopyReportTest : ::testing::Test {
  TempWorkingDirectory dir;
  Bench bench;
  Workbench& wb = bench.wb;

  Lines Plain() {
    WriteIsotopyReport(wb, false);
    return ReportLinesOf(dir.path() / "quarvel_results.txt");
  }
  Lines Latex() {
    WriteIsotopyReport(wb, true);
    return ReportLinesOf(dir.path() / "quarvel_latex.tex");
  }
};

TEST_F(IsotopyReportTest, PlainFileWithTwoClasses) {
  FillIsotopyRun(wb, {{2, 3, 3}, {1, 2, 3}});
  Lines expected = {"Presentation of pi_1(S^3\\K):",
                    "The generators are a, b, c",
                    "The relators are as follows:",
                    "-a+b+c-b",
                    "-b+c+a-c",
                    kSeparator,
                    "Untwisted Alexander polynomial",
                    " 1+12t+t^2 (in F_13)",
                    kSeparator,
                    "Product of twisted Alexander polynomials for pi_1(S^3\\K) -> S_4 -> GL(F_13,4)",
                    " 1+5t^2+6t^4",
                    kSeparator,
                    "There are 2 equivalence classes of non-abelian homomorphisms pi_1(S^3\\K) -> S_4.",
                    "Equivalence classes of representations pi_1(S^3\\K) -> S_4 -> GL(F_13,4)",
                    "Equivalence class 1",
                    "(Elements in S_4 are written in permutation form)",
                    "a -> 1243",
                    "b -> 2134",
                    "c -> 2134",
                    "Corresponding twisted Alexander polynomial",
                    " 1+2t^2",
                    std::string(30, '='),
                    "Equivalence class 2",
                    "(Elements in S_4 are written in permutation form)",
                    "a -> 1234",
                    "b -> 1243",
                    "c -> 2134",
                    "Corresponding twisted Alexander polynomial",
                    " 1+3t^2"};
  Lines lines = Plain();
  EXPECT_EQ(lines, expected);
  for (const std::string& line : lines) EXPECT_FALSE(line.starts_with("\\")) << line;
}

TEST_F(IsotopyReportTest, LatexFileWithTwoClassesNotesPermutationFormOnce) {
  FillIsotopyRun(wb, {{2, 3, 3}, {1, 2, 3}});
  wb.settings.isotopyGroup = "a4";
  Lines expected = {
      "\\documentclass[12pt]{amsart}",
      "\\begin{document}",
      "\\noindent {\\bf{Braid: $\\{{-1,-1,-1}\\}$.}} \\\\",
      "\\noindent Presentation of $\\pi_1(S^3\\setminus K)$:",
      "The generators are $a, b, c$.",
      "The relators are as follows:",
      "\\[ \\begin{array}{lllllllll}",
      "&a^{-1}bcb^{-1},&b^{-1}cac^{-1},\\\\",
      "\\end{array} \\]",
      "%" + kSeparator,
      "The untwisted Alexander polynomial equals",
      "\\[  1+12t+t^2 \\in \\Bbb{F}_{13}[t^{\\pm 1}].\\]",
      "%" + kSeparator,
      "The product of the twisted Alexander polynomials for all equivalence classes of representations "
      "of the form",
      "\\[ \\pi_1(S^3\\setminus K) \\to S_4 \\to \\mbox{GL}(\\Bbb{F}_{13},4)\\]",
      "equals",
      "\\[ \\begin{array}{l}",
      " 1+5t^2+6t^4\\\\",
      "\\end{array} \\]",
      "(Note that the equivalence class is up to conjugation by elements in $S_4$.)\\\\",
      "%" + kSeparator,
      "There are 2 equivalence classes of non--abelian homomorphisms $\\pi_1(S^3\\setminus K) \\to A_4$.\\\\",
      "The equivalence classes of representations $\\pi_1(S^3\\setminus K) \\to A_4 \\to "
      "\\mbox{GL}(\\Bbb{F}_{13},4)$",
      "are the following.\\\\",
      "Equivalence class 1",
      " is represented by the following representation.",
      "(Note that the elements in $S_4$ are written in permutation form.)",
      "\\[ \\begin{array}{rclrclrclrcl}",
      "a &\\mapsto& (1243)&b &\\mapsto& (2134)&c &\\mapsto& (2134)\\\\",
      "\\end{array} \\]",
      "The corresponding twisted Alexander polynomial equals",
      "\\[ \\begin{array}{l}",
      " 1+2t^2\\\\",
      "\\end{array} \\]",
      "%" + std::string(29, '='),
      "Equivalence class 2",
      " is represented by the following representation.",
      "\\[ \\begin{array}{rclrclrclrcl}",
      "a &\\mapsto& (1234)&b &\\mapsto& (1243)&c &\\mapsto& (2134)\\\\",
      "\\end{array} \\]",
      "The corresponding twisted Alexander polynomial equals",
      "\\[ \\begin{array}{l}",
      " 1+3t^2\\\\",
      "\\end{array} \\]",
      "\\end{document}"};
  EXPECT_EQ(Latex(), expected);
}

TEST_F(IsotopyReportTest, NoClassesGiveTheProductOne) {
  FillIsotopyRun(wb, {});
  wb.presentation.braidText.clear();
  Lines plain = Plain();
  EXPECT_EQ(
      Lines(plain.end() - 5, plain.end()),
      Lines({"Product of twisted Alexander polynomials for pi_1(S^3\\K) -> S_4 -> GL(F_13,4)", "1",
             kSeparator, "There are 0 equivalence classes of non-abelian homomorphisms pi_1(S^3\\K) -> S_4.",
             "Equivalence classes of representations pi_1(S^3\\K) -> S_4 -> GL(F_13,4)"}));
  Lines latex = Latex();
  EXPECT_EQ(latex[2], "\\noindent Presentation of $\\pi_1(S^3\\setminus K)$:");  // no braid line
  EXPECT_EQ(Lines(latex.end() - 9, latex.end()),
            Lines({"\\[ \\begin{array}{l}", "1\\\\", "\\end{array} \\]",
                   "(Note that the equivalence class is up to conjugation by elements in $S_4$.)\\\\",
                   "%" + kSeparator,
                   "There are 0 equivalence classes of non--abelian homomorphisms $\\pi_1(S^3\\setminus K) "
                   "\\to S_4$.\\\\",
                   "The equivalence classes of representations $\\pi_1(S^3\\setminus K) \\to S_4 \\to "
                   "\\mbox{GL}(\\Bbb{F}_{13},4)$",
                   "are the following.\\\\", "\\end{document}"}));
}

TEST_F(IsotopyReportTest, LongPolynomialsAreCutBeforeASign) {
  FillIsotopyRun(wb, {{2, 3, 3}});
  // 100 characters: one line in the plain file; in LaTeX cut before the first sign after 71.
  std::string product = " 1";
  for (int e = 1; product.size() < 100; ++e)
    product += "+" + std::to_string(e % 9 + 1) + "t^" + std::to_string(e % 10);
  product.resize(100);
  ASSERT_NE(product.back(), '+');
  wb.isotopy.productText = {product, product};
  Lines plain = Plain();
  EXPECT_NE(std::find(plain.begin(), plain.end(), product), plain.end());

  size_t cut = product.find_first_of("+-", 71);
  ASSERT_NE(cut, std::string::npos);
  Lines latex = Latex();
  auto first = std::find(latex.begin(), latex.end(), product.substr(0, cut) + "\\\\");
  ASSERT_NE(first, latex.end());
  EXPECT_EQ(*(first + 1), product.substr(cut) + "\\\\");

  // Past 101 characters the plain file breaks as well.
  std::string longer = product + "+1t^9+1t^9";
  wb.isotopy.classTexts[0] = {longer, longer};
  Lines wrapped = Plain();
  size_t plainCut = longer.find_first_of("+-", 101);
  EXPECT_NE(std::find(wrapped.begin(), wrapped.end(), longer.substr(0, plainCut)), wrapped.end());
  EXPECT_EQ(wrapped.back(), longer.substr(plainCut));
}

}  // namespace
}  // namespace quarvel
