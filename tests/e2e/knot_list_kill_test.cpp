// A list run may end at any instant: killed with SIGKILL at random moments or stopped by its time
// limit, the list it leaves is always complete (the old or the new list, never
// a mixed or cut one), and the runs that resume it finish it as one run without interruption
// would. A list that mixes every kind of line keeps each line its user wrote through all of it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "e2e/cli_runner.h"
#include "e2e/knot_list_files.h"
#include "lists/knot_list.h"

namespace quarvel::testing {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr int kKnots = 30;
constexpr int kKills = 50;

// Runs to the end; returns the exit status and how long it took.
int RunToEnd(const std::filesystem::path& dir, const std::vector<std::string>& args,
             Seconds* took = nullptr) {
  const Clock::time_point start = Clock::now();
  int status = 0;
  waitpid(StartCli(dir, args), &status, 0);
  if (took) *took = Clock::now() - start;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Kills the run with SIGKILL after `delay` (a run that ended before is just collected).
void RunAndKill(const std::filesystem::path& dir, const std::vector<std::string>& args, Seconds delay) {
  SignalAfter(StartCli(dir, args), delay, SIGKILL);
}

std::vector<std::string> ListArgs(const std::string& mode, const std::filesystem::path& list,
                                  std::vector<std::string> options) {
  std::vector<std::string> args = {mode, "--file", list.string(), "--save", "none"};
  args.insert(args.end(), options.begin(), options.end());
  return args;
}

// The kills fall between the start of a run and a few knots into it: a run needs `startUp` before
// its first knot and `whole` for all of them.
std::uniform_real_distribution<double> KillMoments(Seconds startUp, Seconds whole) {
  const double perKnot = std::max(0.0, (whole - startUp).count()) / kKnots;
  return std::uniform_real_distribution<double>(0.5 * startUp.count(), startUp.count() + 3 * perKnot);
}

// Times a run of the list until it ends and one on the finished list.
void TimeRuns(const std::vector<std::string>& knots, const std::string& mode,
              const std::vector<std::string>& options, Seconds& whole, Seconds& startUp,
              std::string* finished = nullptr) {
  TempDir dir;
  const auto list = dir.Write("list.txt", LfText(knots));
  ASSERT_EQ(RunToEnd(dir.path(), ListArgs(mode, list, options), &whole), 0);
  ASSERT_EQ(RunToEnd(dir.path(), ListArgs(mode, list, options), &startUp), 0);
  if (finished) *finished = ReadWholeFile(list);
}

TEST(KnotListKill, AnIsotopyListSurvivesFiftyKillsAndResumesToTheSameEnd) {
  const std::vector<std::string> knots = TableKnotLines(kKnots);
  const std::vector<std::string> options = {"--group", "s3"};
  Seconds whole{}, startUp{};
  std::string finished;
  TimeRuns(knots, "isotopy", options, whole, startUp, &finished);
  std::vector<std::string> finishedLines;
  ASSERT_TRUE(SplitListLines(finished, finishedLines));

  TempDir dir;
  const auto list = dir.Write("list.txt", LfText(knots));
  std::mt19937 random(8);
  auto moment = KillMoments(startUp, whole);
  int changed = 0;
  std::string before = ReadWholeFile(list);
  for (int kill = 1; kill <= kKills; ++kill) {
    const Seconds delay(moment(random));
    RunAndKill(dir.path(), ListArgs("isotopy", list, options), delay);
    const std::string now = ReadWholeFile(list);
    ASSERT_TRUE(IsIsotopyListBetweenKnots(now, knots, finishedLines))
        << "kill " << kill << " after " << delay.count() << " s";
    changed += now != before;
    before = now;
  }
  ASSERT_EQ(RunToEnd(dir.path(), ListArgs("isotopy", list, options)), 0);
  EXPECT_EQ(ReadWholeFile(list), finished);
  // A kill between creating the new list and renaming it leaves that file behind, never the list cut.
  const auto files = std::distance(std::filesystem::directory_iterator(dir.path()), {});
  std::cout << kKills << " kills, " << changed << " of them after the list had changed; " << files - 1
            << " unfinished new lists left beside it\n";
}

TEST(KnotListKill, ANormListSurvivesFiftyKillsAndResumesToItsEnd) {
  const std::vector<std::string> knots = TableKnotLines(kKnots);
  const std::vector<std::string> options = {"--stop", "first"};
  Seconds whole{}, startUp{};
  TimeRuns(knots, "norm", options, whole, startUp);

  TempDir dir;
  const auto list = dir.Write("list.txt", LfText(knots));
  std::mt19937 random(9);
  auto moment = KillMoments(startUp, whole);
  for (int kill = 1; kill <= kKills; ++kill) {
    const Seconds delay(moment(random));
    RunAndKill(dir.path(), ListArgs("norm", list, options), delay);
    ASSERT_TRUE(IsNormListBetweenKnots(ReadWholeFile(list), knots))
        << "kill " << kill << " after " << delay.count() << " s";
  }
  ASSERT_EQ(RunToEnd(dir.path(), ListArgs("norm", list, options)), 0);
  const std::string done = ReadWholeFile(list);
  ASSERT_TRUE(IsNormListBetweenKnots(done, knots));
  std::vector<std::string> lines;
  ASSERT_TRUE(SplitListLines(done, lines));
  // Every knot found its first nontrivial representation at some size.
  for (int i = 0; i < kKnots; ++i) EXPECT_NE(lines[i].find("y "), std::string::npos) << lines[i];
}

TEST(KnotListLimits, TimeLimitedIsotopyRunsEndBetweenKnotsAndFinishTheList) {
  const std::vector<std::string> knots = TableKnotLines(kKnots);
  Seconds whole{}, startUp{};
  std::string finished;
  TimeRuns(knots, "isotopy", {"--group", "s6"}, whole, startUp, &finished);
  std::vector<std::string> finishedLines;
  ASSERT_TRUE(SplitListLines(finished, finishedLines));

  TempDir dir;
  const auto list = dir.Write("list.txt", LfText(knots));
  const std::string limit = std::to_string(std::max(0.05, (whole - startUp).count() / 4));
  int runs = 0;
  while (ReadWholeFile(list) != finished && ++runs <= 3 * kKnots) {
    ASSERT_EQ(RunToEnd(dir.path(), ListArgs("isotopy", list, {"--group", "s6", "--time-limit", limit})), 0);
    ASSERT_TRUE(IsIsotopyListBetweenKnots(ReadWholeFile(list), knots, finishedLines)) << "run " << runs;
  }
  EXPECT_EQ(ReadWholeFile(list), finished);
  EXPECT_GT(runs, 1);
}

// A list with every kind of line a user writes: a heading with "end" in it, blank lines, long
// names, a name with "n1" in it, a long name marked "new", a knot whose braid does not read, and
// notes after "end"; LF line ends.
const std::vector<std::string> kMixedList = {
    "% knots of every kind",
    "Legend: mirror images follow, the end of the list comes later",
    "3_1 {-1,-1,-1}",
    "",
    "the_figure_eight_knot_with_a_long_name {-1,2,-1,2}",
    "K13n1 {1,1,2,-1,2,2,3,-2,3}",
    "",
    "broken {1,x}",
    "a_long_name_to_compute_again : new = 4, number of reps: 1, {1,1,1}",
    "5_2 {-1,2,1,1,1,2}",
    "",
    "end",
    "Notes: 3_1 and its mirror are not told apart.",
    "",
    "last note",
};

// Every line of `original` is in `text`: before "end" each at its place, a knot line as it was
// or with its name and braid around new results, any other line as it was; after "end" the notes
// in their order, then (in the isotopy mode) the closing section. LF stays LF.
::testing::AssertionResult KeepsEveryUserLine(const std::string& text,
                                              const std::vector<std::string>& original) {
  std::vector<std::string> lines;
  if (auto split = SplitListLines(text, lines); !split) return split;
  if (text.find('\r') != std::string::npos) return ::testing::AssertionFailure() << "LF became CR LF";
  const auto end = std::find(original.begin(), original.end(), "end");
  const size_t knots = static_cast<size_t>(end - original.begin());
  if (lines.size() < original.size() || lines[knots] != "end")
    return ::testing::AssertionFailure() << "\"end\" moved:\n" << text;
  for (size_t i = 0; i < original.size(); ++i) {
    const std::string& was = original[i];
    const std::string& now = lines[i];
    const bool resultLine = i < knots && IsKnotLine(was) && now.starts_with(std::string(ListLineName(was))) &&
                            now.find(ListLineBraid(was)) != std::string::npos;
    if (now != was && !resultLine)
      return ::testing::AssertionFailure() << "line " << i + 1 << " was\n  " << was << "\nand is\n  " << now;
  }
  return ::testing::AssertionSuccess();
}

// The mixed list run to its end without interruption, and again while killed at random moments
// and resumed (on a fresh copy whenever a run finished it): every user line stays, and the
// resumed list ends as the uninterrupted one.
void KillAndResumeTheMixedList(const std::string& mode, const std::vector<std::string>& options,
                               unsigned seed) {
  constexpr int kMixedKills = 20;
  const std::string content = LfText(kMixedList);
  TempDir whole;
  const auto finishedList = whole.Write("list.txt", content);
  Seconds took{};
  ASSERT_EQ(RunToEnd(whole.path(), ListArgs(mode, finishedList, options), &took), 0);
  const std::string finished = ReadWholeFile(finishedList);
  ASSERT_TRUE(KeepsEveryUserLine(finished, kMixedList));
  EXPECT_NE(finished.find("\nbroken: "), std::string::npos) << finished;
  EXPECT_NE(finished.find(" not computed: Not a valid braid description  braid {1,x}\n"), std::string::npos)
      << finished;
  EXPECT_EQ(finished.find(" new "), std::string::npos) << finished;

  TempDir dir;
  const auto list = dir.Write("list.txt", content);
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> moment(0.0, took.count());
  int halfway = 0;
  for (int kill = 1; kill <= kMixedKills; ++kill) {
    const Seconds delay(moment(random));
    RunAndKill(dir.path(), ListArgs(mode, list, options), delay);
    const std::string now = ReadWholeFile(list);
    ASSERT_TRUE(now == content || KeepsEveryUserLine(now, kMixedList))
        << "kill " << kill << " after " << delay.count() << " s";
    halfway += now != content && now != finished;
    // A run the kill came too late for finished the list: the next kills start on a fresh copy.
    if (now == finished) dir.Write("list.txt", content);
  }
  std::cout << kMixedKills << " kills, " << halfway << " of them left the list part done\n";
  ASSERT_EQ(RunToEnd(dir.path(), ListArgs(mode, list, options)), 0);
  EXPECT_EQ(ReadWholeFile(list), finished);
  // A finished list stays as it is.
  ASSERT_EQ(RunToEnd(dir.path(), ListArgs(mode, list, options)), 0);
  EXPECT_EQ(ReadWholeFile(list), finished);
}

TEST(KnotListKill, AMixedListKeepsEveryUserLineThroughKillsInTheIsotopyMode) {
  KillAndResumeTheMixedList("isotopy", {"--group", "s3"}, 10);
}

TEST(KnotListKill, AMixedListKeepsEveryUserLineThroughKillsInTheNormMode) {
  KillAndResumeTheMixedList("norm", {"--stop", "first"}, 11);
}

}  // namespace
}  // namespace quarvel::testing
