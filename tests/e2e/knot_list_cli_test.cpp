// quarvel-cli on knot lists in both modes: the lists are walked to their end, limits and bad
// lists end the run without a broken file, and the two ready lists under examples/ run.

#include <gtest/gtest.h>

#include "e2e/cli_runner.h"
#include "e2e/knot_list_files.h"

namespace quarvel::testing {
namespace {

CliResult RunList(const TempDir& dir, const std::string& mode, const std::string& name,
                  std::vector<std::string> options) {
  std::vector<std::string> args = {mode, "--file", (dir.path() / name).string(), "--save", "none"};
  args.insert(args.end(), options.begin(), options.end());
  return RunCliIn(dir.path(), args);
}

TEST(CliKnotList, NormModeWritesEachKnotsLine) {
  TempDir dir;
  const std::vector<std::string> knots = TableKnotLines(5);
  const auto list = dir.Write("list.txt", "% five knots\n" + LfText(knots) + "end\n");
  const CliResult run = RunList(dir, "norm", "list.txt", {"--stop", "first"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> lines;
  ASSERT_TRUE(SplitListLines(ReadWholeFile(list), lines));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "% five knots");
  EXPECT_TRUE(IsNormListBetweenKnots(ReadWholeFile(list).substr(lines[0].size() + 1), knots));
  EXPECT_TRUE(lines[1].starts_with("3_1:           1+12t+t^2 (in F_13)")) << lines[1];
  EXPECT_NE(lines[1].find("reps of dim3y"), std::string::npos) << lines[1];
}

TEST(CliKnotList, IsotopyModeEndsWithAllKnotsComputed) {
  TempDir dir;
  const auto list = dir.Write("list.txt", "3_1 {-1,-1,-1}\n4_1 {-1,2,-1,2}\n3_1m {1,1,1}\nend\n");
  const CliResult run = RunList(dir, "isotopy", "list.txt", {"--group", "s3"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(IsotopyPanel(run, 1), "Computed all knots in the list"));
  EXPECT_TRUE(HasLine(IsotopyPanel(run, 0), "Knot number 3,  Name: knot3_1m"));
  const std::string text = ReadWholeFile(list);
  EXPECT_NE(text.find("end\nList of knots which could not be distinguished:\n3_1            Repeated! "),
            std::string::npos)
      << text;
}

TEST(CliKnotList, TheCycleLimitCountsEachKnotsCyclesAndEachKnotGetsAProgressLine) {
  TempDir dir;
  // Two cycles (the untwisted pass and one representation) per knot and pass: 5_2 finds its first
  // representation only at size 5, and the list runs to its end.
  const std::string content = "3_1 {-1,-1,-1}\n7_4 {1,1,2,-1,2,2,3,-2,3}\n5_2 {-1,2,1,1,1,2}\n";
  const auto list = dir.Write("list.txt", content);
  const CliResult run = RunList(dir, "norm", "list.txt", {"--stop", "first", "--cycles", "2"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> lines;
  ASSERT_TRUE(SplitListLines(ReadWholeFile(list), lines));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[0].starts_with("3_1:")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("7_4:")) << lines[1];
  EXPECT_NE(lines[2].find("reps of dim3n4n5y"), std::string::npos) << lines[2];
  // stderr is a pipe here: one line per knot and pass, "[i/N] name: result, seconds".
  const std::vector<std::string> progress = Lines(run.err);
  ASSERT_EQ(progress.size(), 5u) << run.err;
  EXPECT_TRUE(progress[0].starts_with("[1/3] 3_1: size 3y, genus>=1.00, perhaps fibered, ")) << progress[0];
  EXPECT_TRUE(progress[0].ends_with(" s")) << progress[0];
  EXPECT_TRUE(progress[2].starts_with("[3/3] 5_2: size 3n, ")) << progress[2];
  EXPECT_TRUE(progress[4].starts_with("[3/3] 5_2: size 5y, ")) << progress[4];
}

TEST(CliKnotList, AKnotWithTooManyGeneratorsIsNotComputedAndGetsNoVerdict) {
  TempDir dir;
  std::string braid = "{1";
  for (int i = 1; i < 33; ++i) braid += i % 2 ? ",2" : ",1";
  const auto list = dir.Write("list.txt", "big " + braid + "}\n3_1 {-1,-1,-1}\nend\n");
  const CliResult run =
      RunList(dir, "norm", "list.txt", {"--compare-fields", "all", "--simplify", "none", "--stop", "first"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> lines;
  ASSERT_TRUE(SplitListLines(ReadWholeFile(list), lines));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "big:          not computed: Too many generators!  braid " + braid + "}");
  EXPECT_TRUE(lines[1].starts_with("3_1:")) << lines[1];
  // One pass: the knot not computed is done, and the list ends.
  EXPECT_EQ(Lines(run.err).size(), 2u) << run.err;
}

TEST(CliKnotList, IsotopyRunsGiveOneProgressLinePerKnot) {
  TempDir dir;
  dir.Write("list.txt", "3_1 {-1,-1,-1}\nbad {1,x}\n3_1m {1,1,1}\n");
  const CliResult run = RunList(dir, "isotopy", "list.txt", {"--group", "s3"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::vector<std::string> progress = Lines(run.err);
  ASSERT_EQ(progress.size(), 3u) << run.err;
  EXPECT_TRUE(progress[0].starts_with("[1/3] 3_1: degree 4, 1 classes, ")) << progress[0];
  EXPECT_TRUE(progress[1].starts_with("[2/3] bad: not computed: Not a valid braid description, "))
      << progress[1];
  EXPECT_TRUE(
      progress[2].starts_with("[3/3] 3_1m: degree 4, 1 classes, not told apart from an earlier knot, "))
      << progress[2];
}

TEST(CliKnotList, AListBeyondTheLimitIsRefusedInBothModes) {
  TempDir dir;
  std::string content;
  for (int i = 0; i <= 20000; ++i) content += "3_1 {-1,-1,-1}\n";
  const auto list = dir.Write("list.txt", content);
  for (const std::string mode : {"norm", "isotopy"}) {
    const CliResult run = RunList(dir, mode, "list.txt", {});
    EXPECT_EQ(run.exitStatus, 1) << mode;
    EXPECT_NE(run.out.find("ERROR: Knot list has more than 20000 lines"), std::string::npos)
        << mode << run.out;
    EXPECT_EQ(ReadWholeFile(list), content) << mode;
  }
}

TEST(CliKnotList, ShowTakesNoList) {
  TempDir dir;
  dir.Write("list.txt", "3_1 {-1,-1,-1}\nend\n");
  const CliResult run = RunCliIn(dir.path(), {"show", "--file", (dir.path() / "list.txt").string()});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_NE(run.err.find("is a knot list"), std::string::npos) << run.err;
}

// The two ready lists run as the README shows (on a copy: a run rewrites its list).
std::string Example(const std::string& name) {
  return ReadWholeFile(std::filesystem::path(QUARVEL_SOURCE_DIR) / "examples" / name);
}

TEST(CliKnotList, TheNormExamplesRun) {
  TempDir dir;
  const auto list = dir.Write("norm_examples.txt", Example("norm_examples.txt"));
  const CliResult run = RunList(dir, "norm", "norm_examples.txt", {"--cycles", "2", "--time-limit", "2"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::string text = ReadWholeFile(list);
  EXPECT_NE(text.find("11_401:        1 (in F_13)"), std::string::npos) << text;
}

TEST(CliKnotList, TheMutantsListRunsInTheIsotopyMode) {
  TempDir dir;
  const auto list = dir.Write("isotopy_mutants.txt", Example("isotopy_mutants.txt"));
  const CliResult run = RunList(dir, "isotopy", "isotopy_mutants.txt", {"--group", "s3"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(IsotopyPanel(run, 1), "Computed all knots in the list"));
  std::vector<std::string> lines;
  ASSERT_TRUE(SplitListLines(ReadWholeFile(list), lines));
  int knots = 0;
  for (const std::string& line : lines) {
    if (line.starts_with("end")) break;
    if (line.starts_with("%")) continue;
    EXPECT_NE(line.find(": degree = "), std::string::npos) << line;
    ++knots;
  }
  EXPECT_EQ(knots, 187);
}

// In S_6 the two mutants have 98 classes each and a class of positive rank, so their plain products
// are both 0 and the list cannot tell them apart; their torsion products can.
TEST(CliKnotList, TheTorsionProductTellsApartKnotsWhosePlainProductsVanish) {
  const std::string knots =
      "12_1344    {-1,-2,-2,3,-4,-1,-1,2,2,2,3,-4}\n"
      "12_1345    {-1,2,-1,2,3,-4,-4,3,-2,-2,3,-4,-3,4}\nend\n";
  TempDir dir;
  const auto plain = dir.Write("plain.txt", knots);
  const auto torsion = dir.Write("torsion.txt", knots);
  ASSERT_EQ(RunList(dir, "isotopy", "plain.txt", {"--group", "s6"}).exitStatus, 0);
  ASSERT_EQ(RunList(dir, "isotopy", "torsion.txt", {"--group", "s6", "--torsion"}).exitStatus, 0);
  std::vector<std::string> lines;
  ASSERT_TRUE(SplitListLines(ReadWholeFile(plain), lines));
  EXPECT_EQ(lines.size(), 6u);
  EXPECT_NE(lines[1].find("Repeated! : degree = -1,   number of reps: 98,  Polynomial =  0 mod 13,"),
            std::string::npos)
      << lines[1];
  ASSERT_TRUE(SplitListLines(ReadWholeFile(torsion), lines));
  ASSERT_EQ(lines.size(), 3u);
  for (int i : {0, 1}) {
    EXPECT_EQ(lines[i].find("Repeated"), std::string::npos) << lines[i];
    EXPECT_NE(lines[i].find(" mod 13 torsion,  Braid: "), std::string::npos) << lines[i];
  }
}

}  // namespace
}  // namespace quarvel::testing
