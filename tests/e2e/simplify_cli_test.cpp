// quarvel-cli show and the simplification: what it prints after the input presentation.

#include <gtest/gtest.h>

#include "e2e/cli_runner.h"

namespace quarvel::testing {
namespace {

// The lines of the simplification log after its heading.
std::vector<std::string> SimplificationLog(const CliResult& run) {
  std::vector<std::string> lines = Lines(run.out);
  auto heading = std::find(lines.begin(), lines.end(), "--- simplified presentation ---");
  if (heading == lines.end()) return {};
  return std::vector<std::string>(heading + 1, lines.end());
}

TEST(CliSimplify, FigureEightLosesTwoGeneratorsReproducibly) {
  CliResult first = RunCli({"show", "--knot", "4_1", "--simplify", "low"});
  CliResult second = RunCli({"show", "--knot", "4_1", "--simplify", "low"});
  ASSERT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_EQ(first.out, second.out);

  std::vector<std::string> log = SimplificationLog(first);
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(log[0], "The program substituted");
  // Four Wirtinger generators, three relators: two eliminations leave two generators, one relator.
  const std::string remaining = "So the remaining generators are: ";
  ASSERT_TRUE(log[3].starts_with(remaining)) << log[3];
  EXPECT_EQ(log[3].size(), remaining.size() + 4);  // two letters joined by ", "
  EXPECT_EQ(log[4], "and the relations become");
  EXPECT_EQ(log.size(), 6u);
}

TEST(CliSimplify, RecordsUseOnlyGeneratorsThatSurviveOrGoLater) {
  CliResult run = RunCli({"show", "--knot", "11_401", "--simplify", "very-high"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> log = SimplificationLog(run);
  std::vector<std::string> records;
  for (size_t i = 1; i < log.size() && !log[i].starts_with("So the remaining"); ++i)
    records.push_back(log[i]);
  ASSERT_FALSE(records.empty());
  for (size_t i = 0; i < records.size(); ++i) {
    ASSERT_EQ(records[i][1], '=') << records[i];
    for (size_t j = 0; j <= i; ++j) EXPECT_EQ(records[i].find(records[j][0], 2), std::string::npos);
  }
}

TEST(CliSimplify, NoSimplificationOnlyReducesAndKeepsTheCounts) {
  CliResult run = RunCli({"show", "--braid", "{1,1,1}", "--simplify", "none"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(SimplificationLog(run),
            (std::vector<std::string>{"The program substituted", "So the remaining generators are: a, b, c",
                                      "and the relations become", "-b-a+c+a", "-a-c+b+c"}));
}

}  // namespace
}  // namespace quarvel::testing
