#pragma once
// The output files of the reports: ASCII text in the run's output directory (by default the working
// directory), every line ended by CR LF.
//
// A report file is created anew (an existing file is truncated) or, for the GAP file's trailing
// description, written on by the writer that holds it open. A file that cannot be created or
// written whole fails the run with "Can not write the file NAME" when its writer closes it.

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "base/run_settings.h"

namespace quarvel {

inline constexpr const char* kResultsFileName = "quarvel_results.txt";
inline constexpr const char* kLatexReportName = "quarvel_latex.tex";
inline constexpr const char* kMatrixFileName = "quarvel_matrix.txt";
inline constexpr const char* kGapFileName = "quarvel_matrix_gap.txt";

// Where the report file `name` of a run goes: the output directory, else the working directory.
inline std::string ReportPath(const RunSettings& settings, std::string_view name) {
  return settings.outputDirectory + std::string(name);
}

class ReportFile {
 public:
  // Creates `name` anew.
  explicit ReportFile(const std::string& name);

  bool IsOpen() const { return out_.is_open(); }
  // Closes the file; when it could not be created or a line was not written, fails the run with
  // "Can not write the file NAME" unless the run failed before.
  void Close(FailureState& failure);
  // Writes text and CR LF.
  void Line(std::string_view text);
  // Writes prefix and text as one line.
  void Line(std::string_view prefix, std::string_view text);

 private:
  std::string name_;
  std::ofstream out_;
};

// The lines of a report file without their line ends (a lone LF ends a line as well); an absent
// file has none.
std::vector<std::string> ReadReportLines(const std::string& name);

}  // namespace quarvel
