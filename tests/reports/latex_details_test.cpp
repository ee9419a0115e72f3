#include "reports/latex_details.h"

#include <gtest/gtest.h>

#include "reports/report_test_support.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::FillTrefoilRun;
using testing::WrittenLines;
using Lines = std::vector<std::string>;

void SetTerms(Workbench& wb, int32_t i, int32_t j, const std::vector<std::pair<int32_t, int>>& terms) {
  for (auto [e, c] : terms) MatrixSet(wb.matrix, i, j, e, static_cast<Residue>(c), wb.failure);
}

// A diagonal matrix of `rows` rows (k = 1) and two columns with 1 and 2 + t on its diagonal.
void FillDiagonal(Workbench& wb, int64_t rows) {
  wb.current.degreeK = 1;
  wb.presentation.generatorCount = rows;
  wb.presentation.relatorCount = 2;
  ResetMatrix(wb.matrix);
  SetTerms(wb, 1, 1, {{0, 1}});
  SetTerms(wb, 2, 2, {{0, 2}, {1, 1}});
}

TEST(LatexDiagonalRows, ZerosAndSubscriptsFollowTheMatrixSize) {
  Bench bench;
  Workbench& wb = bench.wb;
  FillDiagonal(wb, 5);
  Lines five = LatexDiagonalRows(wb);
  EXPECT_EQ(five, Lines({" 1& 0\\\\", " 0& 2+t\\\\", " 0& 0\\\\", " 0& 0\\\\", " 0& 0\\\\"}));

  FillDiagonal(wb, 6);
  Lines six = LatexDiagonalRows(wb);
  ASSERT_EQ(six.size(), 6u);
  EXPECT_EQ(six[0], " 1&\\cdot\\\\");
  EXPECT_EQ(six[5], "\\cdot&\\cdot\\\\");
  FillDiagonal(wb, 9);
  EXPECT_EQ(LatexDiagonalRows(wb)[1], "\\cdot& 2+t\\\\");

  FillDiagonal(wb, 10);
  Lines ten = LatexDiagonalRows(wb);
  ASSERT_EQ(ten.size(), 10u);
  EXPECT_EQ(ten[0], "_{ 1}\\hspace{-0.2cm}&_{\\cdot}\\hspace{-0.2cm}\\\\");
  EXPECT_EQ(ten[9], "_{\\cdot}\\hspace{-0.2cm}&_{\\cdot}\\hspace{-0.2cm}\\\\");
}

TEST(LatexDiagonalRows, LongEntryContinuesFromItsFirstPlusAfterPositionThirty) {
  Bench bench;
  Workbench& wb = bench.wb;
  SetCurrentPrime(wb.field, 13);
  FillDiagonal(wb, 3);
  wb.presentation.relatorCount = 3;
  ResetMatrix(wb.matrix);
  // 45 characters whose only "+" after position 30 stands at position 38.
  const std::string entry = " 12+t^{10}+12t^{11}+12t^{12}+12t^{98}+2t^{99}";
  ASSERT_EQ(entry.size(), 45u);
  SetTerms(wb, 2, 2, {{0, 12}, {10, 1}, {11, 12}, {12, 12}, {98, 12}, {99, 2}});
  Lines rows = LatexDiagonalRows(wb);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], " 0& 0& 0\\\\");
  EXPECT_EQ(rows[1], " 0&" + entry.substr(0, 37) + "& 0\\\\");
  EXPECT_EQ(rows[2], "&+2t^{99}&\\\\");  // the other columns are empty on the continuation line
  EXPECT_EQ(rows[3], " 0& 0& 0\\\\");

  // Entries of 30 characters or fewer, or without a "+" after position 30, stay whole.
  ResetMatrix(wb.matrix);
  SetTerms(wb, 1, 1, {{0, 1}, {1000, 12}, {1001, 12}, {1002, 12}});  //  1+12t^{1000}+12t^{1001}+12t^{1002}
  EXPECT_EQ(LatexDiagonalRows(wb)[0], " 1+12t^{1000}+12t^{1001}+12t^{1002}& 0& 0\\\\");
}

TEST(PrepareLatexMatrixRows, SmallMatricesPlainLargerOnesAsSubscripts) {
  Bench bench;
  Workbench& wb = bench.wb;
  FillDiagonal(wb, 6);
  SetTerms(wb, 6, 1, {{2, 3}});
  PrepareLatexMatrixRows(wb);
  ASSERT_EQ(wb.reports.latexMatrixRows.size(), 6u);
  EXPECT_EQ(wb.reports.latexMatrixRows[0], " 1& 0\\\\");
  EXPECT_EQ(wb.reports.latexMatrixRows[5], " 3t^2& 0\\\\");

  FillDiagonal(wb, 7);
  SetTerms(wb, 1, 2, {{12, 1}});
  PrepareLatexMatrixRows(wb);
  ASSERT_EQ(wb.reports.latexMatrixRows.size(), 7u);
  EXPECT_EQ(wb.reports.latexMatrixRows[0],
            "_{_{_{ 1}}}\\hspace{-0.3cm}&_{_{_{ t^{12}}}}\\hspace{-0.3cm}\\\\");
}

TEST(ComputationalDetails, SimplificationMatricesAndTheEndOfTheDocument) {
  Bench bench;
  Workbench& wb = bench.wb;
  FillTrefoilRun(wb);  // k = 2 over F_13: a 4 x 2 matrix
  wb.simplification.substitutionList = {"a=-c+b+c", "d=+b"};
  SetTerms(wb, 1, 1, {{0, 12}});
  SetTerms(wb, 2, 2, {{0, 1}, {2, 12}});
  PrepareLatexMatrixRows(wb);
  MatrixSet(wb.matrix, 1, 1, 0, 1, wb.failure);  // the reduction changes the store afterwards
  Lines lines = WrittenLines([&](ReportFile& f) { WriteComputationalDetails(wb, f); });
  const std::string array =
      "\\begin{array}{lllllllllllllllllllllllllllllllllllllllllllllllllllllllllllllllllll}";
  ASSERT_EQ(array.size(), 14u + 67u + 1u);  // 67 columns
  Lines expected = {
      "%",
      "%=================================================",
      "\\\\ \\\\ {\\bf{Computational details for the last representation:}} \\\\",
      "In order to make the presentation matrix smaller the program simplified the fundamental group as "
      "follows.",
      "The program substituted",
      "\\[ \\begin{array}{rcl}",
      "a&=&c^{-1}bc\\\\",
      "d&=&b\\\\",
      "\\end{array} \\]",
      "So the remaining generators are: $b,c$",
      "and the relations become",
      "\\[ \\begin{array}{l}",
      "c^{-1}b^{-1}cbcb^{-1}\\\\",
      "\\end{array} \\]",
      "The representation matrix for $H_1(M,pt,\\Bbb{F}_{13}^2[t^{\\pm 1}])$ is given by",
      "$\\alpha \\otimes \\phi$ applied to the matrix $(a_ij) = \\overline{\\partial_i(r_j)}$",
      "where $r_j$ denotes the $j$--th relator and $\\partial_i$ denotes Fox derivative with respect to the "
      "$i$--th "
      "generator.",
      "The Fox derivative is defined by the rules",
      "\\[ \\begin{array}{rcl}",
      "\\partial_i(r_j) &=& 1, \\mbox{ if } i=j \\mbox{ and } \\partial_i(r_j)= 0, \\mbox{if }i \\ne j \\\\",
      "\\partial_i(uv)  &= &\\partial_i(u) + u \\partial_i(v)",
      "\\end{array} \\]",
      "and the $r\\mapsto \\overline{r}$ denotes the involution given by $g\\mapsto g^{-1}$ for $g\\in "
      "\\pi_1(M)$.",
      "This is the correct way to determine the presentation matrix since we view",
      "$C_*(M)$ as a \\emph{right}  $\\Bbb{F}[\\pi_1(M)]$--module (cf. Velliot 2005).",
      " ",
      "We get the following presentation matrix:",
      "\\[ \\left(",
      array,
      " 12& 0\\\\",
      " 0& 1+12t^2\\\\",
      " 0& 0\\\\",
      " 0& 0\\\\",
      "\\end{array}",
      "\\right) \\]",
      "Using the fact that $\\Bbb{F}_{13}[t^{\\pm 1}]$ is a principal ideal domain we can simplify this to",
      "the following \"diagonal\" matrix:",
      "\\[ \\left(",
      array,
      " 1& 0\\\\",
      " 0& 1+12t^2\\\\",
      " 0& 0\\\\",
      " 0& 0\\\\",
      "\\end{array}",
      "\\right) \\]",
      "Note that $H_1(M,\\Bbb{F}_{13}^2[t^{\\pm 1}])=H_1(M,pt,\\Bbb{F}_{13}^2[t^{\\pm 1}]) + "
      "\\Bbb{F}_{13}^2[t^{\\pm 1}]$",
      "in particular erasing the last 2 rows of the matrix (which are all zero) gives a presentation",
      "matrix for $H_1(M,\\Bbb{F}_{13}^2[t^{\\pm 1}])$.",
      "\\end{document}"};
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace quarvel
