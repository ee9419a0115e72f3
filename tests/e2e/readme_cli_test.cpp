// The README's quarvel-cli section against the program: every `$ quarvel-cli ...` example prints
// what the README shows, and the flags the section names are the flags the commands' --help lists.

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "e2e/cli_runner.h"

namespace quarvel::testing {
namespace {

struct Example {
  std::string command;  // after "$ "
  std::string output;
};

std::string ReadmeCliSection() {
  const std::string readme = ReadWholeFile(std::filesystem::path(QUARVEL_SOURCE_DIR) / "README.md");
  const size_t start = readme.find("\n## quarvel-cli\n");
  const size_t end = readme.find("\n## ", start + 1);
  return readme.substr(start, end - start);
}

// The "$ " lines of the section's code blocks, each with the lines after it up to the next "$ "
// line or the end of its block.
std::vector<Example> Examples(const std::string& section) {
  std::vector<Example> examples;
  std::istringstream lines(section);
  bool inBlock = false;
  Example* current = nullptr;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("```")) {
      inBlock = !inBlock;
      current = nullptr;
    } else if (inBlock && line.starts_with("$ ")) {
      current = &examples.emplace_back(Example{line.substr(2), ""});
    } else if (current != nullptr && !line.empty()) {
      current->output += line + '\n';
    }
  }
  return examples;
}

// Runs a README command line in the shell with this build's quarvel-cli first on PATH.
std::string RunShell(const std::string& command) {
  TempDir dir;
  const std::string bin = std::filesystem::path(QUARVEL_CLI).parent_path().string();
  const std::string line = "cd " + ShellQuote(dir.path().string()) + " && PATH=" + ShellQuote(bin) +
                           ":\"$PATH\" sh -c " + ShellQuote(command) + " 2>/dev/null > out.txt";
  std::system(line.c_str());
  std::string out = ReadWholeFile(dir.path() / "out.txt");
  // The README leaves out blank lines inside an example's output.
  return std::regex_replace(out, std::regex("\n\n+"), "\n");
}

std::set<std::string> FlagsIn(const std::string& text) {
  std::set<std::string> flags;
  const std::regex flag("--[a-z][a-z-]*[a-z]");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), flag); it != std::sregex_iterator(); ++it)
    flags.insert(it->str());
  return flags;
}

TEST(ReadmeCli, EveryExamplePrintsWhatTheReadmeShows) {
  const std::vector<Example> examples = Examples(ReadmeCliSection());
  ASSERT_GE(examples.size(), 5u);
  for (const Example& example : examples)
    EXPECT_EQ(RunShell(example.command), example.output) << example.command;
}

TEST(ReadmeCli, TheSectionNamesExactlyTheFlagsOfTheCommandsHelp) {
  std::set<std::string> helped = {"--help", "--version"};
  for (const char* command : {"norm", "isotopy", "show", "knots"}) {
    const CliResult help = RunCliIn(std::filesystem::temp_directory_path(), {command, "--help"});
    ASSERT_EQ(help.exitStatus, 0) << command;
    const std::set<std::string> flags = FlagsIn(help.out);
    helped.insert(flags.begin(), flags.end());
  }
  EXPECT_EQ(FlagsIn(ReadmeCliSection()), helped);
}

}  // namespace
}  // namespace quarvel::testing
