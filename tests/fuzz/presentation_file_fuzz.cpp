// Any bytes as a picked presentation file, through the whole file input of a run: the pre-scan, a
// braid line (with its export files) or the format I or format II reader, the presentation display
// and the simplification at low effort. A braid's export file must read back as the relators the
// braid gave.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/headless_surface.h"
#include "fuzz_checks.h"
#include "fuzz_folder.h"
#include "group/presentation_file.h"
#include "run/prepare_presentation.h"
#include "simplify/simplify_presentation.h"

namespace quarvel::fuzz {
namespace {

constexpr int32_t kLowEffort = 20;
constexpr const char* kInputName = "group.txt";

// The crossing relators of the export file, expanded, are the first relators the braid gave.
void RequireExportReadsBack(const std::filesystem::path& exported, const Presentation& built) {
  std::ifstream in(exported, std::ios::binary);
  Require(static_cast<bool>(in), "the export file was written");
  Result<FilePresentation> read = ReadFormatOne(in);
  Require(read.ok(), "the export file reads without failure");
  Require(static_cast<int64_t>(read->relators.size()) <= built.inputRelatorCount,
          "no more crossing lines than relators");
  for (size_t r = 0; r < read->relators.size(); ++r) {
    Word plain;
    Require(ExpandWrittenForm(read->relators[r], plain) == WrittenForm::expanded,
            "exported relators are in written form");
    Require(plain == built.inputRelators[r + 1], "an exported relator reads back as built");
  }
}

}  // namespace
}  // namespace quarvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarvel;
  using namespace quarvel::fuzz;
  const std::filesystem::path& folder = TheFuzzFolder();
  std::filesystem::remove(folder / ("knot" + std::string(kInputName) + ".txt"));
  std::ofstream(folder / kInputName, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  HeadlessSurface surface;
  Workbench wb(surface);
  wb.settings.simplifyEffort = kLowEffort;
  wb.current.writeKnotFiles = true;
  wb.settings.inputDirectory = folder.string() + "/";
  wb.settings.inputName = kInputName;
  SetSpaceNames(wb.presentation, GroupType::knot);
  PreparePresentation(wb);

  const std::string path = wb.settings.inputDirectory + kInputName;
  const std::string nothingUsable = "The file " + path + " holds no braid, presentation or knot list";
  const std::string noRelator = "No relator could be read from the file " + path;
  RequireDiagramMessageAmong(
      wb.failure,
      {nothingUsable, noRelator, "Too many relators", "Too many generators",
       "Presentation not of the required form", "Out of memory", " Homomorphism phi is not well-defined ",
       "Can not read the relations, they have to be of the form \"x_{3} x_{2} x_{3}^{-1} x_{1}^{-1}\"",
       "Not a valid braid description", "Braid description has to many strands",
       "Braid has to many crossings"});
  const Presentation& p = wb.presentation;
  if (wb.failure.computationFailed || wb.panels.flags.stopRequested) return 0;
  RequirePlainPresentation(p);
  if (!p.braidText.empty()) RequireExportReadsBack(folder / ("knot" + std::string(kInputName) + ".txt"), p);
  return 0;
}
