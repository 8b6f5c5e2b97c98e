#include "reports/chart_view.h"

#include "core/control_numbers.h"
#include "platform/toolkit.h"
#include "reports/usage_chart.h"

namespace lumidor {

void ShowSelectedChart(App& app) {
    DrawUsageChart(app.ChartImage, app, platform::ControlState(control::ViewSelector),
                   platform::ControlText(control::PeriodSelector));
    platform::ShowImage(control::ChartView, app.ChartImage);
}

} // namespace lumidor
