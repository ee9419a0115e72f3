// quarvel-cli isotopy on real knots: the classes, their polynomials, the product, and the errors.

#include <gtest/gtest.h>

#include "e2e/cli_runner.h"

namespace quarvel::testing {
namespace {

CliResult Isotopy(std::vector<std::string> args) {
  args.insert(args.begin(), "isotopy");
  args.insert(args.end(), {"--save", "none"});
  return RunCli(args);
}

std::string CountLine(const std::string& kind, const std::string& group, int count) {
  return "Number of " + kind + "homomorphisms pi -> " + group + " up to conjugation by element in S_" +
         group.substr(2) + ": " + std::to_string(count);
}

TEST(CliIsotopy, TrefoilIntoS3HasOneNonAbelianClass) {
  const CliResult run = Isotopy({"--braid", "{1,1,1}", "--group", "s3"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(IsotopyPanel(run, 0), "Knot is closure of the braid {1,1,1}"));
  const std::vector<std::string> classes = IsotopyPanel(run, 2);
  EXPECT_TRUE(HasLine(classes, CountLine("non-abelian ", "S_3", 1)));
  EXPECT_TRUE(HasLine(classes, "a -> (213) b -> (321) c -> (132) 1+12t+t^3+12t^4"));
  EXPECT_TRUE(HasLine(IsotopyPanel(run, 3),
                      "The product of the twisted Alexander polynomial equals:  1+12t+t^3+12t^4"));
  EXPECT_TRUE(HasLine(IsotopyPanel(run, 1),
                      "Checked 100% of all potential homomorphisms Homomorphism phi: a -> 1 b -> 1 "
                      "c -> 1"));
}

TEST(CliIsotopy, AllHomomorphismsOfTheTrefoilIntoS3) {
  const CliResult run = Isotopy({"--braid", "{1,1,1}", "--group", "s3", "--all-homomorphisms"});
  const std::vector<std::string> classes = IsotopyPanel(run, 2);
  EXPECT_TRUE(HasLine(classes, CountLine("", "S_3", 4)));
  // The trivial class and those onto <(1 2)> and <(1 2 3)> come before the surjection.
  EXPECT_TRUE(HasLine(classes, "a -> (123) b -> (123) c -> (123) 1+10t+6t^2+6t^3+6t^4+10t^5+t^6"));
  EXPECT_TRUE(HasLine(classes, "a -> (132) b -> (132) c -> (132) 1+12t+2t^2+12t^3+2t^4+12t^5+t^6"));
  EXPECT_TRUE(HasLine(classes, "a -> (231) b -> (231) c -> (231) 1+2t^3+t^6"));
}

TEST(CliIsotopy, FigureEightClassCountsGrowWithTheGroup) {
  const CliResult s3 = Isotopy({"--knot", "4_1", "--group", "s3"});
  EXPECT_TRUE(HasLine(IsotopyPanel(s3, 2), CountLine("non-abelian ", "S_3", 0)));
  EXPECT_TRUE(
      HasLine(IsotopyPanel(s3, 3),
              "There exist no such representations! Hence the Product of the twisted Alexander polynomials "
              "equals 1."));
  EXPECT_TRUE(HasLine(IsotopyPanel(Isotopy({"--knot", "4_1", "--group", "s4"}), 2),
                      CountLine("non-abelian ", "S_4", 1)));
  EXPECT_TRUE(HasLine(IsotopyPanel(Isotopy({"--knot", "4_1", "--group", "s5"}), 2),
                      CountLine("non-abelian ", "S_5", 4)));
  EXPECT_TRUE(HasLine(IsotopyPanel(Isotopy({"--knot", "4_1", "--group", "a4"}), 2),
                      CountLine("non-abelian ", "A_4", 1)));
}

// Generators that no relator uses (split links, unlinks, the unknot) are free: Hom(F_r, S_3) has
// (1/6) sum over g of |C(g)|^r classes, 11 for r = 2 and 49 for r = 3, and each class shows the
// images of its own generators.
TEST(CliIsotopyFreeGenerators, ClassesOfFreeGroupsAndTheUnknot) {
  EXPECT_TRUE(HasLine(IsotopyPanel(Isotopy({"--braid", "{1,-1}", "--group", "s3", "--all-homomorphisms"}), 2),
                      CountLine("", "S_3", 11)));
  EXPECT_TRUE(
      HasLine(IsotopyPanel(Isotopy({"--braid", "{-3,3,-2}", "--group", "s3", "--all-homomorphisms"}), 2),
              CountLine("", "S_3", 49)));
  const CliResult unknot = Isotopy({"--braid", "{1,2}", "--group", "s3", "--all-homomorphisms"});
  ASSERT_EQ(unknot.exitStatus, 0) << unknot.err;
  const std::vector<std::string> classes = IsotopyPanel(unknot, 2);
  EXPECT_TRUE(HasLine(classes, CountLine("", "S_3", 3)));
  for (const char* line : {"a -> (123) b -> (123) 1", "a -> (132) b -> (132) 1", "a -> (231) b -> (231) 1"}) {
    EXPECT_TRUE(HasLine(classes, line));
  }
}

TEST(CliIsotopy, S1ShowsOnlyTheAlexanderPolynomial) {
  const CliResult run = Isotopy({"--knot", "4_1", "--group", "s1"});
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_TRUE(HasLine(IsotopyPanel(run, 3), "The Alexander polynomial equals:  1+10t+t^2"));
  EXPECT_TRUE(IsotopyPanel(run, 2).empty());
}

TEST(CliIsotopy, TheSameRunTwiceGivesTheSameBytes) {
  const std::vector<std::string> args = {"--knot", "5_2", "--group", "s5", "--field", "7"};
  const CliResult first = Isotopy(args);
  ASSERT_EQ(first.exitStatus, 0);
  EXPECT_EQ(first.out, Isotopy(args).out);
}

TEST(CliIsotopy, APresentationFileNamesItselfAndItsGroup) {
  TempDir dir;
  dir.Write("trefoil.txt", "-a-c+b+c\n-b-a+c+a\na1\nb1\nc1\n");
  const CliResult run = Isotopy({"--file", (dir.path() / "trefoil.txt").string(), "--group", "s3"});
  ASSERT_EQ(run.exitStatus, 0) << run.out << run.err;
  EXPECT_TRUE(
      HasLine(IsotopyPanel(run, 0), "Filename: trefoil.txt (fundamental group of a knot complement)"));
  EXPECT_TRUE(HasLine(IsotopyPanel(run, 2), CountLine("non-abelian ", "S_3", 1)));
}

TEST(CliIsotopy, AnUnreadableFileEndsWithAnError) {
  TempDir dir;
  dir.Write("bad.txt", "x_{53}\n");
  const CliResult run = Isotopy({"--file", (dir.path() / "bad.txt").string(), "--group", "s3"});
  EXPECT_EQ(run.exitStatus, 1) << run.out;
  EXPECT_TRUE(HasLine(IsotopyPanel(run, 1), "ERROR: Too many generators")) << run.out;
}

// 12_1344 and 12_1345 each have an S_5 class whose module has positive rank, so their plain
// products are both 0; the torsion product keeps that class's torsion polynomial and tells the two
// knots apart, and every text naming the polynomials says "torsion".
TEST(CliIsotopy, TheTorsionProductKeepsClassesOfPositiveRank) {
  const std::string productLine = "The product of the twisted Alexander polynomial equals:  0";
  for (const std::string knot : {"12_1344", "12_1345"})
    EXPECT_TRUE(HasLine(IsotopyPanel(Isotopy({"--knot", knot}), 3), productLine)) << knot;

  TempDir dir;
  const CliResult first =
      RunCliIn(dir.path(), {"isotopy", "--knot", "12_1344", "--torsion", "--save", "results"});
  const CliResult second = Isotopy({"--knot", "12_1345", "--torsion"});
  ASSERT_EQ(first.exitStatus, 0) << first.err;
  const std::vector<std::string> product = IsotopyPanel(first, 3);
  ASSERT_FALSE(product.empty());
  EXPECT_TRUE(
      product[0].starts_with("The product of the twisted torsion Alexander polynomial equals:  1+3t+"))
      << product[0];
  EXPECT_NE(product, IsotopyPanel(second, 3));
  EXPECT_TRUE(HasLine(IsotopyPanel(first, 2),
                      "Equivalence classes of homomorphisms: pi_1(S^3\\K) -> S_5 Twisted torsion Alexander "
                      "polynomials corresponding to pi_1(S^3\\K) -> S_5 -> GL(F_13,5)"));
  EXPECT_TRUE(
      HasLine(IsotopyPanel(first, 2),
              "a -> (21354) b -> (32154) c -> (14523) d -> (43215) e -> (52431) f -> (13254) g -> (13254) "
              "1+10t+5t^2+8t^3+3t^4+12t^5"));

  const std::string report = ReadWholeFile(dir.path() / "quarvel_results.txt");
  EXPECT_NE(report.find("Product of twisted torsion Alexander polynomials for pi_1(S^3\\K) -> S_5"),
            std::string::npos);
  EXPECT_NE(report.find("Corresponding twisted torsion Alexander polynomial\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quarvel::testing
