// quarvel-cli norm on real knots: the untwisted and twisted panels, bounds, verdicts and limits.

#include <gtest/gtest.h>

#include "e2e/cli_runner.h"

namespace quarvel::testing {
namespace {

std::vector<std::string> AllPanelLines(const CliResult& run) {
  std::vector<std::string> lines;
  for (const std::string& line : Lines(run.out)) {
    if (!line.starts_with("--- ")) lines.push_back(line);
  }
  return lines;
}

size_t CountLinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  return std::count_if(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.starts_with(prefix); });
}

// What follows `prefix` on every line that begins with it.
std::vector<std::string> ValuesAfter(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> values;
  for (const std::string& line : lines) {
    if (line.starts_with(prefix)) values.push_back(line.substr(prefix.size()));
  }
  return values;
}

TEST(CliNorm, TrefoilUntwistedPassAndExactBounds) {
  CliResult run = RunCli({"norm", "--braid", "{-1,-1,-1}", "--cycles", "0"});
  ASSERT_EQ(run.exitStatus, 0) << run.err << run.out;
  std::vector<std::string> untwisted = Panel(run, 4);
  EXPECT_TRUE(HasLine(untwisted, "Untwisted Alexander polynomial in F_13[t]"));
  EXPECT_TRUE(HasLine(untwisted, "1+12t+t^2"));
  EXPECT_TRUE(HasLine(untwisted, "Lower bound for genus of K: 1.00"));

  CliResult cycles = RunCli({"norm", "--braid", "{-1,-1,-1}", "--cycles", "6"});
  ASSERT_EQ(cycles.exitStatus, 0) << cycles.err;
  std::vector<std::string> lines = AllPanelLines(cycles);
  EXPECT_GE(CountLinesStartingWith(lines, "Lower bound for genus of K: "), 1u);
  for (const std::string& line : lines) {
    if (line.starts_with("Lower bound for genus of K: ")) {
      EXPECT_EQ(line, "Lower bound for genus of K: 1.00");
    }
    EXPECT_EQ(line.find("not fibered"), std::string::npos) << line;
  }
  EXPECT_TRUE(HasLine(Panel(cycles, 7), "Maximal lower bound for genus of K: 1.00"));
  EXPECT_TRUE(HasLine(Panel(cycles, 6), "Number of solutions: 6"));
}

TEST(CliNorm, FigureEightOverF13) {
  CliResult run = RunCli({"norm", "--braid", "{-1,2,-1,2}", "--cycles", "0"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 4), "1+10t+t^2"));
}

TEST(CliNorm, StopAtFirstNontrivialRepresentation) {
  CliResult run = RunCli({"norm", "--knot", "5_2", "--stop", "first", "--cycles", "50"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 6), "Number of solutions: 1"));
}

TEST(CliNorm, NotFiberedStopRunsOnForAFiberedKnot) {
  CliResult run = RunCli({"norm", "--knot", "4_1", "--stop", "not-fibered", "--cycles", "5"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 6), "Number of solutions: 5"));
}

TEST(CliNorm, ComparedFieldsShowOneDegreeLinePerField) {
  CliResult run = RunCli({"norm", "--knot", "3_1", "--compare-fields", "2,3,5,7", "--cycles", "1"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> lines = AllPanelLines(run);
  for (const char* field : {"F_2  ", "F_3  ", "F_5  ", "F_7  "}) {
    EXPECT_EQ(
        CountLinesStartingWith(lines, std::string("Degree of twisted Alexander polynomial in ") + field), 1u)
        << field;
  }
}

TEST(CliNorm, FreshProcessesRepeatTheRunExactly) {
  std::vector<std::string> args = {"norm", "--knot", "11_401", "--size", "5", "--cycles", "3"};
  CliResult first = RunCli(args);
  CliResult second = RunCli(args);
  ASSERT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_EQ(first.out, second.out);
}

TEST(CliNorm, MoreThanThirtyGeneratorsFailBeforeAnyCycle) {
  TempDir dir;
  std::string relators;
  for (int g = 1; g <= 31; ++g) {
    char letter = static_cast<char>(g <= 26 ? 'a' + g - 1 : 'A' + g - 27);
    relators += std::string("+") + letter + "-" + letter + "\n";
  }
  dir.Write("big.txt", relators);
  CliResult run =
      RunCliIn(dir.path(), {"norm", "--file", (dir.path() / "big.txt").string(), "--simplify", "none"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(HasLine(Panel(run, 1), "ERROR: Too many generators!"));
  EXPECT_TRUE(Panel(run, 4).empty());
}

// Fibered knots: every bound is the genus and no run finds an obstruction to fibering.
struct FiberedKnot {
  const char* name;
  const char* genus;
};

void PrintTo(const FiberedKnot& knot, std::ostream* out) {
  *out << knot.name << " (genus " << knot.genus << ")";
}

class CliNormFibered : public ::testing::TestWithParam<FiberedKnot> {};

TEST_P(CliNormFibered, BoundsEqualTheGenusOverAllFields) {
  for (const char* size : {"3", "4", "5", "6"}) {
    CliResult run = RunCli({"norm", "--knot", GetParam().name, "--size", size, "--compare-fields", "all",
                            "--cycles", "10", "--time-limit", "60"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    std::vector<std::string> lines = AllPanelLines(run);
    std::string expected = std::string("Maximal lower bound for genus of K: ") + GetParam().genus + ".00";
    EXPECT_TRUE(HasLine(Panel(run, 7), expected)) << "size " << size;
    for (const std::string& line : lines) EXPECT_EQ(line.find("not fibered"), std::string::npos) << size;
  }
}

INSTANTIATE_TEST_SUITE_P(Knots, CliNormFibered,
                         ::testing::Values(FiberedKnot{"3_1", "1"}, FiberedKnot{"4_1", "1"},
                                           FiberedKnot{"5_1", "2"}, FiberedKnot{"6_2", "2"},
                                           FiberedKnot{"6_3", "2"}, FiberedKnot{"7_1", "3"}),
                         [](const auto& info) { return std::string("Knot") + info.param.name; });

// The regular representation of the image (S_3 here): the zeroth polynomial's degree is what a
// fibered knot's twisted polynomial exceeds, so the bounds of the fibered knots are their genus (the
// image order in its place made the trefoil look not fibered), and the knots that do not fiber are
// told apart by degrees that differ between fields.
TEST(CliNorm, RegularRepresentationBoundsAndFibering) {
  struct Case {
    const char* knot;
    const char* bound;
    bool fibered;
  };
  for (const Case& c : {Case{"3_1", "1.00", true}, Case{"8_20", "2.00", true}, Case{"6_1", "1.00", false},
                        Case{"7_4", "1.00", false}}) {
    CliResult run = RunCli({"norm", "--knot", c.knot, "--rep", "sk-regular", "--size", "3",
                            "--compare-fields", "2,3,5", "--cycles", "3", "--time-limit", "20"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::vector<std::string> lines = AllPanelLines(run);
    const std::string bound = "Lower bound for genus of K: ";
    const std::vector<std::string> bounds = ValuesAfter(lines, bound);
    EXPECT_GE(bounds.size(), 2u) << c.knot;  // the untwisted pass and a representation
    EXPECT_EQ(bounds, std::vector<std::string>(bounds.size(), c.bound)) << c.knot;
    EXPECT_EQ(HasLine(Panel(run, 6), "The knot is not fibered"), !c.fibered) << c.knot << run.out;
  }
}

// phi = d times a primitive class: the trefoil's degrees are d times those of phi / d, while its genus
// and its fibering are those of phi / d. Every kind finds representations and keeps the bound at the
// genus; the Thurston norm of a link's phi is d times that of phi / d.
TEST(CliNormNonPrimitivePhi, TrefoilBoundsAndFiberingForEveryMultiple) {
  TempDir dir;
  for (int d : {2, 3}) {
    const std::string phi = std::to_string(d);
    dir.Write("trefoil.txt", "Trefoil\n-b-a+c+a\n-a-c+b+c\na" + phi + "\nb" + phi + "\nc" + phi + "\n");
    for (const char* rep : {"sk-v", "sk-regular", "abelian", "metabelian"}) {
      CliResult run =
          RunCliIn(dir.path(), {"norm", "--file", "trefoil.txt", "--rep", rep, "--compare-fields", "2,3,5",
                                "--cycles", "3", "--time-limit", "20", "--save", "none"});
      ASSERT_EQ(run.exitStatus, 0) << run.err;
      const std::vector<std::string> lines = AllPanelLines(run);
      const std::string bound = "Lower bound for genus of K: ";
      const std::vector<std::string> bounds = ValuesAfter(lines, bound);
      EXPECT_GE(bounds.size(), 2u) << d << rep;  // the last two cycles
      EXPECT_EQ(bounds, std::vector<std::string>(bounds.size(), "1.00")) << d << rep;
      EXPECT_FALSE(HasLine(Panel(run, 6), "The knot is not fibered")) << d << rep << run.out;
    }
  }
  // The (2,4) torus link, fibered, with phi twice the sum of the meridians: x(phi) = 2 x(phi / 2) = 4.
  dir.Write("torus.txt", "Torus link\n-b-a+c+a\n-a-c+d+c\n-c-d+b+d\na2\nb2\nc2\nd2\n");
  CliResult torus =
      RunCliIn(dir.path(), {"norm", "--file", "torus.txt", "--group-type", "link", "--compare-fields",
                            "2,3,5", "--cycles", "3", "--time-limit", "20", "--save", "none"});
  ASSERT_EQ(torus.exitStatus, 0) << torus.err;
  const std::vector<std::string> lines = AllPanelLines(torus);
  const std::string norm = "Lower bound for the Thurston norm of phi: ";
  const std::vector<std::string> norms = ValuesAfter(lines, norm);
  EXPECT_GE(norms.size(), 2u);
  EXPECT_EQ(norms, std::vector<std::string>(norms.size(), "4.00"));
  EXPECT_FALSE(HasLine(Panel(torus, 6), "The link complement does not fiber over phi:pi_1(M) -> Z"))
      << torus.out;
}

// The regular representation keeps the degree its first search raised: the figure-eight knot has no
// non-abelian image in S_3, so every cycle draws from S_4 as the first did.
TEST(CliNormRegularDegree, LaterCyclesSearchAtTheRaisedDegree) {
  CliResult run = RunCli({"norm", "--knot", "4_1", "--rep", "sk-regular", "--size", "3", "--cycles", "4",
                          "--time-limit", "30", "--save", "none"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 6), "Number of solutions: 4 Lower bound on number of generators: 2"))
      << run.out;
}

TEST(CliNormRegularDegree, NoImageUpToDegreeSevenEndsWithTheReason) {
  CliResult run = RunCli({"norm", "--braid", "{1,2}", "--rep", "sk-regular", "--size", "5", "--time-limit",
                          "30", "--save", "none"});
  EXPECT_EQ(run.exitStatus, 1) << run.out;
  const std::vector<std::string> status = Panel(run, 1);
  ASSERT_FALSE(status.empty());
  EXPECT_NE(status[0].find("ERROR: The regular representation needs a non-abelian image in S_k, k <= 7: none "
                           "was found"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("Program error"), std::string::npos);
}

}  // namespace
}  // namespace quarvel::testing
