// The chart tab's picture: the chart of the selected view and period.
#pragma once

#include "core/app.h"

namespace lumidor {

// Draws the chart of the view selector's index and the period selector's text
// (empty without a selection) on ChartImage and shows it in the chart view.
void ShowSelectedChart(App& app);

} // namespace lumidor
