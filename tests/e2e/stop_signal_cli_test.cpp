// Stopping a run from outside: SIGINT (Ctrl-C), SIGTERM and SIGHUP end it as "Back to the main
// menu" does, with its snapshot printed and a knot list left whole, and exit status 128 + the
// signal; the --time-limit and --cycles limits end a run with status 0 and a line on stderr.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "e2e/cli_runner.h"
#include "e2e/knot_list_files.h"

namespace quarvel::testing {
namespace {

// Long enough after the start that the run computes (the signals are caught from then on).
constexpr std::chrono::seconds kRunning{3};

struct StoppedRun {
  int exitStatus = -1;  // -1 when the process did not exit by itself
  std::string out;
  std::string err;
};

StoppedRun RunAndSignal(const std::filesystem::path& dir, const std::vector<std::string>& args, int signal) {
  const int status = SignalAfter(StartCliIn(dir, args), kRunning, signal);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(dir / "out.txt"),
          ReadWholeFile(dir / "err.txt")};
}

class StopSignals : public ::testing::TestWithParam<int> {};

TEST_P(StopSignals, StopTheRunWithItsSnapshotAndExit128PlusTheSignal) {
  TempDir dir;
  // A norm run without a stop condition goes on until something stops it.
  StoppedRun norm =
      RunAndSignal(dir.path(), {"norm", "--knot", "11_401", "--size", "7", "--save", "none"}, GetParam());
  EXPECT_EQ(norm.exitStatus, 128 + GetParam()) << norm.err;
  EXPECT_NE(norm.out.find("--- panel 5 ---\nKnot is closure of the braid"), std::string::npos) << norm.out;
  EXPECT_NE(norm.out.find("--- panel 7 ---"), std::string::npos) << norm.out;
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignals, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) { return "Signal" + std::to_string(info.param); });

// Without a stop condition a list run walks the list pass after pass at growing size.
TEST(StopSignals, ATerminatedListRunLeavesTheListWhole) {
  const std::vector<std::string> knots = TableKnotLines(30);
  TempDir dir;
  const auto list = dir.Write("list.txt", LfText(knots));
  StoppedRun run =
      RunAndSignal(dir.path(), {"norm", "--file", "list.txt", "--save", "none", "--stop", "never"}, SIGTERM);
  EXPECT_EQ(run.exitStatus, 128 + SIGTERM) << run.err;
  EXPECT_TRUE(IsNormListBetweenKnots(ReadWholeFile(list), knots));
}

TEST(RunLimits, EndTheRunWithStatusZeroAndSayWhichLimit) {
  CliResult timed =
      RunCli({"norm", "--knot", "11_401", "--size", "7", "--save", "none", "--time-limit", "1"});
  EXPECT_EQ(timed.exitStatus, 0) << timed.err;
  EXPECT_NE(timed.err.find("the run reached --time-limit"), std::string::npos) << timed.err;

  CliResult counted = RunCli({"norm", "--knot", "3_1", "--save", "none", "--cycles", "2"});
  EXPECT_EQ(counted.exitStatus, 0) << counted.err;
  EXPECT_NE(counted.err.find("the run reached --cycles"), std::string::npos) << counted.err;

  // A run that ends by itself names no limit.
  CliResult whole =
      RunCli({"isotopy", "--knot", "3_1", "--group", "s3", "--save", "none", "--time-limit", "60"});
  EXPECT_EQ(whole.exitStatus, 0) << whole.err;
  EXPECT_EQ(whole.err.find("the run reached"), std::string::npos) << whole.err;
}

}  // namespace
}  // namespace quarvel::testing
