#include "alexander/integer_alexander.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>

#include "front/start.h"
#include "group/knot_tables.h"
#include "integer_test_support.h"
#include "norm/norm_driver.h"
#include "norm/rational_invariants.h"
#include "run/twisted_polynomial_stages.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::ConjugacyClass;
using testing::ParseRationalText;
using testing::Perm;
using testing::PrepareBraid;
using testing::PrepareFile;
using testing::ReduceToField;
using testing::SameUpToSign;
using testing::SetPermutationRepresentation;
using testing::SetTrivialRepresentation;
using testing::TempDir;

constexpr int kSkZ = 2;  // "S_k -> GL(Z,k)": the permutation representation itself
constexpr int kNoFile = 2;

std::string TableBraid(const char* name) {
  return std::string(KnotBraid(FindKnot(name).knotList));
}

// A norm-mode run from the main window's options, ended after `representations` nontrivial
// representations.
void RunNorm(Bench& bench, MainWindowOptions options, int64_t representations) {
  options.savetype = kNoFile;
  ASSERT_TRUE(TakeStartSettings(options, bench.wb));
  bench.wb.run.representationLimit = representations;
  RunNormMode(bench.wb);
}

MainWindowOptions BraidOptions(const std::string& braid, int reptype = kSkZ) {
  MainWindowOptions options = DefaultMainWindowOptions();
  options.braidEditText = braid;
  options.reptype = reptype;
  return options;
}

// Some non-abelian representation of the input presentation in one conjugacy class.
std::map<int, Perm> NonAbelianIn(const Presentation& presentation, size_t k, std::vector<int> cycleType) {
  testing::ClassSearch search;
  search.accept = [](const std::map<int, Perm>& images) {
    return std::any_of(images.begin(), images.end(),
                       [&](const auto& entry) { return entry.second != images.begin()->second; });
  };
  auto images = FindRepresentationIn(presentation, ConjugacyClass(k, std::move(cycleType)), search);
  EXPECT_FALSE(images.empty());
  return images;
}

// Every image extended by fixed points to `k` points.
std::map<int, Perm> Extended(std::map<int, Perm> images, size_t k) {
  for (auto& [g, image] : images) {
    for (size_t i = image.size() + 1; i <= k; ++i) image.push_back(static_cast<int32_t>(i));
  }
  return images;
}

void PrepareNontrivialPass(Workbench& wb, const std::map<int, Perm>& images) {
  SetPermutationRepresentation(wb, images);
  wb.settings.repFamily = RepFamily::permutation;
  wb.run.trivialPass = false;
}

// The Wada invariant of the text as numerator and denominator.
struct Quotient {
  RationalPolynomial numerator, denominator;
};

Quotient ParseWada(const std::string& text) {
  std::smatch m;
  FailureState failure;
  if (std::regex_match(text, m, std::regex(R"(\((.*)\)\((.*)\) / \(t-1\))"))) {
    return {RationalPolynomialMultiply(ParseRationalText(m[1]), ParseRationalText(m[2]), failure),
            ParseRationalText("-1+t")};
  }
  EXPECT_TRUE(std::regex_match(text, m, std::regex(R"(\((.*)\) / \((.*)\))"))) << text;
  return {ParseRationalText(m[1]), ParseRationalText(m[2])};
}

// a/b = c/d up to sign and powers of t.
bool SameQuotient(const Quotient& x, const Quotient& y) {
  FailureState failure;
  auto cross = [&](const RationalPolynomial& f, const RationalPolynomial& g) {
    return StripPowerOfT(RationalPolynomialMultiply(f, g, failure), failure);
  };
  return SameUpToSign(cross(x.numerator, y.denominator), cross(y.numerator, x.denominator));
}

// ---------------------------------------------------------------------------------------------
// The Alexander polynomial over Z.

TEST(IntegerAlexander, KnotsOfTheTableHaveTheirAlexanderPolynomials) {
  const std::map<std::string, std::string> known = {
      {"3_1", "1-t+t^{2}"},   {"4_1", "1-3t+t^{2}"},  {"5_2", "2-3t+2t^{2}"},
      {"6_1", "2-5t+2t^{2}"}, {"7_4", "4-7t+4t^{2}"},
  };
  for (const auto& [name, alexander] : known) {
    for (int fieldtype : {0, 1, 5, 7}) {  // F_2, F_3, F_13, F_53
      Bench b;
      MainWindowOptions options = BraidOptions(TableBraid(name.c_str()));
      options.fieldtype = fieldtype;
      RunNorm(b, options, 0);
      const Presentation& p = b.wb.presentation;
      ASSERT_EQ(p.generatorCount - 1, p.relatorCount) << name;
      ASSERT_LE(p.generatorCount - 1, 6) << name;
      const std::string& text = b.wb.evaluation.integerAlexanderText;
      EXPECT_TRUE(SameUpToSign(ParseRationalText(text), ParseRationalText(alexander)))
          << name << ": " << text;
      // Its reduction is the untwisted polynomial over F_p that the panel shows.
      const int32_t prime = b.wb.settings.currentPrime;
      EXPECT_EQ(PolyToText(ReduceToField(ParseRationalText(text), prime), true, false, false) + " (in F_" +
                    std::to_string(prime) + ")",
                b.wb.evaluation.untwistedPolynomialText.plain)
          << name;
    }
  }
}

// Every knot of the table, after a low simplification: a text exactly when at most seven generators
// remain, and then its reduction modulo p is the untwisted polynomial over F_p.
TEST(IntegerAlexander, EveryTableKnotReducesToItsPolynomialOverFp) {
  int withText = 0;
  for (int position = 1; position <= kKnotTableSize; ++position) {
    Bench b;
    PrepareBraid(b.wb, std::string(KnotBraid(position)), 20, 13);
    SetTrivialRepresentation(b.wb);
    b.wb.settings.repFamily = RepFamily::permutation;
    b.wb.run.trivialPass = true;
    IntegerAlexanderAndWada(b.wb);
    const Presentation& p = b.wb.presentation;
    const std::string& text = b.wb.evaluation.integerAlexanderText;
    // No prefix exponent leaves -12 .. 12, and nothing overflows.
    ASSERT_FALSE(b.wb.failure.computationFailed || b.wb.failure.integerPolynomialErrorFlag)
        << KnotListEntry(position) << ": " << b.wb.failure.errorMessage;
    EXPECT_EQ(text.empty(), p.generatorCount > 7) << KnotListEntry(position);
    if (text.empty()) continue;
    ++withText;
    for (int32_t prime : {2, 13}) {
      SetCurrentPrime(b.wb.field, prime);
      BuildWorkbenchFoxMatrix(b.wb);
      ReduceWorkbenchMatrix(b.wb, p.generatorCount, p.relatorCount);
      EXPECT_EQ(ReduceToField(ParseRationalText(text), prime), b.wb.twisted.twistedPolynomial)
          << KnotListEntry(position) << " p=" << prime << ": " << text;
    }
  }
  EXPECT_GT(withText, 500);
}

// The invariants come back as values; the run's failure state is the stage's to change.
TEST(IntegerAlexander, TheInvariantsAreValuesOfThePresentationAndTheRepresentation) {
  Bench b;
  PrepareBraid(b.wb, "{1,1,1}", 20, 13);
  SetTrivialRepresentation(b.wb);
  const RationalInvariant alexander =
      IntegerAlexanderPolynomial(b.wb.presentation, b.wb.representation, 1, 13);
  EXPECT_TRUE(SameUpToSign(ParseRationalText(alexander.text), ParseRationalText("1-t+t^{2}")))
      << alexander.text;
  EXPECT_FALSE(alexander.failures.computationFailed || alexander.failures.integerPolynomialErrorFlag);

  PrepareNontrivialPass(b.wb, NonAbelianIn(b.wb.presentation, 3, {2}));
  const RationalInvariant wada =
      WadaInvariant(b.wb.presentation, b.wb.representation, b.wb.current.degreeK, 13);
  EXPECT_NE(wada.text.find(") / (t-1)"), std::string::npos) << wada.text;
  EXPECT_TRUE(b.wb.evaluation.wadaText.empty());
  EXPECT_FALSE(b.wb.failure.computationFailed || b.wb.failure.integerPolynomialErrorFlag);

  EXPECT_TRUE(HasZeroOneMatrices(RepFamily::permutation, false));
  EXPECT_TRUE(HasZeroOneMatrices(RepFamily::metabelian, false));
  EXPECT_FALSE(HasZeroOneMatrices(RepFamily::permutation, true));
  EXPECT_FALSE(HasZeroOneMatrices(RepFamily::abelian, false));
}

TEST(IntegerAlexander, OnlyThePermutationAndMetabelianKindsWithoutV) {
  for (int reptype : {0, 1, 2, 3, 4, 6}) {
    Bench b;
    RunNorm(b, BraidOptions("{1,1,1}", reptype), 0);
    const bool expected = reptype == 2 || reptype == 3 || reptype == 6;
    EXPECT_EQ(b.wb.evaluation.integerAlexanderText.empty(), !expected) << "reptype " << reptype;
  }
}

TEST(IntegerAlexander, DeficiencyOtherThanOneGivesNeitherText) {
  // By hand: two generators, two relators; earlier texts do not survive.
  for (bool trivial : {true, false}) {
    Bench b;
    TempDir dir;
    PrepareFile(b.wb, dir, "+a+b-a-b\n+a+a+b-a-a-b\n");
    ASSERT_EQ(b.wb.presentation.relatorCount, 2);
    PrepareNontrivialPass(b.wb, {{1, {2, 3, 1}}, {2, {2, 3, 1}}});
    b.wb.run.trivialPass = trivial;
    b.wb.evaluation.integerAlexanderText = b.wb.evaluation.wadaText = "stale";
    IntegerAlexanderAndWada(b.wb);
    EXPECT_EQ(b.wb.evaluation.integerAlexanderText, trivial ? "" : "stale");
    EXPECT_EQ(b.wb.evaluation.wadaText, "");
  }
  // In a run: the 0-surgery along the trefoil has as many relators as generators.
  Bench b;
  MainWindowOptions options = BraidOptions("{1,1,1}");
  options.closedbox = 1;
  RunNorm(b, options, 1);
  ASSERT_EQ(b.wb.presentation.generatorCount, b.wb.presentation.relatorCount);
  EXPECT_EQ(b.wb.evaluation.solutionCount, 1);
  EXPECT_EQ(b.wb.evaluation.integerAlexanderText, "");
  EXPECT_EQ(b.wb.evaluation.wadaText, "");
}

// ---------------------------------------------------------------------------------------------
// The Wada invariant.

TEST(WadaInvariant, TrefoilOntoS3) {
  // The permutation representation is the trivial one plus the 2-dimensional one; the quotient is
  // (1 - t + t^2)(1 - t^2)^2 / ((1 - t)(1 - t^2)).
  Bench b;
  PrepareBraid(b.wb, "{1,1,1}", 20, 13);
  PrepareNontrivialPass(b.wb, NonAbelianIn(b.wb.presentation, 3, {2}));
  IntegerAlexanderAndWada(b.wb);
  std::smatch m;
  const std::string text = b.wb.evaluation.wadaText;
  ASSERT_TRUE(std::regex_match(text, m, std::regex(R"(\((.*)\)\((.*)\) / \(t-1\))"))) << text;
  EXPECT_TRUE(SameUpToSign(ParseRationalText(m[1]), ParseRationalText("1-t+t^{2}"))) << text;
  EXPECT_TRUE(SameUpToSign(ParseRationalText(m[2]), ParseRationalText("1-t^{2}"))) << text;
  EXPECT_FALSE(b.wb.failure.integerPolynomialErrorFlag);
}

// The invariant belongs to the group and the representation, not to the presentation.
TEST(WadaInvariant, DoesNotDependOnTheSimplification) {
  struct Case {
    const char* knot;
    size_t k;
    std::vector<int> cycleType;
  };
  for (const Case& c : {Case{"3_1", 3, {2}}, Case{"4_1", 5, {2, 2}}, Case{"6_1", 3, {2}}}) {
    Bench input;
    PrepareBraid(input.wb, TableBraid(c.knot), 0, 13);
    const std::map<int, Perm> images = NonAbelianIn(input.wb.presentation, c.k, c.cycleType);
    std::vector<std::string> texts;
    for (int32_t effort : {0, 20, 50, 150}) {
      Bench b;
      PrepareBraid(b.wb, TableBraid(c.knot), effort, 13);
      if (static_cast<int64_t>(c.k) * (b.wb.presentation.generatorCount - 1) > 6) continue;
      PrepareNontrivialPass(b.wb, images);
      IntegerAlexanderAndWada(b.wb);
      ASSERT_FALSE(b.wb.evaluation.wadaText.empty()) << c.knot << " effort " << effort;
      texts.push_back(b.wb.evaluation.wadaText);
    }
    ASSERT_GE(texts.size(), 2u) << c.knot;
    for (const std::string& text : texts) {
      EXPECT_TRUE(SameQuotient(ParseWada(text), ParseWada(texts.front())))
          << c.knot << ": " << text << " vs " << texts.front();
    }
  }
}

TEST(WadaInvariant, NumeratorOnlyUpToSixRows) {
  // The trefoil keeps two generators; S_3 images with fixed points added give k = 6 and k = 7.
  Bench input;
  PrepareBraid(input.wb, "{1,1,1}", 20, 13);
  const std::map<int, Perm> images = NonAbelianIn(input.wb.presentation, 3, {2});
  std::map<size_t, std::string> texts;
  for (size_t k : {3, 6, 7}) {
    Bench b;
    PrepareBraid(b.wb, "{1,1,1}", 20, 13);
    ASSERT_EQ(b.wb.presentation.generatorCount, 2);
    PrepareNontrivialPass(b.wb, Extended(images, k));
    IntegerAlexanderAndWada(b.wb);
    texts[k] = b.wb.evaluation.wadaText;
  }
  EXPECT_EQ(texts[7], "");
  ASSERT_FALSE(texts[6].empty());
  // Each fixed point adds a trivial summand, a factor (1 - t + t^2) / (t - 1).
  FailureState failure;
  const RationalPolynomial alexander = ParseRationalText("1-t+t^{2}"), tMinusOne = ParseRationalText("-1+t");
  Quotient expected = ParseWada(texts[3]);
  for (int fixed = 0; fixed < 3; ++fixed) {
    expected.numerator = RationalPolynomialMultiply(expected.numerator, alexander, failure);
    expected.denominator = RationalPolynomialMultiply(expected.denominator, tMinusOne, failure);
  }
  EXPECT_TRUE(SameQuotient(ParseWada(texts[6]), expected)) << texts[6] << " vs " << texts[3];
}

TEST(WadaInvariant, NeedsPhiOfTheLastGeneratorNonzero) {
  // Z^2 = <a, b | a b a^-1 b^-1>; the last generator is b.
  for (const char* phiLine : {"b0", "a0"}) {
    Bench b;
    TempDir dir;
    PrepareFile(b.wb, dir, std::string("+a+b-a-b\n") + phiLine + "\n");
    PrepareNontrivialPass(b.wb, {{1, {2, 3, 1}}, {2, {3, 1, 2}}});
    IntegerAlexanderAndWada(b.wb);
    EXPECT_EQ(b.wb.evaluation.wadaText.empty(), std::string(phiLine) == "b0") << phiLine;
    EXPECT_FALSE(b.wb.failure.integerPolynomialErrorFlag);
  }
}

// ---------------------------------------------------------------------------------------------
// Failures.

TEST(IntegerAlexander, ArithmeticFailureDoesNotStopTheRun) {
  // a^12 commutes with b in every S_3 image; with k = 3 the numerator determinant would exceed
  // degree 26 (phi(b) = -1 keeps the prefix exponents within 12).
  TempDir dir;
  dir.Write("group.txt", "+12a+b-12a-b\nb-1\n");
  Bench b;
  MainWindowOptions options = DefaultMainWindowOptions();
  options.pickedDirectory = dir.directory();
  options.pickedName = "group.txt";
  options.fastbox = 0;
  options.reptype = kSkZ;
  RunNorm(b, options, 2);
  EXPECT_EQ(b.wb.evaluation.solutionCount, 2);
  EXPECT_FALSE(b.wb.failure.computationFailed);
  EXPECT_TRUE(b.wb.failure.integerPolynomialErrorFlag);
  EXPECT_EQ(b.wb.failure.errorMessage, "p11maxpcoeff");
  EXPECT_EQ(b.surface.PanelText(ComputationWindow::norm, 1).find("ERROR"), std::string::npos);
  EXPECT_EQ(b.wb.evaluation.wadaText, "");
}

TEST(IntegerAlexander, EarlierFailureIsKept) {
  Bench b;
  PrepareBraid(b.wb, "{1,1,1}", 20, 13);
  SetTrivialRepresentation(b.wb);
  b.wb.run.trivialPass = true;
  FailPolynomial(b.wb.failure, "Out of memory");
  IntegerAlexanderAndWada(b.wb);
  EXPECT_EQ(b.wb.evaluation.integerAlexanderText, "");
  EXPECT_EQ(b.wb.failure.errorMessage, "Out of memory");
  EXPECT_TRUE(b.wb.failure.polynomialErrorFlag);
  EXPECT_FALSE(b.wb.failure.computationFailed);
}

}  // namespace
}  // namespace quarvel
