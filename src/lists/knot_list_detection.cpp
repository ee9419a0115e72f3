#include "lists/knot_list_detection.h"

#include <fstream>

#include "group/diagram_text.h"
#include "group/input_file_check.h"
#include "group/presentation_file.h"
#include "run/picked_file.h"

namespace quarvel {
namespace {

bool ReadListLine(std::istream& in, std::string& line) {
  do {
    if (!ReadFileLine(in, line)) return false;
  } while (line.starts_with("%") || line.find_first_not_of(" \t") == std::string::npos);
  if (line.starts_with("x_") || line.starts_with(" x_")) line.clear();
  return true;
}

}  // namespace

bool IsKnotList(std::istream& in) {
  std::string first;
  std::string second;
  if (!ReadListLine(in, first) || !ReadListLine(in, second)) return false;
  return FindDiagram(first).Found() || FindDiagram(second).Found();
}

bool PickedFileIsKnotList(const RunSettings& s) {
  if (s.knownKnotList) return true;
  if (UnusableFileReason(PickedPath(s))) return false;
  std::ifstream in(PickedPath(s), std::ios::binary);
  return in && IsKnotList(in);
}

}  // namespace quarvel
