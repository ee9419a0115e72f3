#include "isotopy/isotopy_panel_reports.h"
