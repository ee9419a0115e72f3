#pragma once
// Worker processes for a parallel list run. Each worker is a child process (fork) with its own
// memory, its own workbench per knot and its own folder; it reads knot tasks from a pipe, computes
// each with ComputeKnotTask and writes the result back. Threads would do as far as shared state
// goes (workbenches share nothing, and the only function-local statics below the drivers are
// constants), but processes keep a failure to one knot: a worker that exhausts the machine's
// memory, crashes or is killed takes nothing but its own knot with it, and the parent, which alone
// writes the list, goes on to leave it whole.
//
// Workers ignore SIGINT, SIGTERM and SIGHUP: the parent stops them (SIGKILL) when it is asked to
// stop. They die with the parent (PR_SET_PDEATHSIG), and end when their task pipe closes.

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/knot_task.h"

namespace quarvel {

// A worker that ended without giving the result of its task.
struct LostWorker {
  KnotTask task;
  int signal = 0;  // the signal that ended it, 0 when it exited
  int exitStatus = 0;
};

// What a wait brought: finished tasks, and workers lost.
struct WorkerNews {
  std::vector<KnotTaskResult> results;
  std::vector<LostWorker> lost;
};

class WorkerPool {
 public:
  using Compute = std::function<KnotTaskResult(const KnotTask&)>;

  // Starts `count` workers; each computes its tasks with `compute` in the worker process.
  // `ready` is false when a worker could not be started.
  WorkerPool(int count, const Compute& compute);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  bool Ready() const { return ready_; }
  // Hands the task to an idle worker; false when none is idle.
  bool Give(const KnotTask& task);
  bool AnyIdle() const;
  bool AnyBusy() const;
  // Waits at most `milliseconds` for news.
  WorkerNews Wait(int milliseconds);
  // Kills every worker and collects it; their tasks are dropped.
  void Stop();

 private:
  struct Worker {
    pid_t pid = -1;
    int tasks = -1;    // the parent writes tasks here
    int results = -1;  // and reads results here
    std::optional<KnotTask> task;
  };
  void Start(const Compute& compute);
  LostWorker Collect(Worker& worker);

  std::vector<Worker> workers_;
  bool ready_ = true;
  void (*previousPipeAction_)(int) = nullptr;
};

}  // namespace quarvel
