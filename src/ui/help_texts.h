#pragma once
// The texts of the help screens, the about box and the two mode descriptions of the main window.

#include <QString>
#include <vector>

#include "ui/help_windows.h"

namespace quarvel::ui {

// "Overview", "Description of groups", "Representations", "The math", "Lists of knots".
std::vector<HelpTopic> NormHelpTopics();
// "Overview", "Lists of knots", "Group description".
std::vector<HelpTopic> IsotopyHelpTopics();
QString AboutHtml();

// The boxes below the two mode buttons.
QString NormModeDescription();
QString IsotopyModeDescription();

}  // namespace quarvel::ui
