#include "reports/results_file.h"

#include "reports/latex_details.h"
#include "reports/report_sections.h"

namespace quarvel {
namespace {

constexpr size_t kSeparatorLength = 58;

// The LaTeX report's computational details begin after this line; they are never kept.
bool EndsKeptLines(const std::string& line) {
  return line == "%";
}

std::string BlockSeparator(bool latex) {
  return (latex ? "%" : "") + std::string(kSeparatorLength, '=');
}

bool IsBlockSeparator(const std::string& line, bool latex) {
  return line.starts_with(latex ? "%=" : "=");
}

struct Phrases {
  std::string notFibered;  // what the "not fibered" block's title says
  std::string bound;       // what the "best bound" block's title bounds
};

Phrases PhrasesFor(GroupType groupType, bool latex) {
  const std::string phi = latex ? "$\\phi$" : "phi";
  const std::string knot = latex ? "knot $K$" : "K";
  if (groupType == GroupType::knot) return {"knot is not fibered", "genus of " + knot};
  if (groupType == GroupType::link) return {"link does not fiber over " + phi, "Thurston norm of " + phi};
  return {"manifold does not fiber over " + phi, "Thurston norm of " + phi};
}

// A block about the current representation, after the blocks before it.
void WriteNewBlock(const Workbench& wb, ReportFile& file, bool latex, const std::string& plainTitle,
                   const std::string& latexTitle) {
  if (latex) file.Line("\\\\");
  file.Line(BlockSeparator(latex));
  file.Line(latex ? latexTitle : plainTitle);
  if (latex) file.Line("\\\\");
  WriteRepresentationSection(wb, file, false, "", latex);
}

}  // namespace

std::vector<std::string> ReadKeptLines(const std::string& name) {
  std::vector<std::string> kept;
  for (std::string& line : ReadReportLines(name)) {
    kept.push_back(std::move(line));
    if (EndsKeptLines(kept.back())) return kept;
  }
  return kept;
}

void CopyKeptBlocks(const std::vector<std::string>& kept, const std::string& searchText, bool latex,
                    ReportFile& file) {
  size_t i = 0;
  while (i < kept.size() && !EndsKeptLines(kept[i])) {
    if (kept[i].find(searchText) == std::string::npos) {
      ++i;
      continue;
    }
    size_t end = i + 1;
    while (end < kept.size() && !EndsKeptLines(kept[end]) && !IsBlockSeparator(kept[end], latex)) ++end;
    for (size_t line = i > 0 ? i - 1 : i; line < end; ++line) file.Line(kept[line]);
    i = end;
  }
}

void WriteResults(Workbench& wb) {
  const SaveMode mode = wb.settings.saveMode;
  if (mode == SaveMode::none) return;
  const bool latex = mode == SaveMode::latex;
  const std::string name = ReportPath(wb.settings, latex ? kLatexReportName : kResultsFileName);
  const Phrases phrases = PhrasesFor(wb.current.groupType, latex);
  const EvaluationState& e = wb.evaluation;

  std::vector<std::string> kept;
  if (!wb.run.firstWrite) kept = ReadKeptLines(name);
  wb.run.firstWrite = false;
  ReportFile file(name);

  WriteRunHeader(wb, file, false, "", latex);
  file.Line(BlockSeparator(latex));
  file.Line(latex ? "\\\\ \\\\ { \\bf{Last representation computed:}} \\\\"
                  : "Last representation computed:");
  WriteRepresentationSection(wb, file, false, "", latex);

  const std::string shows = "Representation which shows that the " + phrases.notFibered;
  if (e.showsNotFibered) {
    WriteNewBlock(wb, file, latex, shows, "\\\\ {\\bf{" + shows + ":} }");
  } else {
    CopyKeptBlocks(kept, "that the " + phrases.notFibered, latex, file);
  }

  const std::string best = "Representation which gives the best bound on the " + phrases.bound;
  if (e.improvedBound) {
    WriteNewBlock(wb, file, latex, best, "\\\\ {\\bf{" + best + "}}");
  } else {
    CopyKeptBlocks(kept, "which gives the best", latex, file);
  }

  if (latex) WriteComputationalDetails(wb, file);
  file.Close(wb.failure);
}

}  // namespace quarvel
