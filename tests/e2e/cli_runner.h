#pragma once
// Runs quarvel-cli as a user would and takes its output apart: exit status, stdout, stderr and the
// panels of the printed snapshot.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace quarvel::testing {

struct CliResult {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs the CLI inside `dir`, so every file it writes lands there. A run that hangs is killed and
// reported with exit status 124.
inline CliResult RunCliIn(const std::filesystem::path& dir, const std::vector<std::string>& args) {
  TempDir capture;
  std::string command = "cd " + ShellQuote(dir.string()) + " && timeout 60 " + ShellQuote(QUARVEL_CLI);
  for (const std::string& arg : args) command += ' ' + ShellQuote(arg);
  command += " >" + ShellQuote((capture.path() / "out").string()) + " 2>" +
             ShellQuote((capture.path() / "err").string());
  int status = std::system(command.c_str());
  CliResult result;
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadWholeFile(capture.path() / "out");
  result.err = ReadWholeFile(capture.path() / "err");
  return result;
}

// Starts the CLI inside `dir` without waiting for it; its stdout and stderr go to dir/out.txt and
// dir/err.txt.
inline pid_t StartCliIn(const std::filesystem::path& dir, const std::vector<std::string>& args) {
  std::string command = "cd " + ShellQuote(dir.string()) + " && exec " + ShellQuote(QUARVEL_CLI);
  for (const std::string& arg : args) command += ' ' + ShellQuote(arg);
  command += " >out.txt 2>err.txt";
  pid_t pid = fork();
  if (pid == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

// Starts quarvel-cli in `dir` with its output thrown away.
inline pid_t StartCli(const std::filesystem::path& dir, const std::vector<std::string>& args) {
  pid_t pid = fork();
  if (pid == 0) {
    int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
    if (chdir(dir.c_str()) != 0) _exit(127);
    std::vector<char*> argv{const_cast<char*>(QUARVEL_CLI)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(QUARVEL_CLI, argv.data());
    _exit(127);
  }
  return pid;
}

// Sends `signal` to a started run after `delay` and collects it (a run that ended before is just
// collected); returns its wait status.
template <class Duration>
int SignalAfter(pid_t pid, Duration delay, int signal) {
  std::this_thread::sleep_for(delay);
  kill(pid, signal);
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

inline CliResult RunCli(const std::vector<std::string>& args) {
  TempDir dir;
  return RunCliIn(dir.path(), args);
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines the snapshot shows under the heading `heading`.
inline std::vector<std::string> Section(const CliResult& run, const std::string& heading) {
  std::vector<std::string> lines;
  bool inside = false;
  for (const std::string& line : Lines(run.out)) {
    if (line.starts_with("--- ")) {
      inside = line == heading;
    } else if (inside) {
      lines.push_back(line);
    }
  }
  return lines;
}

// The lines the snapshot shows under "--- panel N ---".
inline std::vector<std::string> Panel(const CliResult& run, int panel) {
  return Section(run, "--- panel " + std::to_string(panel) + " ---");
}

// The lines of panel N of the isotopy window (0: its header panel).
inline std::vector<std::string> IsotopyPanel(const CliResult& run, int panel) {
  return Section(
      run, panel == 0 ? "--- isotopy header ---" : "--- isotopy panel " + std::to_string(panel) + " ---");
}

inline ::testing::AssertionResult HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  if (std::find(lines.begin(), lines.end(), wanted) != lines.end()) return ::testing::AssertionSuccess();
  std::string shown;
  for (const std::string& line : lines) shown += "\n  " + line;
  return ::testing::AssertionFailure() << "no line \"" << wanted << "\" among:" << shown;
}

}  // namespace quarvel::testing
