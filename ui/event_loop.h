// The event loop: serves the controls and the notification icon until the
// window is closed.
#pragma once

#include "core/app.h"
#include "platform/toolkit.h"

namespace lumidor {

// Returns once the close event has come.
void RunEventLoop(App& app);

// One event of the loop; the close event does nothing here.
void HandleEvent(App& app, const platform::Event& event);

} // namespace lumidor
