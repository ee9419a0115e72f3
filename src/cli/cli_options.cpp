#include "cli/cli_options.h"

#include "front/pick_lists.h"
#include "group/diagram_text.h"
#include "group/knot_tables.h"
#include "group/table_knots.h"

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
  kMerge = 16,
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
    case Command::merge:
      return kMerge;
  }
  return 0;
}

// "a|b|c", the values a flag takes.
std::string Choices(std::span<const std::string_view> names) {
  std::string text;
  for (std::string_view name : names) text += (text.empty() ? "" : "|") + std::string(name);
  return text;
}

// The item whose name is `value`; throws naming the flag otherwise.
int ItemOf(const std::string& flag, const std::string& value, std::span<const std::string_view> names) {
  auto found = std::find(names.begin(), names.end(), value);
  if (found == names.end())
    throw UsageError(flag + ": bad value '" + value + "' (expected " + Choices(names) + ")");
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

constexpr long kMostJobs = 1024;

ShardSpec ParseShard(const std::string& value) {
  const size_t slash = value.find('/');
  const std::string bad = "--shard: bad value '" + value + "' (expected I/N with 0 <= I < N)";
  if (slash == std::string::npos) throw UsageError(bad);
  ShardSpec shard;
  try {
    shard = {ParseCount("--shard", value.substr(0, slash)), ParseCount("--shard", value.substr(slash + 1))};
  } catch (const UsageError&) {
    throw UsageError(bad);
  }
  if (shard.count < 1 || shard.index >= shard.count) throw UsageError(bad);
  return shard;
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
constexpr std::array<std::string_view, 3> kPrimeTableSizes = {"11", "12", "13"};

// Values of flags that depend on others, applied once every flag is known.
struct Pending {
  std::optional<std::string> rep;
  std::optional<std::string> size;
  std::optional<std::string> compareFields;
  int inputs = 0;
  bool reportFiles = false;  // --save or --matrix asked for report files
};

void SetPickedFile(MainWindowOptions& options, const std::string& path) {
  if (!std::ifstream(path)) throw UsageError("--file: cannot open '" + path + "'");
  size_t slash = path.find_last_of('/');
  options.pickedDirectory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  options.pickedName = slash == std::string::npos ? path : path.substr(slash + 1);
  if (options.pickedName.empty()) throw UsageError("--file: '" + path + "' names no file");
}

// The braid exactly as picking the knot from the first list that has it puts it into the edit box;
// a knot no pick list holds, or a mirror image, puts its diagram there (group/table_knots.h).
void SetKnot(MainWindowOptions& options, const std::string& name) {
  const std::optional<TableKnotName> knot = ParseTableKnotName(name);
  KnotPositions found = FindKnot(knot && !knot->mirror ? SingleNumberingName(*knot) : name);
  if (knot && knot->mirror) found = {};
  if (found.knotList != 0) {
    knotListSelect(options, found.knotList);
  } else if (found.examplesList != 0) {
    examplesListSelect(options, found.examplesList);
  } else if (found.mutantsList != 0) {
    mutantsListSelect(options, found.mutantsList);
  } else if (std::optional<std::string> diagram = TableKnotDiagram(name)) {
    options.braidEditText = *diagram;
  } else {
    throw UsageError("--knot: no built-in knot is named '" + name +
                     "'; names: " + std::string(kKnotNameSchemes));
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

// A list run in worker processes or a shard writes no report files: which knot's report a file
// would hold would depend on the order the knots finished in.
void NoReportFiles(CliRequest& request, const Pending& pending) {
  if (!request.Batch()) return;
  if (pending.reportFiles)
    throw UsageError(
        "--jobs and --shard write no report files: leave out --save and --matrix, or give --save none");
  if (request.input.flag != "file") throw UsageError("--jobs and --shard take a knot list: --file LIST");
  request.options.savetype = request.options.savetypeIsotopy = 2;
  request.options.savematrixtype = 0;
}

void ApplyPending(CliRequest& request, const Pending& pending) {
  MainWindowOptions& o = request.options;
  if (request.command == Command::knots) return;
  if (pending.inputs != 1)
    throw UsageError(
        "give exactly one input: --braid TEXT, --knot NAME, --pd CODE, --dt CODE or --file PATH");
  NoReportFiles(request, pending);
  if (pending.rep) reptypeChange(o, ItemOf("--rep", *pending.rep, kRepNames));
  if (pending.size) SetSize(o, *pending.size);
  if (pending.compareFields) SetComparedFields(o, *pending.compareFields);
}

using Setter = std::function<void(CliRequest&, Pending&, const std::string&)>;

struct FlagSpec {
  unsigned modes;
  std::string_view value;  // what --help calls its value; empty for a switch
  std::string help;
  Setter set;
};

const std::map<std::string, FlagSpec>& Flags() {
  static const std::map<std::string, FlagSpec> flags = {
      {"--braid",
       {kAll, "TEXT", "the closed braid, e.g. {1,-2,1,-2} (generator i > 0 or its inverse -i)",
        [](CliRequest& r, Pending& p, const std::string& v) {
          if (v.empty()) throw UsageError("--braid: the braid text is empty");
          r.options.braidEditText = v;
          r.input = {"braid", v};
          ++p.inputs;
        }}},
      {"--knot",
       {kAll, "NAME",
        "a knot of the built-in tables: 4_1, 11_401 = 11n_34 = K11n34, 12a_1, 13_9988, m3_1 (mirror), ... "
        "(quarvel-cli knots)",
        [](CliRequest& r, Pending& p, const std::string& v) {
          SetKnot(r.options, v);
          r.input = {"knot", v};
          ++p.inputs;
        }}},
      {"--examples",
       {kKnots, "", "the examples list instead of the knot table",
        [](CliRequest& r, Pending&, const std::string&) { r.pickList = PickList::examples; }}},
      {"--mutants",
       {kKnots, "", "the mutants list instead of the knot table",
        [](CliRequest& r, Pending&, const std::string&) { r.pickList = PickList::mutants; }}},
      {"--table",
       {kKnots, "N", "a knot list of every prime knot up to N crossings: 11, 12 or 13",
        [](CliRequest& r, Pending&, const std::string& v) {
          r.primesUpTo = 11 + ItemOf("--table", v, kPrimeTableSizes);
          r.pickList = PickList::primes;
        }}},
      {"--pd",
       {kAll, "CODE", "a knot or link as a PD code: [[1,5,2,4],[3,1,4,6],[5,3,6,2]] or PD[X[1,5,2,4],...]",
        [](CliRequest& r, Pending& p, const std::string& v) {
          if (v.empty()) throw UsageError("--pd: the PD code is empty");
          r.options.braidEditText = FormOfDiagramText(v) == DiagramForm::pd ? v : "PD" + v;
          r.input = {"pd", v};
          ++p.inputs;
        }}},
      {"--dt",
       {kAll, "CODE", "a knot as a DT code: \"4 6 2\", [4,6,2] or DT[4,6,2]",
        [](CliRequest& r, Pending& p, const std::string& v) {
          if (v.empty()) throw UsageError("--dt: the DT code is empty");
          const bool tagged = FormOfDiagramText(v) == DiagramForm::dt;
          const bool bracketed = v.starts_with('[') || v.starts_with('(');
          r.options.braidEditText = tagged ? v : (bracketed ? "DT" + v : "DT[" + v + "]");
          r.input = {"dt", v};
          ++p.inputs;
        }}},
      {"--file",
       {kAll, "PATH", "a presentation file, a file holding a braid, or a knot list",
        [](CliRequest& r, Pending& p, const std::string& v) {
          SetPickedFile(r.options, v);
          r.input = {"file", v};
          ++p.inputs;
        }}},
      {"--field",
       {kRunModes, "P", "the field F_P: " + Choices(kFieldNames) + " (13)",
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.fieldtype = r.options.fieldtypeIsotopy = ItemOf("--field", v, kFieldNames);
        }}},
      {"--group-type",
       {kAll, "T", Choices(kGroupTypes) + " (knot; a braid decides for itself)",
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.typegroup = ItemOf("--group-type", v, kGroupTypes);
        }}},
      {"--zero-surgery",
       {kAll, "", "compute for the 0-surgery along the closed braid",
        [](CliRequest& r, Pending&, const std::string&) { r.options.closedbox = 1; }}},
      {"--simplify",
       {kAll, "E", Choices(kIsotopyEfforts) + ", or none outside isotopy (low; isotopy: medium)",
        [](CliRequest& r, Pending&, const std::string& v) {
          if (r.command == Command::isotopy) {
            r.options.fastboxIsotopy = ItemOf("--simplify", v, kIsotopyEfforts);
          } else {
            r.options.fastbox = ItemOf("--simplify", v, kNormEfforts);
          }
        }}},
      {"--save",
       {kRunModes, "S", "the report files: " + Choices(kSaveNames) + " (latex)",
        [](CliRequest& r, Pending& p, const std::string& v) {
          r.options.savetype = r.options.savetypeIsotopy = ItemOf("--save", v, kSaveNames);
          p.reportFiles = v != "none";
        }}},
      {"--rep",
       {kNorm, "KIND", "the representations: " + Choices(kRepNames) + " (sk-v)",
        [](CliRequest&, Pending& p, const std::string& v) { p.rep = v; }}},
      {"--size",
       {kNorm, "K", "the size: 3..10, sk-regular 3..7, metabelian 2..25 (the first)",
        [](CliRequest&, Pending& p, const std::string& v) { p.size = v; }}},
      {"--compare-fields",
       {kNorm, "LIST", "compare degrees over these primes among 2..29: 2,3,5,... or all",
        [](CliRequest&, Pending& p, const std::string& v) { p.compareFields = v; }}},
      {"--image-size",
       {kNorm, "", "determine the order of the image in S_k and its number of generators",
        [](CliRequest& r, Pending&, const std::string&) { r.options.imagesizebox = 0; }}},
      {"--stop",
       {kNorm, "WHEN", "the stop condition: " + Choices(kStopNames) + " (never)",
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.endbox = ItemOf("--stop", v, kStopNames);
        }}},
      {"--matrix",
       {kNorm, "M", "write the reduced matrix: " + Choices(kMatrixNames) + " (none)",
        [](CliRequest& r, Pending& p, const std::string& v) {
          r.options.savematrixtype = ItemOf("--matrix", v, kMatrixNames);
          p.reportFiles |= v != "none";
        }}},
      {"--group",
       {kIsotopy, "G",
        "the group: " + Choices(kIsotopyGroupNames) + " (s5; s1: the Alexander polynomial only)",
        [](CliRequest& r, Pending&, const std::string& v) {
          r.options.reptypeIsotopy = ItemOf("--group", v, kIsotopyGroupNames);
        }}},
      {"--all-homomorphisms",
       {kIsotopy, "", "the abelian homomorphisms too",
        [](CliRequest& r, Pending&, const std::string&) { r.options.nonabelian = 0; }}},
      {"--torsion",
       {kIsotopy, "", "each class's torsion polynomial (the order of the torsion part)",
        [](CliRequest& r, Pending&, const std::string&) { r.options.torsion = 1; }}},
      {"--cycles",
       {kNorm, "N", "stop after N representations",
        [](CliRequest& r, Pending&, const std::string& v) { r.cycles = ParseCount("--cycles", v); }}},
      {"--time-limit",
       {kRunModes, "SECONDS", "end the run after this much wall time, as Ctrl-C does",
        [](CliRequest& r, Pending&, const std::string& v) {
          r.timeLimitSeconds = ParseSeconds("--time-limit", v);
        }}},
      {"--memory-limit",
       {kRunModes, "MIB", "the memory the polynomial matrix and the stores may hold (half the machine's)",
        [](CliRequest& r, Pending&, const std::string& v) {
          r.memoryLimitMib = ParseCount("--memory-limit", v);
          if (*r.memoryLimitMib == 0 || *r.memoryLimitMib > (long{1} << 40))
            throw UsageError("--memory-limit: bad value '" + v + "' (expected MiB from 1 to 2^40)");
        }}},
      {"--transcript",
       {kAll, "FILE", "record every drawing call of the run in FILE",
        [](CliRequest& r, Pending&, const std::string& v) {
          if (v.empty()) throw UsageError("--transcript: the file name is empty");
          r.transcriptPath = v;
        }}},
      {"--format",
       {kAll | kKnots, "F",
        "the output on stdout: " + Choices(kFormatNames) + " (panels; json: JSON Lines, docs/json.md)",
        [](CliRequest& r, Pending&, const std::string& v) {
          r.format = static_cast<OutputFormat>(ItemOf("--format", v, kFormatNames));
        }}},
      {"--output-dir",
       {kAll, "DIR", "write the report, matrix, GAP and knot files in DIR (created when missing)",
        [](CliRequest& r, Pending&, const std::string& v) {
          if (v.empty()) throw UsageError("--output-dir: the directory name is empty");
          r.outputDirectory = v;
        }}},
      // Parallel and distributed list runs (docs/cluster.md).
      {"--jobs",
       {kRunModes, "N", "compute a knot list in N worker processes (0: one per core; 1)",
        [](CliRequest& r, Pending&, const std::string& v) {
          r.jobs = ParseCount("--jobs", v);
          if (*r.jobs > kMostJobs) throw UsageError("--jobs: bad value '" + v + "' (expected 0 to 1024)");
        }}},
      {"--shard",
       {kRunModes, "I/N", "compute shard I (0..N-1) of a knot list into LIST.shard-I-of-N.jsonl",
        [](CliRequest& r, Pending&, const std::string& v) { r.shard = ParseShard(v); }}},
      {"--dry-run",
       {kRunModes, "", "print every setting the run would use, as name = value, and exit",
        [](CliRequest& r, Pending&, const std::string&) { r.dryRun = true; }}},
  };
  return flags;
}

constexpr std::array<std::string_view, 5> kCommandNames = {"norm", "isotopy", "show", "knots", "merge"};
constexpr std::array<std::string_view, 5> kCommandPurposes = {
    "fibration obstructions and norm bounds", "isotopy invariants",
    "the presentation as built or read, and as simplified", "the built-in pick lists",
    "the shard files of a knot list into the list"};

Command ParseCommand(const std::string& word) {
  for (size_t i = 0; i < kCommandNames.size(); ++i) {
    if (word == kCommandNames[i]) return static_cast<Command>(i);
  }
  throw UsageError("unknown command '" + word + "' (expected norm, isotopy, show, knots or merge)");
}

bool AsksForHelp(const std::string& arg) {
  return arg == "--help" || arg == "-h";
}

// The value of `flag` at args[i], taken from `--flag=value` or the next argument.
std::string FlagValue(const std::vector<std::string>& args, size_t& i, const std::string& flag,
                      const std::optional<std::string>& inlineValue) {
  if (inlineValue) return *inlineValue;
  if (i + 1 < args.size()) return args[++i];
  throw UsageError(flag + ": a value is needed");
}

void ParseFlags(const std::vector<std::string>& args, CliRequest& request, Pending& pending) {
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
    if ((spec.modes & ModeBit(*request.command)) == 0) {
      throw UsageError(flag + ": not a flag of '" + args[0] + "'");
    }
    if (spec.value.empty() && inlineValue) throw UsageError(flag + ": takes no value");
    spec.set(request, pending, spec.value.empty() ? "" : FlagValue(args, i, flag, inlineValue));
  }
}

// `left` and then `right` from column `column` (at least two blanks apart).
std::string HelpLine(const std::string& left, std::string_view right, size_t column) {
  return left + std::string(std::max<size_t>(2, column - std::min(column, left.size())), ' ') +
         std::string(right) + '\n';
}

std::string CommandUsage(Command command) {
  const size_t i = static_cast<size_t>(command);
  std::string usage = "quarvel-cli " + std::string(kCommandNames[i]);
  if (command == Command::merge) return usage + " LIST SHARD...";
  usage += command == Command::knots ? " [--examples | --mutants | --table N]" : " INPUT [OPTIONS]";
  return usage;
}

}  // namespace

CliRequest ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("a command is needed");
  CliRequest request;
  if (AsksForHelp(args[0]) || args[0] == "--version") {
    request.asked = args[0] == "--version" ? Asked::version : Asked::help;
    return request;
  }
  request.command = ParseCommand(args[0]);
  if (std::any_of(args.begin() + 1, args.end(), AsksForHelp)) {
    request.asked = Asked::help;
    return request;
  }
  if (request.command == Command::merge) {
    request.merged.assign(args.begin() + 1, args.end());
    if (request.merged.size() < 2) throw UsageError("merge: give the list and its shard files");
    return request;
  }
  request.options = DefaultMainWindowOptions();
  request.options.isotopyMode = request.command == Command::isotopy;
  Pending pending;
  ParseFlags(args, request, pending);
  ApplyPending(request, pending);
  return request;
}

std::string UsageText() {
  std::string text;
  for (size_t i = 0; i < kCommandNames.size(); ++i) {
    text += HelpLine((i == 0 ? "usage: " : "       ") + CommandUsage(static_cast<Command>(i)),
                     kCommandPurposes[i], 52);
  }
  return text +
         "INPUT: --braid TEXT | --knot NAME | --pd CODE | --dt CODE | --file PATH\n"
         "quarvel-cli COMMAND --help lists the options of a command; quarvel-cli --version prints the "
         "version.\n";
}

std::string HelpText(std::optional<Command> command) {
  if (!command) return UsageText();
  const size_t c = static_cast<size_t>(*command);
  std::string text = "usage: " + CommandUsage(*command) + "\n" + std::string(kCommandPurposes[c]) + "\n\n";
  // The inputs first, then the options in alphabetical order.
  std::vector<std::string> names = {"--braid", "--knot", "--pd", "--dt", "--file"};
  for (const auto& [name, spec] : Flags()) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  for (const std::string& name : names) {
    const FlagSpec& spec = Flags().at(name);
    if ((spec.modes & ModeBit(*command)) == 0) continue;
    text += HelpLine("  " + name + (spec.value.empty() ? "" : " " + std::string(spec.value)), spec.help, 24);
  }
  text += HelpLine("  -h, --help", "this text", 24);
  if (*command == Command::merge) {
    text +=
        "Writes the results of the shard files (--shard I/N runs of the list, every I from 0 to N-1\n"
        "once) into the list, as a run over the whole list writes them.\n";
  } else if (*command != Command::knots) {
    text += "Exactly one input: --braid, --knot, --pd, --dt or --file.\n";
  }
  return text;
}

}  // namespace quarvel::cli
