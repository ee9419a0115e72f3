#include "reports/matrix_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "reports/report_test_support.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::FillTrefoilRun;
using testing::ReadWholeFile;
using testing::ReportLinesOf;
using testing::TempWorkingDirectory;
using Lines = std::vector<std::string>;

void SetTerms(Workbench& wb, int32_t i, int32_t j, const std::vector<std::pair<int32_t, int>>& terms) {
  for (auto [e, c] : terms) MatrixSet(wb.matrix, i, j, e, static_cast<Residue>(c), wb.failure);
}

struct MatrixFilesTest : ::testing::Test {
  TempWorkingDirectory dir;
  Bench bench;
  Workbench& wb = bench.wb;

  void SetUp() override {
    FillTrefoilRun(wb);  // k = 2, two generators and one relator left: a 4 x 2 matrix
    SetTerms(wb, 1, 1, {{0, 12}});
    SetTerms(wb, 1, 2, {{1, 1}, {2, 1}});
    SetTerms(wb, 2, 1, {{0, 1}});
    SetTerms(wb, 4, 2, {{0, 2}, {1, 3}, {12, 1}});
  }
  Lines MatrixFile() { return ReportLinesOf(dir.path() / "quarvel_matrix.txt"); }
  Lines GapFile() { return ReportLinesOf(dir.path() / "quarvel_matrix_gap.txt"); }
};

// The description both files share, with the prefix.
Lines Description(const std::string& prefix) {
  Lines lines = {
      "Presentation of pi_1(S^3\\K):",
      "The generators are a, b, c",
      "The relators are as follows:",
      "-a+b+c-b",
      "-b+c+a-c",
      "Representation pi_1(S^3\\K) -> S_3 -> GL(V)",
      "where S_3 acts on V = { (v_1,...,v_3) | v_1+...+v_3=0 } by permuting the coordinates.",
      "Note that V is a vector space of dimension 2.",
      "(Elements in S_3 are written in permutation form)",
      "a -> 132",
      "b -> 321",
      "c -> 213",
      "For this representation deg(Delta_0^a(t))=0",
      "In order to make the Seifert matrix smaller the program simplified the fundamental group as follows.",
      "The program substituted",
      "a=-c+b+c",
      "So the remaining generators are: b, c",
      "and the relations become",
      "-c-b+c+b+c-b",
      "The representation matrix for H_1(M,pt,F_13^2[t^-1,t]) given by",
      "alpha tensor phi applied to the matrix",
      "              __________",
      " (a_ij) = (partial_i(r_j)",
      "where partial_i denotes Fox derivative with respect to the i^th generator",
      "defined by the rules",
      "partial_i(r_j) = 1, if i=j and  = 0, if i<>j ",
      "partial_i(uv)  = partial_i(u) + u partial_i(v)",
      "and the ---- denotes the involution given by g -> g^-1",
      "This is the correct way to determine the presentation matrix since we view",
      "C_*(M) as a RIGHT Z[pi_1(M)]-module."};
  for (std::string& line : lines) line = prefix + line;
  return lines;
}

TEST_F(MatrixFilesTest, TwoCallsAroundTheReductionKeepThePresentationMatrix) {
  WriteMatrixFile(wb, false);
  const Lines presentation = {" 12         | t+t^2     ", " 1          | 0         ",
                              " 0          | 0         ", " 0          | 2+3t+t^12 "};
  Lines first = Description("");
  first.insert(first.end(), {" ", "So here is the presentation matrix:"});
  first.insert(first.end(), presentation.begin(), presentation.end());
  EXPECT_EQ(MatrixFile(), first);

  // The reduction leaves a diagonal matrix in the store.
  ResetMatrix(wb.matrix);
  SetTerms(wb, 1, 1, {{0, 1}});
  SetTerms(wb, 2, 2, {{0, 1}, {2, 12}});
  WriteMatrixFile(wb, true);
  Lines second = Description("");
  second.insert(second.end(), {" ", "So here is the presentation matrix:"});
  second.insert(second.end(), presentation.begin(), presentation.end());
  second.insert(
      second.end(),
      {"Using the fact that F_13[t^-1,t] is a PID we can simplify this to",
       "the following \"diagonal\" matrix:", " 1          | 0         ", " 0          | 1+12t^2   ",
       " 0          | 0         ", " 0          | 0         ",
       "Note that H_1(M,F_13^2[t^-1,t])=H_1(M,pt,F_13^2[t^-1,t]) + F_13^2[t^-1,t]",
       "in particular erasing the last 2 rows of the matrix (which are all zero) gives a presentation",
       "matrix for H_1(M,F_13^2[t^-1,t])"});
  EXPECT_EQ(MatrixFile(), second);
}

TEST_F(MatrixFilesTest, ColumnsAreTwelveCharactersWide) {
  wb.current.degreeK = 1;
  wb.presentation.relatorCount = 3;  // R = 2, C = 3
  ResetMatrix(wb.matrix);
  SetTerms(wb, 1, 1, {{0, 1}});
  SetTerms(wb, 1, 3, {{1, 5}});
  WriteMatrixFile(wb, false);
  Lines lines = MatrixFile();
  ASSERT_GE(lines.size(), 2u);
  const std::string row = lines[lines.size() - 2];
  EXPECT_EQ(row, " 1          | 0         | 5t        ");
  EXPECT_EQ(row.size(), 36u);
  EXPECT_EQ(row.find('|'), 12u);  // positions 13 and 25
  EXPECT_EQ(row.rfind('|'), 24u);
}

TEST_F(MatrixFilesTest, GapProgramEntriesAndLoopBound) {
  wb.run.trivialPass = false;
  WriteGapFile(wb);
  Lines lines = GapFile();
  Lines program = {
      "#Load into GAP using the command Read(\"quarvel_matrix_gap.txt\");",
      "R:=PolynomialRing(GF(13),1);",
      "t:=IndeterminatesOfPolynomialRing(R)[1];",
      "M:=[",
      "[One(R)*( 12),One(R)*( t+t^2)],",
      "[One(R)*( 1) ,Zero(R)    ],",
      "[Zero(R)     ,Zero(R)    ],",
      "[Zero(R)     ,One(R)*( 2+3*t+t^12)]",
      "];",
      "N:=DiagonalizeMat(R,M);",
      "# N is M diagonalized over the PID F[t]; the product of the elements on the diagonal is the "
      "Alexander polynomial",
      "# The following computes the twisted Alexander polynomial",
      "D:=One(R);",
      "for i in [1..2] do D:=D*N[i][i]; od;",
      "# Type \"D;\" to get the twisted Alexander polynomial",
      "#============================================"};
  Lines expected = program;
  for (const std::string& line : Description("# ")) expected.push_back(line);
  EXPECT_EQ(lines, expected);

  // k = 3 and four generators: the first 9 diagonal entries.
  wb.current.degreeK = 3;
  wb.presentation.generatorCount = 4;
  wb.presentation.generatorLetters[3] = 4;
  wb.presentation.generatorLetters[4] = 5;
  WriteGapFile(wb);
  Lines four = GapFile();
  EXPECT_NE(std::find(four.begin(), four.end(), "for i in [1..9] do D:=D*N[i][i]; od;"), four.end());
  auto separator = std::find(four.begin(), four.end(), "#" + std::string(44, '='));
  ASSERT_NE(separator, four.end());
  for (auto line = separator + 1; line != four.end(); ++line) EXPECT_TRUE(line->starts_with("# ")) << *line;
}

TEST_F(MatrixFilesTest, NothingIsTouchedWhenStoppedOrInTheTrivialPass) {
  wb.run.trivialPass = true;
  WriteGapFile(wb);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "quarvel_matrix_gap.txt"));

  std::ofstream(dir.path() / "quarvel_matrix.txt", std::ios::binary) << "earlier\r\n";
  std::ofstream(dir.path() / "quarvel_matrix_gap.txt", std::ios::binary) << "earlier\r\n";
  wb.run.trivialPass = false;
  wb.panels.flags.stopRequested = true;
  WriteMatrixFile(wb, false);
  WriteMatrixFile(wb, true);
  WriteGapFile(wb);
  EXPECT_EQ(ReadWholeFile(dir.path() / "quarvel_matrix.txt"), "earlier\r\n");
  EXPECT_EQ(ReadWholeFile(dir.path() / "quarvel_matrix_gap.txt"), "earlier\r\n");
}

}  // namespace
}  // namespace quarvel
