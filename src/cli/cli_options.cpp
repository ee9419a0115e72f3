#include "cli/cli_options.h"

#include "front/pick_lists.h"
#include "group/knot_tables.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <functional>
#include <map>
#include <span>

namespace quarvel::cli {
namespace {

enum Modes : unsigned {
  kNorm = 1,
  kIsotopy = 2,
  kShow = 4,
  kKnots = 8,
  kRunModes = kNorm | kIsotopy,
  kAll = 7
};

unsigned ModeBit(Command command) {
  switch (command) {
    case Command::norm:
      return kNorm;
    case Command::isotopy:
      return kIsotopy;
    case Command::show:
      return kShow;
    case Command::knots:
      return kKnots;
  }
  return 0;
}

// The item whose name is `value`; throws naming the flag otherwise.
int ItemOf(const std::string& flag, const std::string& value, std::span<const std::string_view> names) {
  auto found = std::find(names.begin(), names.end(), value);
  if (found == names.end()) {
    std::string choices;
    for (std::string_view name : names) choices += (choices.empty() ? "" : "|") + std::string(name);
    throw UsageError(flag + ": bad value '" + value + "' (expected " + choices + ")");
  }
  return static_cast<int>(found - names.begin());
}

long ParseCount(const std::string& flag, const std::string& value) {
  long n = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (error != std::errc() || end != value.data() + value.size() || n < 0) {
    throw UsageError(flag + ": bad value '" + value + "' (expected a whole number)");
  }
  return n;
}

double ParseSeconds(const std::string& flag, const std::string& value) {
  double seconds = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
  if (error != std::errc() || end != value.data() + value.size() || !(seconds > 0)) {
    throw UsageError(flag + ": bad value '" + value + "' (expected seconds above 0)");
  }
  return seconds;
}

constexpr std::array<std::string_view, 8> kFieldNames = {"2", "3", "5", "7", "11", "13", "17", "53"};
constexpr std::array<std::string_view, 10> kComparableFields = {"2",  "3",  "5",  "7",  "11",
                                                                "13", "17", "19", "23", "29"};
constexpr std::array<std::string_view, 4> kGroupTypes = {"knot", "link", "boundary", "closed"};
constexpr std::array<std::string_view, 5> kNormEfforts = {"none", "low", "medium", "high", "very-high"};
constexpr std::array<std::string_view, 4> kIsotopyEfforts = {"low", "medium", "high", "very-high"};
constexpr std::array<std::string_view, 3> kSaveNames = {"results", "latex", "none"};
constexpr std::array<std::string_view, 7> kRepNames = {"sk-v",    "ak-v",       "sk-z",      "ak-z",
                                                       "abelian", "sk-regular", "metabelian"};
constexpr std::array<std::string_view, 5> kStopNames = {"never", "first", "not-fibered", "improved",
                                                        "vanishes"};
constexpr std::array<std::string_view, 3> kMatrixNames = {"none", "matrix", "gap"};
constexpr std::array<std::string_view, 2> kFormatNames = {"panels", "json"};

// Values of flags that depend on others, applied once every flag is known.
struct Pending {
  std::optional<std::string> rep;
  std::optional<std::string> size;
  std::optional<std::string> compareFields;
  int inputs = 0;
};

void SetPickedFile(MainWindowOptions& options, const std::string& path) {
  if (!std::ifstream(path)) throw UsageError("--file: cannot open '" + path + "'");
  size_t slash = path.find_last_of('/');
  options.pickedDirectory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  options.pickedName = slash == std::string::npos ? path : path.substr(slash + 1);
  if (options.pickedName.empty()) throw UsageError("--file: '" + path + "' names no file");
}

// The braid exactly as picking the knot from the first list that has it puts it into the edit box.
void SetKnot(MainWindowOptions& options, const std::string& name) {
  KnotPositions found = FindKnot(name);
  if (found.knotList != 0) {
    knotListSelect(options, found.knotList);
  } else if (found.examplesList != 0) {
    examplesListSelect(options, found.examplesList);
  } else if (found.mutantsList != 0) {
    mutantsListSelect(options, found.mutantsList);
  } else {
    throw UsageError("--knot: no built-in knot is named '" + name + "'");
  }
}

void SetComparedFields(MainWindowOptions& options, const std::string& list) {
  if (list != "all") {
    for (size_t start = 0; start <= list.size();) {
      size_t comma = std::min(list.find(',', start), list.size());
      int field = ItemOf("--compare-fields", list.substr(start, comma - start), kComparableFields) + 1;
      options.fieldChecked[field] = true;
      start = comma + 1;
    }
  }
  fiberedboxChange(options, 1);
}

void SetSize(MainWindowOptions& options, const std::string& value) {
  if (!options.sizeListVisible) throw UsageError("--size: the chosen --rep has no size");
  std::vector<std::string_view> entries(options.sizeEntries.begin(), options.sizeEntries.end());
  options.sizebox = ItemOf("--size", value, entries);
}

void ApplyPending(CliRequest& request, const Pending& pending) {
  MainWindowOptions& o = request.options;
  if (request.command == Command::knots) return;
  if (pending.inputs != 1)
    throw UsageError("give exactly one input: --braid TEXT, --knot NAME or --file PATH");
  if (pending.rep) reptypeChange(o, ItemOf("--rep", *pending.rep, kRepNames));
  if (pending.size) SetSize(o, *pending.size);
  if (pending.compareFields) SetComparedFields(o, *pending.compareFields);
}

using Setter = std::function<void(CliRequest&, Pending&, const std::string&)>;

struct FlagSpec {
  unsigned modes;
  bool takesValue;
  Setter set;
};

const std::map<std::string, FlagSpec>& Flags() {
  static const std::map<std::string, FlagSpec> flags = {
      {"--braid",
       {kAll, true,
        [](CliRequest& r, Pending& p, const std::string& v) {
          if (v.empty()) throw UsageError("--braid: the braid text is empty");
          r.options.braidEditText = v;
          r.input = {"braid", v};
          ++p.inputs;
        }}},
      {"--knot",
       {kAll, true,
        [](CliRequest& r, Pending& p, const std::string& v) {
          SetKnot(r.options, v);
          r.input = {"knot", v};
          ++p.inputs;
        }}},
      {"--examples",
       {kKnots, false, [](CliRequest& r, Pending&, const std::string&) { r.pickList = PickList::examples; }}},
      {"--mutants",
       {kKnots, false, [](CliRequest& r, Pending&, const std::string&) { r.pickList = PickList::mutants; }}},
      {"--file",
       {kAll, true,
        [](CliRequest& r, Pending& p, const std::string& v) {
          SetPickedFile(r.options, v);
          r.input = {"file", v};
          ++p.inputs;
        }}},
      {"--field",
       {kRunModes, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.fieldtype = r.options.fieldtypeIsotopy = ItemOf("--field", v, kFieldNames);
        }}},
      {"--group-type",
       {kAll, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.typegroup = ItemOf("--group-type", v, kGroupTypes);
        }}},
      {"--zero-surgery",
       {kAll, false, [](CliRequest& r, Pending&, const std::string&) { r.options.closedbox = 1; }}},
      {"--simplify",
       {kAll, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          if (r.command == Command::isotopy) {
            r.options.fastboxIsotopy = ItemOf("--simplify", v, kIsotopyEfforts);
          } else {
            r.options.fastbox = ItemOf("--simplify", v, kNormEfforts);
          }
        }}},
      {"--save",
       {kRunModes, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.savetype = r.options.savetypeIsotopy = ItemOf("--save", v, kSaveNames);
        }}},
      {"--rep", {kNorm, true, [](CliRequest&, Pending& p, const std::string& v) { p.rep = v; }}},
      {"--size", {kNorm, true, [](CliRequest&, Pending& p, const std::string& v) { p.size = v; }}},
      {"--compare-fields",
       {kNorm, true, [](CliRequest&, Pending& p, const std::string& v) { p.compareFields = v; }}},
      {"--image-size",
       {kNorm, false, [](CliRequest& r, Pending&, const std::string&) { r.options.imagesizebox = 0; }}},
      {"--stop",
       {kNorm, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.endbox = ItemOf("--stop", v, kStopNames);
        }}},
      {"--matrix",
       {kNorm, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.savematrixtype = ItemOf("--matrix", v, kMatrixNames);
        }}},
      {"--group",
       {kIsotopy, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.reptypeIsotopy = ItemOf("--group", v, kIsotopyGroupNames);
        }}},
      {"--all-homomorphisms",
       {kIsotopy, false, [](CliRequest& r, Pending&, const std::string&) { r.options.nonabelian = 0; }}},
      {"--torsion",
       {kIsotopy, false, [](CliRequest& r, Pending&, const std::string&) { r.options.torsion = 1; }}},
      {"--cycles",
       {kNorm, true,
        [](CliRequest& r, Pending&, const std::string& v) { r.cycles = ParseCount("--cycles", v); }}},
      {"--time-limit",
       {kRunModes, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          r.timeLimitSeconds = ParseSeconds("--time-limit", v);
        }}},
      {"--memory-limit",
       {kRunModes, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          r.memoryLimitMib = ParseCount("--memory-limit", v);
          if (*r.memoryLimitMib == 0 || *r.memoryLimitMib > (long{1} << 40))
            throw UsageError("--memory-limit: bad value '" + v + "' (expected MiB from 1 to 2^40)");
        }}},
      {"--transcript",
       {kAll, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          if (v.empty()) throw UsageError("--transcript: the file name is empty");
          r.transcriptPath = v;
        }}},
      {"--format",
       {kAll | kKnots, true,
        [](CliRequest& r, Pending&, const std::string& v) {
          r.format = static_cast<OutputFormat>(ItemOf("--format", v, kFormatNames));
        }}},
      {"--dry-run", {kRunModes, false, [](CliRequest& r, Pending&, const std::string&) { r.dryRun = true; }}},
  };
  return flags;
}

Command ParseCommand(const std::string& word) {
  if (word == "norm") return Command::norm;
  if (word == "isotopy") return Command::isotopy;
  if (word == "show") return Command::show;
  if (word == "knots") return Command::knots;
  throw UsageError("unknown command '" + word + "' (expected norm, isotopy, show or knots)");
}

}  // namespace

CliRequest ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("a command is needed");
  CliRequest request;
  request.command = ParseCommand(args[0]);
  request.options = DefaultMainWindowOptions();
  request.options.isotopyMode = request.command == Command::isotopy;
  Pending pending;
  for (size_t i = 1; i < args.size(); ++i) {
    std::string flag = args[i];
    std::optional<std::string> inlineValue;
    if (size_t equals = flag.find('='); flag.starts_with("--") && equals != std::string::npos) {
      inlineValue = flag.substr(equals + 1);
      flag.resize(equals);
    }
    auto found = Flags().find(flag);
    if (found == Flags().end()) throw UsageError("unknown flag '" + flag + "'");
    const FlagSpec& spec = found->second;
    if ((spec.modes & ModeBit(request.command)) == 0) {
      throw UsageError(flag + ": not a flag of '" + args[0] + "'");
    }
    std::string value;
    if (spec.takesValue) {
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        throw UsageError(flag + ": a value is needed");
      }
    } else if (inlineValue) {
      throw UsageError(flag + ": takes no value");
    }
    spec.set(request, pending, value);
  }
  ApplyPending(request, pending);
  return request;
}

std::string UsageText() {
  return "usage: quarvel-cli norm    INPUT [OPTIONS]   fibration obstructions and norm bounds\n"
         "       quarvel-cli isotopy INPUT [OPTIONS]   isotopy invariants\n"
         "       quarvel-cli show    INPUT [OPTIONS]   the presentation as built or read, and as simplified\n"
         "       quarvel-cli knots   [--examples | --mutants]   the built-in pick lists\n"
         "INPUT: --braid TEXT | --knot NAME | --file PATH\n"
         "See README.md for every option.\n";
}

}  // namespace quarvel::cli
