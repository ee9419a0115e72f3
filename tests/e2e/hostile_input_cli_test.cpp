// Inputs built to be slow, run through quarvel-cli as a user would. Each one ends the run by
// itself, with its message, or at --time-limit; never later than shortly after the limit, and
// never with more memory than a small machine has.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/cli_runner.h"
#include "e2e/knot_list_files.h"
#include "lists/knot_list.h"

namespace quarvel::testing {
namespace {

constexpr double kTimeLimitSeconds = 10;
// The limit acts at the next message pump; no stage may run longer than this between two pumps
// (with room for sanitizer builds on a loaded machine).
constexpr double kGraceSeconds = 40;
constexpr long kMemoryCeilingKb = 1'500'000;

struct WatchedRun {
  CliResult result;
  double seconds = 0;
  long peakKb = 0;  // the largest resident set of any finished child process so far
};

// `quarvel-cli MODE` on the input with the time limit, in its own folder. Prints the wall time and
// the peak memory on one line; the peak is that of the largest run of this process so far, which
// under ctest (one process a test) is the largest run of the test.
WatchedRun RunWatched(const std::string& mode, const std::vector<std::string>& input,
                      const std::vector<std::string>& more = {}) {
  TempDir dir;
  std::vector<std::string> args = {mode};
  args.insert(args.end(), input.begin(), input.end());
  args.insert(args.end(), more.begin(), more.end());
  args.insert(args.end(), {"--save", "none", "--time-limit", std::to_string(kTimeLimitSeconds)});
  auto start = std::chrono::steady_clock::now();
  WatchedRun run;
  run.result = RunCliIn(dir.path(), args);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  run.peakKb = usage.ru_maxrss;
  std::printf("watchdog %s: %.1f s, peak %ld MiB\n",
              ::testing::UnitTest::GetInstance()->current_test_info()->name(), run.seconds,
              run.peakKb / 1024);
  std::fflush(stdout);
  return run;
}

WatchedRun RunNormWatched(const std::vector<std::string>& input, const std::vector<std::string>& more = {}) {
  return RunWatched("norm", input, more);
}

// The run went on until the time limit ended it, and not much longer.
void ExpectStoppedByTheTimeLimit(const WatchedRun& run) {
  EXPECT_EQ(run.result.exitStatus, 0) << run.result.out << run.result.err;
  EXPECT_GE(run.seconds, kTimeLimitSeconds);
  EXPECT_LT(run.seconds, kTimeLimitSeconds + kGraceSeconds);
  EXPECT_LT(run.peakKb, kMemoryCeilingKb);
}

// The message stands on panel 1 (at its place in the status line, which it partly covers).
void ExpectFailedWith(const WatchedRun& run, const std::string& message) {
  EXPECT_EQ(run.result.exitStatus, 1) << run.result.out << run.result.err;
  std::vector<std::string> status = Panel(run.result, 1);
  EXPECT_TRUE(std::any_of(status.begin(), status.end(), [&](const std::string& line) {
    return line.find(message) != std::string::npos;
  })) << run.result.out;
  EXPECT_LT(run.seconds, kTimeLimitSeconds + kGraceSeconds);
  EXPECT_LT(run.peakKb, kMemoryCeilingKb);
}

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

std::string BraidOf(const std::vector<int>& letters) {
  std::string text = "{";
  for (int letter : letters) text += (text.size() > 1 ? "," : "") + std::to_string(letter);
  return text + "}";
}

std::string PickedFile(const TempDir& dir, const std::string& content) {
  return dir.Write("group.txt", content).string();
}

// 47 letters, as many as a braid may have: the (2, 47) torus link beside an untouched strand,
// whose elimination trials build the longest relators, and a 3-braid whose simplified
// presentation keeps 29 generators, one below the most the norm mode takes.
std::vector<int> AlternatingThreeBraid() {
  std::vector<int> letters;
  for (int k = 0; k < 47; ++k) letters.push_back(k % 2 == 0 ? 1 : -2);
  return letters;
}

TEST(HostileInput, LongestTorusLinkBraidRunsUntilTheTimeLimit) {
  WatchedRun run = RunNormWatched({"--braid", BraidOf(std::vector<int>(47, 2))});
  ExpectStoppedByTheTimeLimit(run);
  EXPECT_FALSE(Panel(run.result, 1).empty());
}

TEST(HostileInput, LongestThreeBraidRunsUntilTheTimeLimit) {
  WatchedRun run = RunNormWatched({"--braid", BraidOf(AlternatingThreeBraid())});
  ExpectStoppedByTheTimeLimit(run);
  EXPECT_FALSE(Panel(run.result, 1).empty());
}

TEST(HostileInput, LongestThreeBraidWithItsLongitudeRunsUntilTheTimeLimit) {
  ExpectStoppedByTheTimeLimit(
      RunNormWatched({"--braid", BraidOf(AlternatingThreeBraid())}, {"--zero-surgery"}));
}

// Chains x_(k+1) = x_k x_k x_k^-1 over a..g, so that each elimination triples the expression in a,
// and two relators that hold f four thousand times and g fourteen hundred times: f's expression
// grows the first to 1,952,000 characters, and g's would take the second past 2,000,000, where
// the trials stop.
TEST(HostileInput, SubstitutionsGrowingToTheLengthStop) {
  std::string content = "Relators whose substitutions grow to two million characters\n";
  const std::string letters = "abcdefg";
  for (size_t k = 0; k + 1 < letters.size(); ++k) {
    const char x = letters[k];
    content += std::string("-") + letters[k + 1] + "+" + x + "+" + x + "-" + x + "\n";
  }
  content += Repeat("+f-a", 4000) + "\n" + Repeat("+g-a", 1400) + "\n";
  TempDir input;
  ExpectStoppedByTheTimeLimit(RunNormWatched({"--file", PickedFile(input, content)}));
}

// Commutators in plain form (2,000,000 characters): nothing cancels, so every stage reads the
// whole relator.
TEST(HostileInput, RelatorOfAMillionSyllablesRunsUntilTheTimeLimit) {
  TempDir input;
  ExpectStoppedByTheTimeLimit(
      RunNormWatched({"--file", PickedFile(input, Repeat("+a+b-a-b", 250'000) + "\n")}));
}

TEST(HostileInput, WrittenRelatorsOfAMillionSyllablesAndMore) {
  // a^500000 a^-500000 is read and simplified; its Fox terms reach down to t^-500000, and the
  // untwisted pass gives the Alexander polynomial 1 of the group Z.
  const std::string cycleStarted = "Number of generators in pres";
  TempDir million;
  WatchedRun spelt = RunNormWatched({"--file", PickedFile(million, "+500000a-500000a\n")});
  ExpectStoppedByTheTimeLimit(spelt);
  const std::vector<std::string> untwisted = Panel(spelt.result, 4);
  ASSERT_GE(untwisted.size(), 2u) << spelt.result.out;
  EXPECT_EQ(untwisted[1], "1");

  // One syllable more on each side is refused before it is spelt out, so nothing is computed.
  TempDir more;
  WatchedRun refused = RunNormWatched({"--file", PickedFile(more, "+500001a-500001a\n")});
  ExpectFailedWith(refused, "ERROR: Out of memory");
  EXPECT_EQ(refused.result.out.find(cycleStarted), std::string::npos);
}

// The memory ceiling: the regular representation of 8_17's image needs more than 1 MiB for its
// matrix, so the run ends with the message; without the setting it computes.
TEST(HostileInput, AMemoryLimitEndsTheRunWithOutOfMemory) {
  const std::vector<std::string> input = {"--knot", "8_17"};
  ExpectFailedWith(RunNormWatched(input, {"--rep", "sk-regular", "--cycles", "2", "--memory-limit", "1"}),
                   "ERROR: Out of memory");
  WatchedRun unlimited = RunNormWatched(input, {"--rep", "sk-regular", "--cycles", "2"});
  EXPECT_EQ(unlimited.result.exitStatus, 0);
  EXPECT_EQ(unlimited.result.out.find("ERROR"), std::string::npos);
}

// A device without end is read up to the size cap, not until memory runs out.
TEST(HostileInput, EndlessInputFileStopsAtTheSizeCap) {
  ExpectFailedWith(RunNormWatched({"--file", "/dev/zero"}),
                   "ERROR: The file /dev/zero is larger than 64 MiB");
}

bool AnyLineHas(const CliResult& run, const std::string& text) {
  return run.out.find(text) != std::string::npos;
}

// Thirty generators, the most the norm mode takes (thirty-one are refused elsewhere), and thirty
// commutator relators: the degree cap becomes 300 / 30 = 10. The regular representation of S_4 has
// degree 24, which would need a 720 x 720 matrix, so after the untwisted pass no representation is
// evaluated, and nothing fails, until the time limit.
TEST(HostileInput, ThirtyGeneratorsKeepTheMatrixWithinThreeHundred) {
  const std::string letters = "abcdefghijklmnopqrstuvwxyzABCD";
  std::string content;
  for (size_t g = 0; g < letters.size(); ++g) {
    const char x = letters[g];
    const char y = letters[(g + 1) % letters.size()];
    content += std::string("+") + x + "+" + y + "-" + x + "-" + y + "\n";
  }
  TempDir input;
  WatchedRun run = RunNormWatched({"--file", PickedFile(input, content)},
                                  {"--simplify", "none", "--rep", "sk-regular", "--size", "4"});
  ExpectStoppedByTheTimeLimit(run);
  EXPECT_TRUE(AnyLineHas(run.result, "Degree of untwisted Alexander polynomial: 29"));
  EXPECT_FALSE(AnyLineHas(run.result, "Degree of twisted Alexander polynomial"));
  EXPECT_FALSE(AnyLineHas(run.result, "ERROR"));
}

// As many lines as a list may have: 20000 knots, the table's knots of up to eight crossings over
// and over (their polynomials leave the result columns where they are), then "end". Every knot
// rereads and rewrites the whole list, so the run gets through a few knots before the time limit
// ends it; the list it leaves has all its knots, the first ones with their results.
std::vector<std::string> LongestKnotList() {
  constexpr int kKnotsUpToEightCrossings = 35;
  const std::vector<std::string> table = TableKnotLines(kKnotsUpToEightCrossings);
  std::vector<std::string> knots;
  for (int64_t i = 0; i < kMaxKnotListLines; ++i)
    knots.push_back(table[static_cast<size_t>(i) % table.size()]);
  return knots;
}

TEST(HostileInput, NormRunOverTheLongestListRunsUntilTheTimeLimit) {
  const std::vector<std::string> knots = LongestKnotList();
  TempDir input;
  const auto list = input.Write("list.txt", LfText(knots) + "end\n");
  WatchedRun run = RunNormWatched({"--file", list.string()});
  ExpectStoppedByTheTimeLimit(run);
  const std::string text = ReadWholeFile(list);
  EXPECT_TRUE(IsNormListBetweenKnots(text, knots));
  EXPECT_FALSE(text.starts_with(knots[0] + "\n")) << "no knot was written";
}

// An isotopy list between two knots: every knot line as it was or as a result line of the same
// knot (name, degree, braid), "end", and the marked lines under the closing section.
::testing::AssertionResult IsIsotopyListOfTheKnots(const std::string& text,
                                                   const std::vector<std::string>& knots) {
  std::vector<std::string> lines;
  if (auto split = SplitListLines(text, lines); !split) return split;
  const size_t n = knots.size();
  if (lines.size() < n + 1 || lines[n] != "end")
    return ::testing::AssertionFailure() << "no \"end\" after the knots";
  std::vector<std::string> marked = {"List of knots which could not be distinguished:"};
  for (size_t i = 0; i < n; ++i) {
    if (lines[i] == knots[i]) continue;
    std::string name = KnotName(knots[i]);
    name.resize(15, ' ');
    const std::string braid = "Braid: " + knots[i].substr(knots[i].find('{'));
    if (!Unmarked(lines[i]).starts_with(name + ": degree = ") || lines[i].find(braid) == std::string::npos)
      return ::testing::AssertionFailure()
             << "line " << i + 1 << " is no result line of its knot: " << lines[i];
    if (lines[i] != Unmarked(lines[i])) marked.push_back(lines[i]);
  }
  if (marked.size() == 1) marked.clear();
  if (std::vector<std::string>(lines.begin() + static_cast<long>(n) + 1, lines.end()) != marked)
    return ::testing::AssertionFailure() << "the closing section does not list the marked lines";
  return ::testing::AssertionSuccess();
}

TEST(HostileInput, IsotopyRunOverTheLongestListRunsUntilTheTimeLimit) {
  const std::vector<std::string> knots = LongestKnotList();
  TempDir input;
  const auto list = input.Write("list.txt", LfText(knots) + "end\n");
  WatchedRun run = RunWatched("isotopy", {"--file", list.string()}, {"--group", "s3"});
  ExpectStoppedByTheTimeLimit(run);
  const std::string text = ReadWholeFile(list);
  EXPECT_TRUE(IsIsotopyListOfTheKnots(text, knots));
  EXPECT_FALSE(text.starts_with(knots[0] + "\n")) << "no knot was written";
}

}  // namespace
}  // namespace quarvel::testing
