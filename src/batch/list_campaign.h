#pragma once
// A list run whose knots are computed by worker processes (batch/worker_pool.h), with the same
// result as a serial run of the list: each knot is computed once per pass as a serial run computes
// it (batch/knot_task.h), and its line goes into the list in memory as a serial run puts it there.
//
// The isotopy mode puts the lines in list order, each once the knots before it are in, so that
// the "Repeated! " marks and the closing section are set exactly as a serial run sets them, and
// the list on the disk is at every moment a list a serial run could have left. The norm mode's
// lines concern only their own knot: each goes in as it comes, and its next pass is queued at once;
// the workers take the smallest pending size first and, within it, list order, as the serial run's
// passes do. A run stopped by a signal or its time limit drops the knots in progress, as a serial
// run drops its current knot; a rerun computes them.

#include <cstdint>
#include <functional>

#include "base/failure.h"
#include "lists/knot_list.h"
#include "run/workbench.h"

namespace quarvel {

struct ListCampaign {
  int jobs = 1;
  // Whether the isotopy marks are set (a run over the list itself); a shard leaves them to the
  // merge and only puts the knots' own lines in.
  bool marksInListOrder = true;
  // The knots the run computes, by their place among the list's knot lines from 0; every knot
  // when empty.
  std::function<bool(int64_t place)> owns;
};

// Where a campaign's lines go: called with the list in memory once new lines are in.
class CampaignOutput {
 public:
  virtual ~CampaignOutput() = default;
  // False, with the failure set, when the lines could not be saved.
  virtual bool Save(const KnotList& list, FailureState& failure) = 0;
};

enum class CampaignEnd { done, stopped, failed };

// Computes the knots of `list` that the campaign owns and that a run still takes, with the
// workbench's settings and cycle limit, in `campaign.jobs` worker processes; reports each finished
// knot through the workbench's surface and events; stops when the surface asks for it (a signal,
// the time limit). A worker that ends without its result fails the run, naming the knot's line.
CampaignEnd RunListCampaign(Workbench& workbench, KnotList& list, const ListCampaign& campaign,
                            CampaignOutput& output);

}  // namespace quarvel
