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

// The font the computation panels draw with. The panel layouts place a subscript 99 pixels to the
// right of "Permutation group: S" and the next status 150 pixels further, so this font is the
// narrow one that keeps those texts apart.
QFont PanelFont();

// The braid pick lists: a pixel smaller than the controls, so that their header lines fit the
// narrow left side of the main window.
QFont PickListFont();

// A trefoil on a white tile, the same picture as the installed quarvel.svg.
QIcon WorkbenchIcon();

}  // namespace quarvel::ui
