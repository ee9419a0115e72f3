// The norm mode on random braids whose closures are split links or unlinks, every representation
// kind: their groups have free factors, generators that no relator uses once simplified. Each
// run must end cleanly (and, in the sanitizer build, without a report), find a representation and
// bound the norm by 0: the twisted Alexander module of a split link has positive rank.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "front/start.h"
#include "norm/norm_driver.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;

constexpr int kBraids = 280;
constexpr int kRepresentationKinds = 7;  // sk-v, ak-v, sk-z, ak-z, abelian, sk-regular, metabelian

std::string BraidText(const std::vector<int>& letters) {
  std::string text = "{";
  for (size_t i = 0; i < letters.size(); ++i) text += (i > 0 ? "," : "") + std::to_string(letters[i]);
  return text + "}";
}

int RandomLetter(std::mt19937& random, int strands, int omitted) {
  int index = 0;
  do {
    index = std::uniform_int_distribution<int>(1, strands - 1)(random);
  } while (index == omitted);
  return std::bernoulli_distribution(0.5)(random) ? index : -index;
}

// A braid on 3..5 strands in which sigma_s never occurs for some s below the highest generator: the
// strands 1..s and s+1.. close up apart.
std::vector<int> SplitBraid(std::mt19937& random) {
  const int strands = std::uniform_int_distribution<int>(3, 5)(random);
  const int omitted = std::uniform_int_distribution<int>(1, strands - 2)(random);
  std::vector<int> letters{strands - 1};
  const int length = std::uniform_int_distribution<int>(1, 6)(random);
  for (int i = 0; i < length; ++i) letters.push_back(RandomLetter(random, strands, omitted));
  std::shuffle(letters.begin(), letters.end(), random);
  return letters;
}

// w followed by w^-1: a trivial braid, an unlink of 2..4 components drawn with crossings.
std::vector<int> UnlinkBraid(std::mt19937& random) {
  const int strands = std::uniform_int_distribution<int>(2, 4)(random);
  std::vector<int> letters;
  const int length = std::uniform_int_distribution<int>(1, 4)(random);
  for (int i = 0; i < length; ++i) letters.push_back(RandomLetter(random, strands, 0));
  for (int i = length - 1; i >= 0; --i) letters.push_back(-letters[i]);
  return letters;
}

TEST(SplitLinkNorm, EveryKindEndsCleanlyWithBoundZero) {
  std::mt19937 random(20261208);
  testing::TempWorkingDirectory reports;
  for (int i = 0; i < kBraids; ++i) {
    const std::string braid = BraidText(i % 2 == 0 ? SplitBraid(random) : UnlinkBraid(random));
    Bench bench;
    MainWindowOptions options = DefaultMainWindowOptions();
    options.braidEditText = braid;
    options.reptype = i % kRepresentationKinds;
    options.fastbox = 1 + (i / kRepresentationKinds) % 2;  // low and medium simplification
    options.savetype = 2;                                  // no report files
    ASSERT_TRUE(TakeStartSettings(options, bench.wb));
    bench.wb.run.representationLimit = 1;
    RunNormMode(bench.wb);
    const std::string context = braid + " kind " + std::to_string(options.reptype);
    ASSERT_FALSE(bench.wb.failure.computationFailed) << context << ": " << bench.wb.failure.errorMessage;
    EXPECT_EQ(bench.wb.evaluation.solutionCount, 1) << context;
    EXPECT_EQ(bench.wb.evaluation.bestBound, 0.0) << context;
    EXPECT_EQ(bench.wb.evaluation.normBound, 0.0) << context;
  }
}

}  // namespace
}  // namespace quarvel
