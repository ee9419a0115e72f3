#include "reports/report_file.h"

namespace quarvel {

ReportFile::ReportFile(const std::string& name)
    : name_(name), out_(name, std::ios::binary | std::ios::trunc) {}

void ReportFile::Close(FailureState& failure) {
  out_.close();
  if (!out_ && !failure.computationFailed) Fail(failure, "Can not write the file " + name_);
}

void ReportFile::Line(std::string_view text) {
  out_ << text << "\r\n";
}

void ReportFile::Line(std::string_view prefix, std::string_view text) {
  out_ << prefix << text << "\r\n";
}

std::vector<std::string> ReadReportLines(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace quarvel
