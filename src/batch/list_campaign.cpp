#include "batch/list_campaign.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <queue>
#include <utility>
#include <vector>

#include "batch/worker_pool.h"
#include "lists/isotopy_list.h"
#include "lists/list_progress.h"
#include "lists/norm_list.h"

namespace quarvel {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWaitMilliseconds = 100;
constexpr std::string_view kToldApartNot = ", not told apart from an earlier knot";

// A folder of the run's own for the workers' one-knot lists, removed with the run.
class WorkFolder {
 public:
  WorkFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quarvel-workers.XXXXXX";
    if (::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~WorkFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The size of the norm mode's first pass.
int64_t FirstPass(const RunSettings& s) {
  return s.degreeK == 0 ? 3 : s.degreeK;
}

bool NotComputed(const std::string& line) {
  return ListLineResults(line).find(kNotComputed) != std::string::npos;
}

class Campaign {
 public:
  Campaign(Workbench& wb, KnotList& list, const ListCampaign& campaign, CampaignOutput& output)
      : wb_(wb), list_(list), campaign_(campaign), output_(output) {}

  CampaignEnd Run(WorkerPool& pool) {
    QueueKnots();
    while (true) {
      PumpMessages(wb_.panels);
      if (wb_.panels.flags.stopRequested) return CampaignEnd::stopped;
      while (pool.AnyIdle() && !ready_.empty()) {
        const auto [size, line] = ready_.top();
        ready_.pop();
        started_[line] = Clock::now();
        pool.Give({line, size, list_.Line(line)});
      }
      if (!pool.AnyBusy()) return CampaignEnd::done;
      const WorkerNews news = pool.Wait(kWaitMilliseconds);
      if (!news.lost.empty()) return WorkerLost(news.lost.front());
      bool changed = false;
      for (const KnotTaskResult& result : news.results) {
        if (!result.done) {
          Fail(wb_.failure, result.error);
          return CampaignEnd::failed;
        }
        changed |= Take(result);
      }
      if (changed && !output_.Save(list_, wb_.failure)) return CampaignEnd::failed;
    }
  }

 private:
  bool Isotopy() const { return wb_.settings.isotopyMode; }

  void QueueKnots() {
    int64_t place = 0;
    for (int64_t n = 1; n <= list_.Count(); ++n) {
      if (!IsKnotLine(list_.Line(n))) continue;
      place_[n] = ++place;
      if (campaign_.owns && !campaign_.owns(place - 1)) continue;
      const std::string& line = list_.Line(n);
      if (Isotopy() && IsotopyKnotPending(line)) {
        ready_.push({0, n});
        order_.push_back(n);
      }
      if (!Isotopy()) {
        if (int64_t size = NormPassTaking(line, FirstPass(wb_.settings), wb_.settings.stopCondition)) {
          ready_.push({size, n});
        }
      }
    }
    knots_ = place;
  }

  void Report(int64_t line, const std::string& name, const std::string& summary) {
    ListProgress progress;
    progress.knot = place_[line];
    progress.knots = knots_;
    progress.name = name;
    progress.started = started_[line];
    ReportFinishedListKnot(wb_, progress, summary);
  }

  // Puts a finished knot in; true when the list changed.
  bool Take(const KnotTaskResult& result) {
    if (!Isotopy()) {
      const std::string name(ListLineName(list_.Line(result.lineNumber)));
      list_.Line(result.lineNumber) = result.line;
      Report(result.lineNumber, name, result.summary);
      const int64_t next = NormPassTaking(result.line, result.size + 1, wb_.settings.stopCondition);
      if (next > 0) ready_.push({next, result.lineNumber});
      return true;
    }
    arrived_[result.lineNumber] = result;
    bool changed = false;
    while (applied_ < order_.size()) {
      const auto next = arrived_.find(order_[applied_]);
      if (next == arrived_.end()) break;
      PutIsotopyLine(next->second);
      arrived_.erase(next);
      ++applied_;
      changed = true;
    }
    return changed;
  }

  void PutIsotopyLine(const KnotTaskResult& result) {
    const int64_t n = result.lineNumber;
    const std::string name(ListLineName(list_.Line(n)));
    bool repeat = false;
    if (campaign_.marksInListOrder && !NotComputed(result.line)) {
      repeat = ApplyIsotopyResult(list_, n, result.line);
    } else {
      list_.Line(n) = result.line;
    }
    Report(n, name, result.summary + (repeat ? std::string(kToldApartNot) : std::string()));
  }

  CampaignEnd WorkerLost(const LostWorker& lost) {
    // Ctrl-C or a hang-up may reach the workers' terminal before the run sees its own signal.
    PumpMessages(wb_.panels);
    if (wb_.panels.flags.stopRequested) return CampaignEnd::stopped;
    const std::string how = lost.signal != 0 ? "by signal " + std::to_string(lost.signal)
                                             : "with status " + std::to_string(lost.exitStatus);
    Fail(wb_.failure, "The worker process computing line " + std::to_string(lost.task.lineNumber) + " (" +
                          std::string(ListLineName(lost.task.line)) + ") ended " + how);
    return CampaignEnd::failed;
  }

  Workbench& wb_;
  KnotList& list_;
  const ListCampaign& campaign_;
  CampaignOutput& output_;
  std::map<int64_t, int64_t> place_;  // line number -> place among the knot lines, from 1
  int64_t knots_ = 0;
  // (size, line number), smallest first: the passes in order, and list order within a pass.
  std::priority_queue<std::pair<int64_t, int64_t>, std::vector<std::pair<int64_t, int64_t>>, std::greater<>>
      ready_;
  std::map<int64_t, Clock::time_point> started_;
  std::vector<int64_t> order_;  // the isotopy knots in list order
  size_t applied_ = 0;
  std::map<int64_t, KnotTaskResult> arrived_;
};

}  // namespace

CampaignEnd RunListCampaign(Workbench& wb, KnotList& list, const ListCampaign& campaign,
                            CampaignOutput& output) {
  WorkFolder folder;
  if (folder.Path().empty()) {
    Fail(wb.failure, "Cannot create a folder for the worker processes");
    return CampaignEnd::failed;
  }
  const KnotTaskSettings settings{wb.settings, wb.run.representationLimit};
  const std::string& base = folder.Path();
  WorkerPool pool(campaign.jobs, [&settings, &base](const KnotTask& task) {
    const std::string own = base + "/" + std::to_string(::getpid());
    ::mkdir(own.c_str(), 0700);
    return ComputeKnotTask(settings, task, own);
  });
  if (!pool.Ready()) {
    Fail(wb.failure, "Cannot start the worker processes");
    return CampaignEnd::failed;
  }
  return Campaign(wb, list, campaign, output).Run(pool);
}

}  // namespace quarvel
