// What the README promises about famous knots, checked through quarvel-cli as a user runs it: the
// twisted Alexander polynomials bound the genus of the Conway knot and of the Kinoshita-Terasaka
// knot where the Alexander polynomial (1 for both) bounds nothing, show the Kinoshita-Terasaka knot
// not fibered, and the product over the classes of homomorphisms into S_5 tells mutants apart whose
// Alexander polynomials agree.

#include <gtest/gtest.h>

#include "e2e/cli_runner.h"

namespace quarvel::testing {
namespace {

// The run is deterministic given its options: the fourteenth representation into S_7 is the first
// whose degree gives the genus 3 (thirteen cycles end at 2.67; "--stop improved" would end at the
// first representation, with 2.00).
TEST(CliClaims, ConwayKnotReachesGenusThreeInS7) {
  const CliResult run = RunCli(
      {"norm", "--knot", "11_401", "--rep", "sk-v", "--size", "7", "--cycles", "14", "--save", "none"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 6), "Number of solutions: 14"));
  EXPECT_TRUE(HasLine(Panel(run, 7), "Maximal lower bound for genus of K: 3.00")) << run.out;
}

// Over F_5 the twisted polynomial of the first representation has a lower degree than over the
// other fields, which a fibered knot cannot show.
TEST(CliClaims, KinoshitaTerasakaKnotHasGenusTwoAndIsNotFibered) {
  const CliResult run = RunCli({"norm", "--knot", "11_409", "--compare-fields", "all", "--stop",
                                "not-fibered", "--cycles", "20", "--save", "none"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 4), "Lower bound for genus of K: 0.00"));  // the untwisted pass
  EXPECT_TRUE(HasLine(Panel(run, 6), "The knot is not fibered")) << run.out;
  EXPECT_TRUE(HasLine(Panel(run, 7), "Maximal lower bound for genus of K: 2.00")) << run.out;
}

// The groups of the mutants list, each the knot names between two rows of stars.
std::vector<std::vector<std::string>> MutantGroups() {
  std::vector<std::vector<std::string>> groups(1);
  const std::vector<std::string> lines = Lines(RunCli({"knots", "--mutants"}).out);
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].starts_with("*")) {
      groups.emplace_back();
    } else {
      groups.back().push_back(lines[i].substr(0, lines[i].find(' ')));
    }
  }
  return groups;
}

std::string IsotopyResult(const std::string& knot, const std::string& group) {
  const CliResult run = RunCli({"isotopy", "--knot", knot, "--group", group, "--save", "none"});
  EXPECT_EQ(run.exitStatus, 0) << knot << run.err;
  const std::vector<std::string> result = IsotopyPanel(run, 3);
  return result.empty() ? "" : result.front();
}

TEST(CliClaims, S5ProductTellsApartMutantsWithEqualAlexanderPolynomials) {
  const std::vector<std::vector<std::string>> groups = MutantGroups();
  for (const std::vector<std::string>& pair :
       {std::vector<std::string>{"11_19", "11_25"}, std::vector<std::string>{"11_401", "11_409"}}) {
    EXPECT_NE(std::find(groups.begin(), groups.end(), pair), groups.end()) << pair[0] << " " << pair[1];
    const std::string alexander = IsotopyResult(pair[0], "s1");
    EXPECT_TRUE(alexander.starts_with("The Alexander polynomial equals:  ")) << alexander;
    EXPECT_EQ(alexander, IsotopyResult(pair[1], "s1"));
    const std::string product = IsotopyResult(pair[0], "s5");
    EXPECT_TRUE(product.starts_with("The product of the twisted Alexander polynomial equals:  1+"))
        << product;
    EXPECT_NE(product, IsotopyResult(pair[1], "s5")) << pair[0] << " " << pair[1];
  }
}

}  // namespace
}  // namespace quarvel::testing
