#pragma once
// The look every window of the workbench shares: one widget style and one font, so that the fixed
// pixel layouts of the windows hold on every machine, and the smaller font of the text panels.

#include <QFont>
#include <QIcon>

class QApplication;

namespace quarvel::ui {

// Fusion style, the workbench font and the window icon for the whole application.
void ApplyWorkbenchLook(QApplication& app);

// The font of the controls: narrow enough that the long option texts fit their lists.
QFont WorkbenchFont();

// The font of the computation panels: a fixed-pitch font, so that the columns the computation's
// pixel positions give line up, at a size whose characters are barely wider than the five pixels
// those positions assume.
QFont PanelFont();

// The braid pick lists: a pixel smaller than the controls, so that their header lines fit the
// narrow left side of the main window.
QFont PickListFont();

// A trefoil on a white tile, the same picture as the installed quarvel.svg.
QIcon WorkbenchIcon();

}  // namespace quarvel::ui
