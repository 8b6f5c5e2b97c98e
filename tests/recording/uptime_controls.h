// The main window with the tab "Aktuell" and its uptime captions, fields and
// counter warning label, as the main window builds them.
#pragma once

namespace lumidor::testing {

void CreateUptimeControls();

} // namespace lumidor::testing
