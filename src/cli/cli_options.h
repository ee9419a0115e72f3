#pragma once
// The command line of quarvel-cli: each flag sets the main-window control it stands for, so a run
// goes through the same Start code as the window.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "front/main_window_options.h"

namespace quarvel::cli {

enum class Command { norm, isotopy, show, knots, merge };

// Which pick list `knots` prints.
enum class PickList { knots, examples, mutants, primes };

// What stdout receives: the panels' snapshot, or JSON Lines (json_events.h).
enum class OutputFormat { panels, json };

// The input flag as the user gave it: "braid", "knot" or "file", and its value.
struct GivenInput {
  std::string flag;
  std::string value;
};

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// --shard I/N: the knots at places I, I + N, I + 2N, ... (from 0) of the list's knot lines.
struct ShardSpec {
  long index = 0;
  long count = 1;
};

// What quarvel-cli is asked for: a run, or only its help or version.
enum class Asked { run, help, version };

struct CliRequest {
  Asked asked = Asked::run;
  std::optional<Command> command;  // none for help or version without a command
  MainWindowOptions options;
  std::optional<long> cycles;
  std::optional<double> timeLimitSeconds;
  std::optional<long> memoryLimitMib;
  std::string transcriptPath;
  std::string outputDirectory;  // as given; empty when not
  bool dryRun = false;
  PickList pickList = PickList::knots;
  int primesUpTo = 13;  // --table: the largest crossing number listed
  OutputFormat format = OutputFormat::panels;
  GivenInput input;
  std::optional<long> jobs;         // --jobs N; 0: one per core
  std::optional<ShardSpec> shard;   // --shard I/N
  std::vector<std::string> merged;  // merge: the list, then the shard files

  // Whether the list run goes to worker processes or a shard (--jobs other than 1, --shard).
  bool Batch() const { return (jobs && *jobs != 1) || shard.has_value(); }
};

// Throws UsageError naming the flag or value at fault. --help or -h anywhere, and --version
// first, ask for that text instead of a run; the other arguments are then not checked.
CliRequest ParseCommandLine(const std::vector<std::string>& args);

// The usage text printed with a usage error.
std::string UsageText();

// --help: the usage with the commands, or a command's usage with every flag it takes, from the
// parser's own flag table.
std::string HelpText(std::optional<Command> command);

}  // namespace quarvel::cli
