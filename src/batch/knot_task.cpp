#include "batch/knot_task.h"

#include <fstream>

#include "base/headless_surface.h"
#include "isotopy/isotopy_driver.h"
#include "lists/knot_list.h"
#include "norm/norm_driver.h"
#include "run/run_events.h"
#include "run/workbench.h"

namespace quarvel {
namespace {

constexpr const char* kKnotListName = "knot.txt";

// Keeps what the run says of its finished knot.
class FinishedKnot : public RunEvents {
 public:
  void ListLineFinished(const ListLineRecord& line) override {
    result = line.result;
    finished = true;
  }
  std::string result;
  bool finished = false;
};

RunSettings OneKnotListSettings(const RunSettings& run, const KnotTask& task, const std::string& folder) {
  RunSettings settings = run;
  settings.inputDirectory = folder + "/";
  settings.inputName = kKnotListName;
  settings.knownKnotList = true;
  settings.saveMode = settings.isotopySaveMode = SaveMode::none;
  settings.matrixSaveMode = MatrixSaveMode::none;
  if (settings.normMode) settings.degreeK = task.size;
  return settings;
}

}  // namespace

KnotTaskResult ComputeKnotTask(const KnotTaskSettings& taskSettings, const KnotTask& task,
                               const std::string& folder) {
  KnotTaskResult result;
  result.lineNumber = task.lineNumber;
  result.size = task.size;
  const std::string path = folder + "/" + kKnotListName;
  {
    std::ofstream list(path, std::ios::binary | std::ios::trunc);
    list << task.line << "\nend\n";
    if (!list.flush()) {
      result.error = "Cannot write the knot list " + path;
      return result;
    }
  }
  HeadlessSurface surface;
  FinishedKnot finished;
  Workbench wb(surface, finished);
  wb.settings = OneKnotListSettings(taskSettings.settings, task, folder);
  wb.run.representationLimit = taskSettings.representationLimit;
  wb.run.singlePass = true;
  if (wb.settings.isotopyMode) {
    RunIsotopy(wb);
  } else {
    RunNormMode(wb);
  }
  KnotList list;
  FailureState failure;
  if (!finished.finished || !ReadKnotList(path, list, failure) || list.Count() < 1) {
    result.error = wb.failure.errorMessage.empty() ? "The knot was not computed" : wb.failure.errorMessage;
    return result;
  }
  result.done = true;
  result.line = list.Line(1);
  result.summary = finished.result;
  return result;
}

}  // namespace quarvel
