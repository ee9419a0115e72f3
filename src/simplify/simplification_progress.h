#pragma once
// What the elimination trials tell the window while they run. The run stage draws it; library
// callers without a window use NoSimplificationProgress, which shows nothing.

namespace quarvel {

class SimplificationProgress {
 public:
  virtual ~SimplificationProgress() = default;

  // Every fourth trial from the first, for presentations of more than 12 relators (smaller ones
  // are done before anyone could read a notice): `still` is false at trials 1, 9, 17, ... and
  // true at trials 5, 13, 21, ...
  virtual void TrialsGoingOn([[maybe_unused]] bool still) {}
  // The trials ran to their end (not cut short by a stop request).
  virtual void TrialsDone() {}
};

using NoSimplificationProgress = SimplificationProgress;

}  // namespace quarvel
