#include "run/picked_file.h"

#include <fstream>

#include "group/input_file_check.h"

namespace quarvel {

std::string PickedPath(const RunSettings& settings) {
  return settings.inputDirectory + settings.inputName;
}

void CheckPickedFile(Workbench& wb) {
  if (auto reason = UnusableFileReason(PickedPath(wb.settings))) Fail(wb.failure, *reason);
}

PreScan PreScanPresentationFile(Workbench& wb) {
  std::ifstream in(PickedPath(wb.settings), std::ios::binary);
  if (!in) {
    Fail(wb.failure, "Can not open the file " + PickedPath(wb.settings));
    return PreScan{};
  }
  return PreScanPresentation(in);
}

void ReadPresentationFile(Workbench& wb) {
  std::ifstream in(PickedPath(wb.settings), std::ios::binary);
  if (!in) return Fail(wb.failure, "Can not open the file " + PickedPath(wb.settings));
  Result<FilePresentation> read = ReadPresentation(in);
  if (!read) return Fail(wb.failure, read.error());
  if (read->relators.empty()) {
    return Fail(wb.failure, "No relator could be read from the file " + PickedPath(wb.settings));
  }
  ReplaceRelators(wb.presentation, read->relators);
  wb.presentation.phi = read->phi;
}

}  // namespace quarvel
