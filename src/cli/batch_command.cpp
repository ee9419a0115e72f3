#include "cli/batch_command.h"

#include <sched.h>

#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <sstream>

#include "batch/list_campaign.h"
#include "cli/dry_run.h"
#include "cli/shard_file.h"
#include "lists/isotopy_list.h"
#include "lists/knot_list.h"
#include "run/picked_file.h"
#include "run/run_event_records.h"
#include "run/run_messages.h"

namespace quarvel::cli {
namespace {

constexpr int kErrorX = 330;

std::string ReadText(const std::string& path, bool& read) {
  std::ifstream in(path, std::ios::binary);
  read = static_cast<bool>(in);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ModeName(const RunSettings& s) {
  return s.isotopyMode ? "isotopy" : "norm";
}

// The settings that decide a knot's result, as the dry run prints them: not where the files are,
// nor the report files, which a shard does not write.
std::string SettingsText(const Workbench& wb) {
  std::ostringstream all;
  PrintRunSettings(all, wb);
  std::istringstream lines(all.str());
  std::string text;
  const std::set<std::string> unrelated = {"braidText",       "inputDirectory", "outputDirectory",
                                           "inputName",       "saveMode",       "matrixSaveMode",
                                           "isotopySaveMode", "listMode",       "writeKnotFiles"};
  for (std::string line; std::getline(lines, line);) {
    if (!unrelated.contains(line.substr(0, line.find(' ')))) text += line + "\n";
  }
  return text + "representationLimit = " + std::to_string(wb.run.representationLimit) + "\n";
}

int Cores() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return 1;
}

int64_t KnotLineCount(const KnotList& list) {
  int64_t knots = 0;
  for (const std::string& line : list.lines) knots += IsKnotLine(line);
  return knots;
}

class ListFileOutput : public CampaignOutput {
 public:
  explicit ListFileOutput(std::string path) : path_(std::move(path)) {}
  bool Save(const KnotList& list, FailureState& failure) override {
    return RewriteKnotList(path_, list, failure);
  }

 private:
  std::string path_;
};

// The shard file holds the lines of the shard's knots that differ from the list as the shard read it.
class ShardOutput : public CampaignOutput {
 public:
  ShardOutput(std::string path, ShardHeader header, KnotList original)
      : path_(std::move(path)), original_(std::move(original)) {
    shard_.header = std::move(header);
  }
  void Finished() { shard_.header.finished = true; }
  bool Save(const KnotList& list, FailureState& failure) override {
    shard_.lines.clear();
    for (int64_t n = 1; n <= list.Count(); ++n) {
      if (list.Line(n) != original_.Line(n)) shard_.lines[n] = list.Line(n);
    }
    if (ReplaceFileText(path_, ShardFileText(shard_))) return true;
    Fail(failure, "Cannot write the shard file " + path_);
    return false;
  }

 private:
  std::string path_;
  KnotList original_;
  ShardFile shard_;
};

// A rerun of a shard carries on from the knots its file holds, when the file is of the same run.
void ResumeShard(const std::string& path, const ShardHeader& header, KnotList& list) {
  ShardFile earlier;
  std::string reason;
  if (!ReadShardFile(path, earlier, reason) || !earlier.header.SameRun(header) ||
      earlier.header.shard.index != header.shard.index) {
    return;
  }
  for (const auto& [n, line] : earlier.lines) {
    if (n >= 1 && n <= list.Count() && IsKnotLine(list.Line(n))) list.Line(n) = line;
  }
}

CampaignEnd RunShard(Workbench& wb, const CliRequest& request, KnotList& list, const std::string& listText,
                     ListCampaign& campaign) {
  const std::string listPath = PickedPath(wb.settings);
  const ShardSpec shard = *request.shard;
  const ShardHeader header{shard,
                           ModeName(wb.settings),
                           wb.settings.inputName,
                           ListTextHash(listText),
                           KnotLineCount(list),
                           SettingsText(wb),
                           false};
  const std::string path = ShardFilePath(listPath, shard, wb.settings.outputDirectory);
  ShardOutput output(path, header, list);
  ResumeShard(path, header, list);
  campaign.marksInListOrder = false;
  campaign.owns = [shard](int64_t place) { return place % shard.count == shard.index; };
  // The file is there from the start: a shard with nothing to compute has one too.
  if (!output.Save(list, wb.failure)) return CampaignEnd::failed;
  const CampaignEnd end = RunListCampaign(wb, list, campaign, output);
  if (end != CampaignEnd::done) return end;
  output.Finished();
  return output.Save(list, wb.failure) ? end : CampaignEnd::failed;
}

}  // namespace

bool RunBatchList(Workbench& wb, const CliRequest& request) {
  const RunSettings& s = wb.settings;
  wb.panels.flags = RunFlags{};
  wb.panels.window = s.isotopyMode ? ComputationWindow::isotopy : ComputationWindow::norm;
  wb.panels.surface->ShowWindow(wb.panels.window);
  const std::string listPath = PickedPath(s);
  bool read = false;
  const std::string listText = ReadText(listPath, read);
  KnotList list;
  if (!read) Fail(wb.failure, "Can not open the file " + listPath);
  CampaignEnd end = CampaignEnd::failed;
  if (read && ReadKnotList(listPath, list, wb.failure)) {
    ListCampaign campaign;
    campaign.jobs = static_cast<int>(request.jobs.value_or(1) == 0 ? Cores() : request.jobs.value_or(1));
    if (request.shard) {
      end = RunShard(wb, request, list, listText, campaign);
    } else {
      ListFileOutput output(listPath);
      end = RunListCampaign(wb, list, campaign, output);
    }
  }
  if (end == CampaignEnd::done)
    WriteText(wb.panels, 1, kErrorX, 7, "       Computed all knots in the list        ");
  if (end == CampaignEnd::failed) ShowRunError(wb, kErrorX);
  wb.events->RunEnded(RunEndRecordOf(wb, ModeName(s)));
  return end == CampaignEnd::failed;
}

}  // namespace quarvel::cli
