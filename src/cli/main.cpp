// quarvel-cli: the headless front end. Exit status 0 when the run ended (also at --time-limit or
// --cycles, which stderr names), 1 when it showed "ERROR:" or its output could not be written, 2
// for a usage error, 128 + N when signal N (SIGINT, SIGTERM, SIGHUP) stopped it.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bounds/genus_norm_bounds.h"
#include "cli/batch_command.h"
#include "cli/cli_options.h"
#include "cli/cli_surface.h"
#include "cli/dry_run.h"
#include "cli/json_events.h"
#include "cli/knots_command.h"
#include "cli/merge_command.h"
#include "front/start.h"
#include "isotopy/isotopy_driver.h"
#include "lists/knot_list_detection.h"
#include "norm/norm_driver.h"
#include "norm/norm_run_start.h"
#include "run/run_event_records.h"
#include "run/run_messages.h"
#include "run/workbench.h"

namespace quarvel::cli {
namespace {

constexpr int kExitRunEnded = 0;
constexpr int kExitRunError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitSignalBase = 128;

int Usage(const std::string& message) {
  std::cerr << "quarvel-cli: " << message << '\n' << UsageText();
  return kExitUsage;
}

// The simplified presentation in the words of the reports' simplification log.
void PrintSimplifiedPresentation(std::ostream& out, const Workbench& wb) {
  const Presentation& p = wb.presentation;
  out << "--- simplified presentation ---\n";
  out << "The program substituted\n";
  for (const std::string& record : wb.simplification.substitutionList)
    out << WordToText(record, false) << '\n';
  out << "So the remaining generators are: ";
  for (int64_t i = 1; i <= p.generatorCount && i <= kMaxGenerators; ++i) {
    if (p.generatorLetters[i] == 0) continue;
    out << (i > 1 ? ", " : "") << GeneratorLetter(p.generatorLetters[i]);
  }
  out << "\nand the relations become\n";
  for (int64_t r = 1; r <= p.relatorCount; ++r) out << WordToText(p.relators[r], false) << '\n';
}

// 1, with a message on stderr, when standard output did not take everything printed; else 0.
int StandardOutputStatus() {
  std::cout.flush();
  if (std::cout) return kExitRunEnded;
  std::cerr << "ERROR: Can not write the standard output\n";
  return kExitRunError;
}

// The exit status once the snapshot is printed, with a line on stderr for what ended the run when
// that was not the run itself. A signal decides first: after SIGHUP stdout may be gone as well.
int ExitStatus(bool failed, const CliSurface& surface, const Workbench& wb) {
  const bool written = StandardOutputStatus() == kExitRunEnded;
  if (StopSignal() != 0) return kExitSignalBase + StopSignal();
  if (failed || !written) return kExitRunError;
  if (surface.TimeLimitReached()) std::cerr << "quarvel-cli: the run reached --time-limit\n";
  if (wb.run.representationLimitReached) std::cerr << "quarvel-cli: the run reached --cycles\n";
  return kExitRunEnded;
}

// The panels' snapshot, unless stdout carries JSON Lines.
void PrintSnapshot(const CliRequest& request, const CliSurface& surface) {
  if (request.format == OutputFormat::panels) std::cout << surface.Snapshot();
}

int RunShow(Workbench& wb, const CliSurface& surface, const CliRequest& request) {
  OpenNormWindow(wb);
  bool goesOn = StartNormRun(wb);
  PrintSnapshot(request, surface);
  if (goesOn && request.format == OutputFormat::panels) PrintSimplifiedPresentation(std::cout, wb);
  wb.events->RunEnded(RunEndRecordOf(wb, "show"));
  return ExitStatus(wb.failure.computationFailed, surface, wb);
}

std::string NormProgress(const Workbench& wb) {
  std::string knot;
  if (wb.run.listMode) {
    knot =
        "size " + std::to_string(wb.run.savedSize) + "  line " + std::to_string(wb.run.listLineNumber) + "  ";
  }
  return knot + "cycle " + std::to_string(wb.run.cycleCounter) + "  degree " +
         std::to_string(wb.current.degreeK) + "  best bound " + TwoDecimals(wb.evaluation.bestBound);
}

int RunNorm(Workbench& wb, CliSurface& surface, const CliRequest& request) {
  wb.run.representationLimit = request.cycles.value_or(-1);
  surface.ShowProgress([&wb] { return NormProgress(wb); });
  RunNormMode(wb);
  surface.EndProgress();
  PrintSnapshot(request, surface);
  return ExitStatus(wb.failure.computationFailed, surface, wb);
}

int RunIsotopyCommand(Workbench& wb, CliSurface& surface, const CliRequest& request) {
  surface.ShowProgress([&wb] {
    std::string knot;
    if (wb.isotopy.listMode) knot = "line " + std::to_string(wb.isotopy.listLineNumber) + "  ";
    return knot + "Checked " + std::to_string(wb.homomorphisms.checkedPercent) +
           "% of all potential homomorphisms";
  });
  RunIsotopy(wb);
  surface.EndProgress();
  PrintSnapshot(request, surface);
  return ExitStatus(wb.failure.computationFailed || wb.failure.polynomialErrorFlag, surface, wb);
}

// A knot list in worker processes or as a shard; the snapshot shows only how the run ended.
int RunBatch(Workbench& wb, CliSurface& surface, const CliRequest& request) {
  if (!PickedFileIsKnotList(wb.settings))
    return Usage("--jobs and --shard take a knot list; '" + wb.settings.inputName + "' is none");
  wb.run.representationLimit = request.cycles.value_or(-1);
  const bool failed = RunBatchList(wb, request);
  PrintSnapshot(request, surface);
  return ExitStatus(failed, surface, wb);
}

// Creates --output-dir's directory when missing; false, with a message on stderr, when it cannot.
bool MakeOutputDirectory(const std::string& directory) {
  if (directory.empty()) return true;
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (std::filesystem::is_directory(directory)) return true;
  std::cerr << "ERROR: Can not create the directory " << directory << (error ? ": " + error.message() : "")
            << '\n';
  return false;
}

int RunCommand(const CliRequest& request, CliSurface& surface) {
  JsonEvents json(std::cout, surface, request.input);
  Workbench wb(surface, request.format == OutputFormat::json ? static_cast<RunEvents&>(json) : NoRunEvents());
  if (!TakeStartSettings(request.options, wb)) return Usage("nothing to compute");
  wb.settings.outputDirectory = request.outputDirectory;
  if (!request.outputDirectory.empty() && !request.outputDirectory.ends_with('/'))
    wb.settings.outputDirectory += '/';
  if (request.memoryLimitMib)
    wb.settings.memoryCeilingBytes = static_cast<size_t>(*request.memoryLimitMib) << 20;
  if (request.dryRun) {
    PrintRunSettings(std::cout, wb);
    return StandardOutputStatus();
  }
  if (!MakeOutputDirectory(request.outputDirectory)) return kExitRunError;
  if (request.Batch()) return RunBatch(wb, surface, request);
  if (request.command == Command::show) {
    if (wb.presentation.braidText.empty() && PickedFileIsKnotList(wb.settings))
      return Usage("show: '" + wb.settings.inputName +
                   "' is a knot list; show one of its knots with --braid");
    return RunShow(wb, surface, request);
  }
  if (request.command == Command::norm) return RunNorm(wb, surface, request);
  return RunIsotopyCommand(wb, surface, request);
}

int CanNotWrite(const std::string& name) {
  std::cerr << "ERROR: Can not write the file " << name << '\n';
  return kExitRunError;
}

int Run(const CliRequest& request) {
  if (request.asked == Asked::help) {
    std::cout << HelpText(request.command);
    return StandardOutputStatus();
  }
  if (request.asked == Asked::version) {
    std::cout << "quarvel-cli " << QUARVEL_VERSION << '\n';
    return StandardOutputStatus();
  }
  if (request.command == Command::knots) {
    if (request.format == OutputFormat::json) {
      PrintPickListJson(std::cout, request.pickList, request.primesUpTo);
    } else {
      PrintPickList(std::cout, request.pickList, request.primesUpTo);
    }
    return StandardOutputStatus();
  }
  if (request.command == Command::merge) return RunMerge(request, std::cout, std::cerr);
  CliSurface surface(request.timeLimitSeconds);
  if (request.transcriptPath.empty()) return RunCommand(request, surface);
  std::ofstream transcript(request.transcriptPath, std::ios::binary | std::ios::trunc);
  if (!transcript) return CanNotWrite(request.transcriptPath);
  surface.RecordTranscript(transcript);
  int status = RunCommand(request, surface);
  transcript.flush();
  return transcript ? status : std::max(status, CanNotWrite(request.transcriptPath));
}

}  // namespace
}  // namespace quarvel::cli

int main(int argc, char** argv) {
  using namespace quarvel::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  CliRequest request;
  try {
    request = ParseCommandLine(args);
  } catch (const UsageError& error) {
    return Usage(error.what());
  }
  CatchStopSignals();
  return Run(request);
}
