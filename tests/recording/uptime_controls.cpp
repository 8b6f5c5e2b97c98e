#include "tests/recording/uptime_controls.h"

#include "core/control_numbers.h"
#include "platform/toolkit.h"

namespace lumidor::testing {

void CreateUptimeControls() {
    using platform::ControlKind;
    platform::CreateMainWindow({"Lumidor", 0, 0, 395, 320, true, {}});
    platform::CreateControl({control::TabPanel, ControlKind::TabPanel, 0, -2, -2, 395, 295, ""});
    platform::AddTab("Aktuell");
    const char* captions[] = {
        "Jahre:", "Monate:", "Wochen:", "Tage:", "Stunden:", "Minuten:", "Sekunden:"};
    for (int unit = 0; unit < 7; ++unit) {
        const int y = 20 + 28 * unit;
        platform::CreateControl({control::YearsCaption + 2 * unit, ControlKind::Label, 0, 30, y, 80,
                                 20, captions[unit]});
        platform::CreateControl({control::YearsField + 2 * unit, ControlKind::RightAlignedLabel, 0,
                                 120, y, 60, 20, "0"});
    }
    platform::CreateControl({control::CounterWarningLabel, ControlKind::WrappingLabel, 0, 29, 238,
                             310, 29,
                             "Kein Hochleistung-Counter gefunden. Standard-Counter mit "
                             "49,7-Tage-Beschränkung ist in Verwendung."});
    platform::ShowControl(control::CounterWarningLabel, false);
}

} // namespace lumidor::testing
