#include "run/knot_files.h"

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace quarvel {
namespace {

// The crossing's Wirtinger relator in written form with explicit exponents and display letters,
// as the presentation files take it.
std::string ExportCrossingLine(const Crossing& c) {
  auto syllable = [](char sign, int g) { return std::string(1, sign) + "01" + GeneratorLetter(g); };
  return syllable('-', c.underIn) + syllable(c.positive ? '-' : '+', c.over) + syllable('+', c.underOut) +
         syllable(c.positive ? '+' : '-', c.over);
}

bool WriteExportFile(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << "\r\n";
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace

void WriteKnotFiles(Workbench& wb, const ClosedBraid& braid) {
  const int m = braid.CrossingCount();
  std::vector<std::string> crossingLines;
  for (int k = 1; k < m; ++k) crossingLines.push_back(ExportCrossingLine(braid.crossings[k]));
  std::vector<std::string> tail;
  for (int i = 1; i <= m; ++i) tail.push_back(std::string(1, GeneratorLetter(i)) + "1");
  tail.push_back(wb.presentation.braidText);

  std::vector<std::string> knot = crossingLines;
  knot.insert(knot.end(), tail.begin(), tail.end());
  std::vector<std::string> mfd = crossingLines;
  mfd.push_back(WordToText(braid.longitude, false));
  mfd.insert(mfd.end(), tail.begin(), tail.end());

  const RunSettings& s = wb.settings;
  for (const auto& [prefix, lines] : {std::pair{"knot", &knot}, std::pair{"mfd", &mfd}}) {
    const std::string& directory = s.outputDirectory.empty() ? s.inputDirectory : s.outputDirectory;
    std::string path = directory + prefix + s.inputName + ".txt";
    if (!WriteExportFile(path, *lines)) return Fail(wb.failure, "Can not write the file " + path);
  }
}

}  // namespace quarvel
