#pragma once
// Pictures of the workbench for the documentation: the main window on its first screen and in
// both modes, both computation windows after a run on the figure-eight knot, the two help screens
// and the about box, written as PNG files into one folder.

#include <QString>

namespace quarvel::ui {

// Returns 0 when every picture was written; reports failures on stderr. It works in a temporary
// folder, where the runs also write their report files: nothing lands in the working folder.
int WriteScreenshots(const QString& folder);

}  // namespace quarvel::ui
