// The main window with everything in it, built once at start.
#pragma once

#include "core/app.h"

namespace lumidor {

// The window (hidden in recording mode), its callback, the status bar, the
// notification icon (recording mode), the tab panel with all controls and
// their initial states. False when the window cannot be created; then nothing
// else is made.
bool BuildMainWindow(App& app);

} // namespace lumidor
