// The window callback: the first to see every message of the main window. It
// ends the run cleanly when the window closes or Windows ends the session, and
// in recording mode hides instead of minimising and asks before closing.
#pragma once

#include "core/app.h"

#include <cstdint>
#include <optional>

namespace lumidor {

// A result ends the message; nullopt lets the toolkit handle it as usual.
std::optional<std::intptr_t> HandleWindowMessage(App& app, unsigned message, std::uintptr_t first,
                                                 std::intptr_t second);

// Stops the timer, stores minutes still waiting in memory, removes the notification icon, deletes
// usage files beyond the limits, saves the settings, and in recording mode appends the session. It
// may run twice (a cancelled end of the Windows session, then a close); the second run repeats
// every step, but the session is appended only once.
void RunShutdownSequence(App& app);

} // namespace lumidor
