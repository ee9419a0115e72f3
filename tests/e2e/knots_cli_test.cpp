// quarvel-cli and the built-in tables: the printed pick lists and runs of named knots.

#include <gtest/gtest.h>

#include <fstream>

#include "e2e/cli_runner.h"

namespace quarvel::testing {
namespace {

TEST(CliKnots, PrintsTheKnotPickListWithBraids) {
  CliResult run = RunCli({"knots"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 802u);
  EXPECT_EQ(lines[0], "Braid descriptions of knots with up to 11 crossings");
  EXPECT_EQ(lines[2], "Knot 4_1  {-1,2,-1,2}");
  EXPECT_EQ(lines[250], "Knot 11_1  {-1,2,-1,2,3,3,4,4,3,3,-4,-2,-2,-3}");
  EXPECT_EQ(lines[801], "Knot 11_552  {-1,2,-3,-1,-2,-2,-2,-1,-3,2,-3}");
}

TEST(CliKnots, PrintsExamplesAndMutants) {
  CliResult examples = RunCli({"knots", "--examples"});
  ASSERT_EQ(examples.exitStatus, 0);
  std::vector<std::string> lines = Lines(examples.out);
  ASSERT_EQ(lines.size(), 50u);
  EXPECT_EQ(lines[1], "11_401 Conway knot, genus = 3  {1,2,2,-3,1,-3,1,-2,1,-2,-3}");

  CliResult mutants = RunCli({"knots", "--mutants"});
  ASSERT_EQ(mutants.exitStatus, 0);
  lines = Lines(mutants.out);
  ASSERT_EQ(lines.size(), 1u + 187 + 90);
  EXPECT_EQ(lines[0], "List of mutant pairs and triples with up to 12 crossings");
  EXPECT_TRUE(HasLine(lines, std::string(69, '*')));
  EXPECT_TRUE(HasLine(lines, "11_401    {1,2,2,-3,1,-3,1,-2,1,-2,-3}        (Conway knot)"));
  EXPECT_EQ(RunCli({"knots", "--braid", "{1}"}).exitStatus, 2);
}

TEST(CliKnots, NamedKnotRunsItsBraid) {
  for (const std::string name : {"4_1", "Knot 4_1"}) {
    CliResult run = RunCli({"show", "--knot", name});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(HasLine(Panel(run, 5), "Knot is closure of the braid {-1,2,-1,2}"));
  }
  CliResult conway = RunCli({"show", "--knot", "11_401"});
  ASSERT_EQ(conway.exitStatus, 0) << conway.err;
  EXPECT_TRUE(HasLine(Panel(conway, 5), "Knot is closure of the braid {1,2,2,-3,1,-3,1,-2,1,-2,-3}"));
  EXPECT_TRUE(HasLine(Panel(conway, 7), "The generators are a, b, c, d, e, f, g, h, i, j, k"));
}

TEST(CliKnots, MutantOnlyKnotTakesTheMutantEntryAndUnknownNamesAreRefused) {
  // 12_7 is only in the mutants list: the edit box gets its entry from "{" onward.
  std::string entry;
  for (const std::string& line : Lines(RunCli({"knots", "--mutants"}).out)) {
    if (line.starts_with("12_7    {")) entry = line;
  }
  ASSERT_FALSE(entry.empty());
  CliResult run = RunCli({"norm", "--knot", "12_7", "--dry-run"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Lines(run.out), "braidText = " + entry.substr(entry.find('{'))));

  CliResult unknown = RunCli({"show", "--knot", "14n_1"});
  EXPECT_EQ(unknown.exitStatus, 2);
  EXPECT_NE(unknown.err.find("'14n_1'; names: 3_1 .. 10_165"), std::string::npos) << unknown.err;
}

// Every naming of the Conway knot gives the same run; --table prints lists both modes read, and a
// list of PD, DT and table-name lines runs each line as its own input would.
TEST(CliKnots, TableNamesPdAndDtLinesRunAsTheirInputs) {
  const std::string byNumber = RunCli({"isotopy", "--knot", "11_401", "--group", "s4", "--save", "none"}).out;
  EXPECT_EQ(RunCli({"isotopy", "--knot", "11n_34", "--group", "s4", "--save", "none"}).out, byNumber);
  EXPECT_EQ(RunCli({"isotopy", "--knot", "K11n34", "--group", "s4", "--save", "none"}).out, byNumber);

  EXPECT_EQ(Lines(RunCli({"knots", "--table", "13"}).out).size(), 12966U);
  EXPECT_EQ(Lines(RunCli({"knots", "--table", "11"}).out).size(), 802U);
  const std::vector<std::string> twelve = Lines(RunCli({"knots", "--table", "12"}).out);
  ASSERT_EQ(twelve.size(), 802U + 2176U);
  EXPECT_TRUE(twelve.back().starts_with("12n_888  [[")) << twelve.back();

  const std::string dir = ::testing::TempDir();
  const std::string list = dir + "/forms.txt";
  std::ofstream(list) << "trefoil  {1,1,1}\ntrefoil-pd  PD[[1,5,2,4],[3,1,4,6],[5,3,6,2]]\n"
                      << "trefoil-dt  DT[4,6,2]\n13_3143\nend\n";
  ASSERT_EQ(RunCli({"isotopy", "--file", list, "--group", "s3", "--save", "none"}).exitStatus, 0);
  std::ifstream in(list);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 5U);
  for (int i = 0; i < 4; ++i) EXPECT_NE(lines[i].find("degree = "), std::string::npos) << lines[i];
  EXPECT_NE(lines[1].find("Repeated!"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("Repeated!"), std::string::npos) << lines[2];
  EXPECT_NE(lines[1].find("Braid: PD[[1,5,2,4],[3,1,4,6],[5,3,6,2]]"), std::string::npos) << lines[1];
}

}  // namespace
}  // namespace quarvel::testing
