#include "reports/results_file.h"

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

const std::string kSeparator(58, '=');

size_t Count(const Lines& lines, const std::string& wanted) {
  return static_cast<size_t>(std::count(lines.begin(), lines.end(), wanted));
}

// The block that starts at the separator before `title`, up to the next separator or the end.
Lines BlockWithTitle(const Lines& lines, const std::string& title, const std::string& separatorStart) {
  auto at = std::find(lines.begin(), lines.end(), title);
  if (at == lines.end() || at == lines.begin()) return {};
  auto end =
      std::find_if(at + 1, lines.end(), [&](const std::string& l) { return l.starts_with(separatorStart); });
  return Lines(at - 1, end);
}

// Sets the image of generator a, so that two representations can be told apart in the file.
void SetFirstImage(Workbench& wb, int i1, int i2, int i3) {
  wb.representation.generators[1].image[1] = i1;
  wb.representation.generators[1].image[2] = i2;
  wb.representation.generators[1].image[3] = i3;
}

struct ResultsFileTest : ::testing::Test {
  TempWorkingDirectory dir;
  Bench bench;
  Workbench& wb = bench.wb;

  void SetUp() override {
    FillTrefoilRun(wb);
    wb.settings.saveMode = SaveMode::results;
    wb.run.firstWrite = true;
  }
  Lines Results() { return ReportLinesOf(dir.path() / "quarvel_results.txt"); }
  Lines Latex() { return ReportLinesOf(dir.path() / "quarvel_latex.tex"); }
};

TEST_F(ResultsFileTest, FirstWriteIgnoresTheFileOfAnEarlierRun) {
  std::ofstream(dir.path() / "quarvel_results.txt", std::ios::binary)
      << "old\r\n"
      << kSeparator << "\r\nRepresentation which gives the best bound on the genus of K\r\nkept?\r\n";
  WriteResults(wb);
  EXPECT_FALSE(wb.run.firstWrite);
  Lines lines = Results();
  Lines expected = {"Presentation of pi_1(S^3\\K):",
                    "The generators are a, b, c",
                    "The relators are as follows:",
                    "-a+b+c-b",
                    "-b+c+a-c",
                    "Untwisted Alexander polynomial:",
                    " 1+12t+t^2 (in F_13)",
                    "Lower bound for genus of K: 1.  ",
                    kSeparator,
                    "Last representation computed:",
                    "Representation pi_1(S^3\\K) -> S_3 -> GL(V)",
                    "where S_3 acts on V = { (v_1,...,v_3) | v_1+...+v_3=0 } by permuting the coordinates.",
                    "Note that V is a vector space of dimension 2.",
                    "(Elements in S_3 are written in permutation form)",
                    "a -> 132",
                    "b -> 321",
                    "c -> 213",
                    "For this representation deg(Delta_0^a(t))=0",
                    "The twisted Alexander polynomial equals",
                    " 1+12t^2 in F_13[t]",
                    "Lower bound for genus of K: 1  "};
  EXPECT_EQ(lines, expected);
}

TEST_F(ResultsFileTest, NewBlocksReplaceEarlierOnesAndUnchangedBlocksAreCopiedAsTheyStood) {
  const std::string notFiberedTitle = "Representation which shows that the knot is not fibered";
  const std::string bestTitle = "Representation which gives the best bound on the genus of K";
  // 1: improves the bound.
  SetFirstImage(wb, 1, 3, 2);
  wb.evaluation.improvedBound = true;
  wb.evaluation.boundText = "1";
  WriteResults(wb);
  Lines first = Results();
  Lines best1 = BlockWithTitle(first, bestTitle, "=");
  ASSERT_FALSE(best1.empty());
  EXPECT_EQ(best1.back(), "Lower bound for genus of K: 1  ");
  EXPECT_EQ(Count(first, notFiberedTitle), 0u);

  // 2: shows non-fibering with a larger bound text, does not improve.
  SetFirstImage(wb, 2, 1, 3);
  wb.evaluation.improvedBound = false;
  wb.evaluation.showsNotFibered = true;
  wb.evaluation.possiblyFibered = false;
  wb.evaluation.boundText = "2";
  WriteResults(wb);
  Lines second = Results();
  EXPECT_EQ(BlockWithTitle(second, bestTitle, "="), best1);  // the bound text of its own time
  Lines notFibered2 = BlockWithTitle(second, notFiberedTitle, "=");
  ASSERT_FALSE(notFibered2.empty());
  EXPECT_NE(std::find(notFibered2.begin(), notFibered2.end(), "a -> 213"), notFibered2.end());
  EXPECT_EQ(notFibered2.back(), "The knot is not fibered");
  // Order: header, last, not fibered, best.
  auto at = [&](const std::string& line) {
    return std::find(second.begin(), second.end(), line) - second.begin();
  };
  EXPECT_LT(at("Last representation computed:"), at(notFiberedTitle));
  EXPECT_LT(at(notFiberedTitle), at(bestTitle));
  EXPECT_EQ(second[8], "The knot is not fibered.");  // the run's conclusion in the header

  // 3: a later non-fibering representation replaces the earlier block; the best block stays.
  SetFirstImage(wb, 3, 2, 1);
  wb.evaluation.boundText = "0";
  WriteResults(wb);
  Lines third = Results();
  Lines notFibered3 = BlockWithTitle(third, notFiberedTitle, "=");
  EXPECT_NE(std::find(notFibered3.begin(), notFibered3.end(), "a -> 321"), notFibered3.end());
  EXPECT_EQ(Count(third, notFiberedTitle), 1u);
  EXPECT_EQ(BlockWithTitle(third, bestTitle, "="), best1);

  // 4: neither: both blocks are copied unchanged, the last block is the new one.
  SetFirstImage(wb, 1, 2, 3);
  wb.evaluation.showsNotFibered = false;
  WriteResults(wb);
  Lines fourth = Results();
  EXPECT_EQ(BlockWithTitle(fourth, notFiberedTitle, "="), notFibered3);
  EXPECT_EQ(BlockWithTitle(fourth, bestTitle, "="), best1);
  EXPECT_EQ(Count(fourth, "a -> 123"), 1u);
}

TEST_F(ResultsFileTest, LatexReportKeepsItsSizeAndBothBlocksWhateverTheirOrderOfArrival) {
  wb.settings.saveMode = SaveMode::latex;
  // Not fibered first, the improvement later: both blocks must survive the following writes.
  wb.evaluation.showsNotFibered = true;
  WriteResults(wb);
  wb.evaluation.showsNotFibered = false;
  wb.evaluation.improvedBound = true;
  WriteResults(wb);
  wb.evaluation.improvedBound = false;
  WriteResults(wb);
  const std::string once = ReadWholeFile(dir.path() / "quarvel_latex.tex");
  WriteResults(wb);
  WriteResults(wb);
  EXPECT_EQ(ReadWholeFile(dir.path() / "quarvel_latex.tex"), once);  // no growth from write to write

  Lines lines = Latex();
  EXPECT_EQ(Count(lines, "\\\\ {\\bf{Representation which shows that the knot is not fibered:} }"), 1u);
  EXPECT_EQ(Count(lines, "\\\\ {\\bf{Representation which gives the best bound on the genus of knot $K$}}"),
            1u);
  EXPECT_EQ(Count(lines, "%"), 1u);
  EXPECT_EQ(Count(lines, "\\begin{document}"), 1u);
  EXPECT_EQ(Count(lines, "%" + kSeparator), 3u);
  EXPECT_EQ(lines.back(), "\\end{document}");
}

TEST_F(ResultsFileTest, LatexBlocksHaveTheirTitlesAndLineBreaks) {
  wb.settings.saveMode = SaveMode::latex;
  wb.evaluation.showsNotFibered = true;
  wb.evaluation.improvedBound = true;
  WriteResults(wb);
  Lines lines = Latex();
  auto at = std::find(lines.begin(), lines.end(), "\\\\ \\\\ { \\bf{Last representation computed:}} \\\\");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(*(at - 1), "%" + kSeparator);
  EXPECT_EQ(*(at - 2), "Lower bound for genus of knot $K$: 1.  ");
  auto shows = std::find(lines.begin(), lines.end(),
                         "\\\\ {\\bf{Representation which shows that the knot is not fibered:} }");
  ASSERT_NE(shows, lines.end());
  EXPECT_EQ(Lines(shows - 2, shows + 2), Lines({"\\\\", "%" + kSeparator, *shows, "\\\\"}));
  EXPECT_EQ(*(shows - 3), "The knot is not fibered.");
  auto best = std::find(lines.begin(), lines.end(),
                        "\\\\ {\\bf{Representation which gives the best bound on the genus of knot $K$}}");
  ASSERT_NE(best, lines.end());
  EXPECT_EQ(Lines(best - 2, best + 2), Lines({"\\\\", "%" + kSeparator, *best, "\\\\"}));
}

TEST_F(ResultsFileTest, LinkTitlesNamePhiAndTheSaveModeChoosesTheFile) {
  testing::FillLinkPresentation(wb, 2);
  wb.evaluation.showsNotFibered = wb.evaluation.improvedBound = true;
  WriteResults(wb);
  Lines plain = Results();
  EXPECT_EQ(Count(plain, "Representation which shows that the link does not fiber over phi"), 1u);
  EXPECT_EQ(Count(plain, "Representation which gives the best bound on the Thurston norm of phi"), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "quarvel_latex.tex"));

  wb.current.groupType = GroupType::boundary;
  wb.settings.saveMode = SaveMode::latex;
  WriteResults(wb);
  Lines latex = Latex();
  EXPECT_EQ(
      Count(latex, "\\\\ {\\bf{Representation which shows that the manifold does not fiber over $\\phi$:} }"),
      1u);
  EXPECT_EQ(
      Count(latex, "\\\\ {\\bf{Representation which gives the best bound on the Thurston norm of $\\phi$}}"),
      1u);

  std::filesystem::remove_all(dir.path() / "quarvel_latex.tex");
  std::filesystem::remove_all(dir.path() / "quarvel_results.txt");
  wb.settings.saveMode = SaveMode::none;
  WriteResults(wb);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(ResultsFileTest, KeptLinesEndAtThePercentLineAndGoOnOverEmptyLines) {
  // An empty relator prints as an empty line; the blocks after it are still read back.
  std::ofstream(dir.path() / "a.txt", std::ios::binary) << "one\r\n\r\n=\r\nthat the knot\r\n";
  EXPECT_EQ(ReadKeptLines("a.txt"), Lines({"one", "", "=", "that the knot"}));
  std::ofstream(dir.path() / "b.tex", std::ios::binary) << "x\r\n%\r\n%===\r\n";
  EXPECT_EQ(ReadKeptLines("b.tex"), Lines({"x", "%"}));
  EXPECT_EQ(ReadKeptLines("missing.txt"), Lines({}));
}

TEST_F(ResultsFileTest, CopyStartsAtTheSeparatorAndStopsAtTheNextBlock) {
  Lines kept = {"header", "", "==", "Title with key", "body 1", "", "body 2", "==", "Other", "x"};
  std::filesystem::path out = dir.path() / "copy.txt";
  {
    ReportFile file(out.string());
    CopyKeptBlocks(kept, "key", false, file);
    CopyKeptBlocks(kept, "absent", false, file);
  }
  EXPECT_EQ(ReportLinesOf(out), Lines({"==", "Title with key", "body 1", "", "body 2"}));

  Lines latex = {"%==", "Title with key", "\\\\", "body", "%", "details"};
  {
    ReportFile file(out.string());
    CopyKeptBlocks(latex, "key", true, file);
  }
  EXPECT_EQ(ReportLinesOf(out), Lines({"%==", "Title with key", "\\\\", "body"}));
}

}  // namespace
}  // namespace quarvel
