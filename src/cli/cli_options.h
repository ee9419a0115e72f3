#pragma once
// The command line of quarvel-cli: each flag sets the main-window control it stands for, so a run
// goes through the same Start code as the window.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "front/main_window_options.h"

namespace quarvel::cli {

enum class Command { norm, isotopy, show, knots };

// Which pick list `knots` prints.
enum class PickList { knots, examples, mutants };

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

struct CliRequest {
  Command command = Command::norm;
  MainWindowOptions options;
  std::optional<long> cycles;
  std::optional<double> timeLimitSeconds;
  std::optional<long> memoryLimitMib;
  std::string transcriptPath;
  bool dryRun = false;
  PickList pickList = PickList::knots;
  OutputFormat format = OutputFormat::panels;
  GivenInput input;
};

// Throws UsageError naming the flag or value at fault.
CliRequest ParseCommandLine(const std::vector<std::string>& args);

// The usage text printed with a usage error.
std::string UsageText();

}  // namespace quarvel::cli
