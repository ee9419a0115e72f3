#include "run/run_events.h"

namespace quarvel {

RunEvents& NoRunEvents() {
  // Holds no state, so every workbench without a recorder can share it.
  static RunEvents none;
  return none;
}

}  // namespace quarvel
