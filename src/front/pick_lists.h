#pragma once
// Picking a braid from the three lists of the main window. Each pick of an entry puts its braid
// into the braid edit box, clears the file-name box (the picked file itself stays picked) and sets
// the other two lists back to their header lines. Headers and separators change nothing.

#include "front/main_window_options.h"

namespace quarvel {

void knotListSelect(MainWindowOptions& options, int position);
void examplesListSelect(MainWindowOptions& options, int position);
// The entry's text from its "{" onward goes into the edit box, a note after the braid included.
// A table knot found by name (group/table_knots.h): its diagram goes into the edit box and no pick
// list shows a selection; false, with nothing changed, for a name no table holds.
bool tableKnotSelect(MainWindowOptions& options, std::string_view name);

void mutantsListSelect(MainWindowOptions& options, int position);

}  // namespace quarvel
