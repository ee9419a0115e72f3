// A knot list computed in worker processes (--jobs), or in shards (--shard I/N) merged afterwards,
// ends byte for byte as the serial run leaves it, in both modes: marks, closing section, failing
// knots, comments, notes and line ends included. The merge refuses shards that do not make up one
// run of the list. Killing the parent or a worker at any moment leaves a whole list that a rerun
// finishes as the serial run does.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

#include "e2e/cli_runner.h"
#include "e2e/knot_list_files.h"

namespace quarvel::testing {
namespace {

using Seconds = std::chrono::duration<double>;

std::string MutantsList() {
  return ReadWholeFile(std::filesystem::path(QUARVEL_SOURCE_DIR) / "examples" / "isotopy_mutants.txt");
}

// Knots that repeat (mirror images, the same braid twice), one that does not read, comments,
// headings, a blank line, a line marked "new", notes after "end"; CR LF line ends.
std::string MixedList() {
  const std::vector<std::string> lines = {
      "% knots of every kind",
      "Legend: mirror images follow",
      "3_1 {-1,-1,-1}",
      "3_1m {1,1,1}",
      "",
      "4_1 {-1,2,-1,2}",
      "broken {1,x}",
      "4_1again {-1,2,-1,2}",
      "5_2 {-1,2,1,1,1,2}",
      "7_4",
      "a_long_name_to_compute_again : new = 4, {1,1,1}",
      "huge {1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32}",
      "6_1 {1,1,2,-1,-3,2,-3}",
      "end",
      "notes stay",
  };
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The list after a run with `args` (the list's path goes after --file) on a fresh copy of `text`.
std::string RunOn(const std::string& text, const std::string& mode, const std::vector<std::string>& options) {
  TempDir dir;
  const auto list = dir.Write("list.txt", text);
  std::vector<std::string> args = {mode, "--file", list.string()};
  args.insert(args.end(), options.begin(), options.end());
  const CliResult run = RunCliIn(dir.path(), args);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  return ReadWholeFile(list);
}

// The list after `shards` shard runs (each in `jobs` workers) and their merge.
std::string ShardAndMerge(const std::string& text, const std::string& mode,
                          const std::vector<std::string>& options, int shards, int jobs) {
  TempDir dir;
  const auto list = dir.Write("list.txt", text);
  std::vector<std::string> merge = {"merge", list.string()};
  for (int i = 0; i < shards; ++i) {
    std::vector<std::string> args = {mode,
                                     "--file",
                                     list.string(),
                                     "--shard",
                                     std::to_string(i) + "/" + std::to_string(shards),
                                     "--jobs",
                                     std::to_string(jobs)};
    args.insert(args.end(), options.begin(), options.end());
    const CliResult run = RunCliIn(dir.path(), args);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(ReadWholeFile(list), text) << "a shard run rewrote the list";
    merge.push_back(list.string() + ".shard-" + std::to_string(i) + "-of-" + std::to_string(shards) +
                    ".jsonl");
  }
  const CliResult merged = RunCliIn(dir.path(), merge);
  EXPECT_EQ(merged.exitStatus, 0) << merged.err;
  return ReadWholeFile(list);
}

void ExpectEveryWayAlike(const std::string& text, const std::string& mode,
                         const std::vector<std::string>& options) {
  std::vector<std::string> serialOptions = options;
  serialOptions.insert(serialOptions.end(), {"--save", "none"});
  const std::string serial = RunOn(text, mode, serialOptions);
  ASSERT_NE(serial, text);
  std::vector<std::string> two = options;
  two.insert(two.end(), {"--jobs", "2"});
  EXPECT_EQ(RunOn(text, mode, two), serial) << "--jobs 2";
  std::vector<std::string> three = options;
  three.insert(three.end(), {"--jobs", "3"});
  EXPECT_EQ(RunOn(text, mode, three), serial) << "--jobs 3";
  EXPECT_EQ(ShardAndMerge(text, mode, options, 3, 1), serial) << "3 shards";
  EXPECT_EQ(ShardAndMerge(text, mode, options, 2, 2), serial) << "2 shards of 2 workers";
}

TEST(ParallelList, TheMutantsListEndsAsTheSerialRunLeavesItInTheIsotopyMode) {
  ExpectEveryWayAlike(MutantsList(), "isotopy", {"--group", "s5"});
}

TEST(ParallelList, TheMutantsListEndsAsTheSerialRunLeavesItInTheNormMode) {
  // The first 60 lines: 40 knots in 20 groups, over several passes.
  std::string text = MutantsList();
  size_t at = 0;
  for (int line = 0; line < 60; ++line) at = text.find('\n', at) + 1;
  ExpectEveryWayAlike(text.substr(0, at), "norm", {"--stop", "first", "--cycles", "3"});
}

TEST(ParallelList, AMixedListEndsAsTheSerialRunLeavesItInBothModes) {
  ExpectEveryWayAlike(MixedList(), "isotopy", {"--group", "s3"});
  ExpectEveryWayAlike(MixedList(), "norm", {"--stop", "first"});
}

TEST(ParallelList, AFinishedListStaysAsItIs) {
  TempDir dir;
  const auto list = dir.Write("list.txt", MixedList());
  ASSERT_EQ(
      RunCliIn(dir.path(), {"isotopy", "--file", list.string(), "--group", "s3", "--jobs", "2"}).exitStatus,
      0);
  const std::string finished = ReadWholeFile(list);
  const CliResult again =
      RunCliIn(dir.path(), {"isotopy", "--file", list.string(), "--group", "s3", "--jobs", "2"});
  EXPECT_EQ(again.exitStatus, 0);
  EXPECT_NE(again.out.find("Computed all knots in the list"), std::string::npos) << again.out;
  EXPECT_EQ(ReadWholeFile(list), finished);
}

// Shard files of a small list in `dir`: shards 0..2 of 3 with --group s3.
std::vector<std::string> MakeShards(const TempDir& dir, const std::filesystem::path& list,
                                    const std::string& group = "s3") {
  std::vector<std::string> files;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(RunCliIn(dir.path(), {"isotopy", "--file", list.string(), "--group", group, "--shard",
                                    std::to_string(i) + "/3"})
                  .exitStatus,
              0);
    files.push_back(list.string() + ".shard-" + std::to_string(i) + "-of-3.jsonl");
  }
  return files;
}

// The merge refuses with `reason` on stderr, a nonzero exit, and the list as it was.
void ExpectRefused(const TempDir& dir, const std::filesystem::path& list,
                   const std::vector<std::string>& shards, const std::string& reason) {
  const std::string before = ReadWholeFile(list);
  std::vector<std::string> args = {"merge", list.string()};
  args.insert(args.end(), shards.begin(), shards.end());
  const CliResult merged = RunCliIn(dir.path(), args);
  EXPECT_NE(merged.exitStatus, 0);
  EXPECT_NE(merged.err.find(reason), std::string::npos) << merged.err;
  EXPECT_EQ(ReadWholeFile(list), before);
}

TEST(ParallelList, TheMergeRefusesShardsThatAreNoWholeRunOfTheList) {
  TempDir dir;
  const auto list = dir.Write("list.txt", LfText(TableKnotLines(12)));
  const std::vector<std::string> shards = MakeShards(dir, list);
  ExpectRefused(dir, list, {shards[0], shards[2]}, "shard 1 of 3 is missing");
  ExpectRefused(dir, list, {shards[0], shards[1], shards[1], shards[2]}, "shard 1 of 3 is given twice");
  ExpectRefused(dir, list, {shards[0], shards[1], list.string()}, "is no shard file");

  TempDir other;
  const auto otherList = other.Write("list.txt", LfText(TableKnotLines(13)));
  const std::vector<std::string> foreign = MakeShards(other, otherList);
  ExpectRefused(dir, list, {shards[0], foreign[1], shards[2]}, "computed from another list");

  TempDir otherGroup;
  const auto sameList = otherGroup.Write("list.txt", LfText(TableKnotLines(12)));
  const std::vector<std::string> s4 = MakeShards(otherGroup, sameList, "s4");
  ExpectRefused(dir, list, {shards[0], s4[1], shards[2]}, "other settings");

  // Once merged, the list has changed: the same shards do not go in twice.
  ASSERT_EQ(RunCliIn(dir.path(), {"merge", list.string(), shards[0], shards[1], shards[2]}).exitStatus, 0);
  ExpectRefused(dir, list, shards, "from this list before it changed");
}

TEST(ParallelList, ParallelFlagsRefuseWhatTheyCannotDo) {
  TempDir dir;
  const auto list = dir.Write("list.txt", LfText(TableKnotLines(3)));
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"isotopy", "--file", list.string(), "--jobs", "2", "--save", "latex"},
           {"norm", "--file", list.string(), "--shard", "0/2", "--matrix", "gap"},
           {"norm", "--knot", "4_1", "--jobs", "2"},
           {"isotopy", "--file", list.string(), "--shard", "2/2"},
           {"isotopy", "--file", list.string(), "--shard", "1"},
           {"isotopy", "--file", list.string(), "--jobs", "-1"},
           {"merge", list.string()}}) {
    const CliResult run = RunCliIn(dir.path(), args);
    EXPECT_EQ(run.exitStatus, 2) << args[3] << ": " << run.err;
  }
  EXPECT_EQ(ReadWholeFile(list), LfText(TableKnotLines(3)));
}

// The worker processes of a run: the children of `parent`.
std::vector<pid_t> Children(pid_t parent) {
  std::ifstream in("/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) + "/children");
  std::vector<pid_t> children;
  for (pid_t child = 0; in >> child;) children.push_back(child);
  return children;
}

// A process that is gone or a zombie (killed, not yet collected by whoever adopted it) is not alive.
bool Alive(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(stat, text);
  const size_t close = text.rfind(')');
  return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

// Runs of --jobs 2 killed at random moments, every other time the parent, else a worker: the list
// is always a list the serial run could have left, and the run that resumes it ends as the serial
// run does. No worker outlives its parent.
TEST(ParallelList, KillingTheParentOrAWorkerLeavesAWholeListThatResumesToTheSerialEnd) {
  constexpr int kKills = 16;
  const std::vector<std::string> knots = TableKnotLines(30);
  const std::vector<std::string> options = {"--group", "s5", "--jobs", "2"};
  TempDir whole;
  const auto serialList = whole.Write("list.txt", LfText(knots));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(
      RunCliIn(whole.path(), {"isotopy", "--file", serialList.string(), "--group", "s5", "--save", "none"})
          .exitStatus,
      0);
  const Seconds took = std::chrono::steady_clock::now() - start;
  const std::string finished = ReadWholeFile(serialList);
  std::vector<std::string> finishedLines;
  ASSERT_TRUE(SplitListLines(finished, finishedLines));

  TempDir dir;
  const auto list = dir.Write("list.txt", LfText(knots));
  std::vector<std::string> args = {"isotopy", "--file", list.string()};
  args.insert(args.end(), options.begin(), options.end());
  std::mt19937 random(12);
  std::uniform_real_distribution<double> moment(0.02, std::max(0.05, took.count() / 2));
  int workersKilled = 0;
  for (int kill = 1; kill <= kKills; ++kill) {
    const pid_t parent = StartCli(dir.path(), args);
    std::this_thread::sleep_for(Seconds(moment(random)));
    const std::vector<pid_t> workers = Children(parent);
    if (kill % 2 == 0 && !workers.empty()) {
      ::kill(workers[static_cast<size_t>(kill) % workers.size()], SIGKILL);
      ++workersKilled;
    } else {
      ::kill(parent, SIGKILL);
    }
    int status = 0;
    waitpid(parent, &status, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    for (pid_t worker : workers) EXPECT_FALSE(Alive(worker)) << "worker " << worker << " outlived its run";
    const std::string now = ReadWholeFile(list);
    ASSERT_TRUE(IsIsotopyListBetweenKnots(now, knots, finishedLines)) << "kill " << kill;
    if (now == finished) dir.Write("list.txt", LfText(knots));
  }
  EXPECT_GT(workersKilled, 0);
  ASSERT_EQ(RunCliIn(dir.path(), args).exitStatus, 0);
  EXPECT_EQ(ReadWholeFile(list), finished);
}

// A worker killed while the parent runs on ends the run with an error naming the knot's line.
TEST(ParallelList, ALostWorkerEndsTheRunWithAnError) {
  TempDir dir;
  const auto list = dir.Write("list.txt", LfText(TableKnotLines(400)));
  const pid_t parent =
      StartCliIn(dir.path(), {"isotopy", "--file", list.string(), "--group", "s6", "--jobs", "2"});
  std::vector<pid_t> workers;
  for (int wait = 0; wait < 100 && workers.size() < 2; ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    workers = Children(parent);
  }
  ASSERT_FALSE(workers.empty());
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ::kill(workers.front(), SIGKILL);
  int status = 0;
  waitpid(parent, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(ReadWholeFile(dir.path() / "out.txt").find("ERROR: The worker process computing line "),
            std::string::npos)
      << ReadWholeFile(dir.path() / "out.txt");
}

// A shard killed midway keeps the knots it finished in its file; its rerun carries on from them.
TEST(ParallelList, AShardRerunAfterAKillFinishesAsTheSerialRun) {
  const std::string text = LfText(TableKnotLines(30));
  const std::string serial = RunOn(text, "isotopy", {"--group", "s5", "--save", "none"});
  TempDir dir;
  const auto list = dir.Write("list.txt", text);
  const std::string shard0 = list.string() + ".shard-0-of-2.jsonl";
  const std::vector<std::string> first = {"isotopy", "--file",  list.string(), "--group",
                                          "s5",      "--shard", "0/2"};
  SignalAfter(StartCli(dir.path(), first), std::chrono::milliseconds(150), SIGKILL);
  const std::string half = ReadWholeFile(shard0);
  EXPECT_TRUE(half.empty() || half.ends_with("\n")) << "a cut shard file";
  ASSERT_EQ(RunCliIn(dir.path(), first).exitStatus, 0);
  ASSERT_EQ(RunCliIn(dir.path(), {"isotopy", "--file", list.string(), "--group", "s5", "--shard", "1/2"})
                .exitStatus,
            0);
  ASSERT_EQ(RunCliIn(dir.path(), {"merge", list.string(), shard0, list.string() + ".shard-1-of-2.jsonl"})
                .exitStatus,
            0);
  EXPECT_EQ(ReadWholeFile(list), serial);
}

}  // namespace
}  // namespace quarvel::testing
