#pragma once
// What a long computation sees of the run around it: it hands pending window messages on, waits
// out a pause, and learns that the run is asked to stop. Library callers that run without a
// window use NoRunControl: nothing to pump, never paused, never stopped.

namespace quarvel {

class RunControl {
 public:
  virtual ~RunControl() = default;

  // Handles pending window messages once.
  virtual void PumpMessages() {}
  // Handles pending messages, and keeps doing so while paused and not asked to stop.
  virtual void KeepWindowAlive() {}
  virtual bool StopRequested() const { return false; }
  virtual bool Paused() const { return false; }
};

using NoRunControl = RunControl;

}  // namespace quarvel
