#include "front/pick_lists.h"

#include "group/knot_tables.h"
#include "group/table_knots.h"

namespace quarvel {

void knotListSelect(MainWindowOptions& options, int position) {
  if (position <= 0) return;
  options.knotListPosition = position;
  options.fileNameBox.clear();
  options.braidEditText = std::string(KnotBraid(position));
  options.examplesListPosition = 0;
  options.mutantsListPosition = 0;
}

void examplesListSelect(MainWindowOptions& options, int position) {
  if (position <= 0) return;
  options.examplesListPosition = position;
  options.fileNameBox.clear();
  options.knotListPosition = 0;
  options.mutantsListPosition = 0;
  options.braidEditText = std::string(ExampleBraid(position));
}

bool tableKnotSelect(MainWindowOptions& options, std::string_view name) {
  std::optional<std::string> diagram = TableKnotDiagram(name);
  if (!diagram) return false;
  options.braidEditText = *diagram;
  options.fileNameBox.clear();
  options.knotListPosition = 0;
  options.examplesListPosition = 0;
  options.mutantsListPosition = 0;
  return true;
}

void mutantsListSelect(MainWindowOptions& options, int position) {
  if (position <= 0) return;
  std::string_view entry = MutantsListEntry(position);
  if (entry.starts_with("*")) return;
  options.mutantsListPosition = position;
  size_t brace = entry.find('{');
  options.braidEditText = brace == std::string_view::npos ? std::string() : std::string(entry.substr(brace));
  options.fileNameBox.clear();
  options.examplesListPosition = 0;
  options.knotListPosition = 0;
}

}  // namespace quarvel
