// The program's entry: the start sequence, the event loop, the end steps.
#pragma once

#include "core/app.h"

#include <filesystem>
#include <string_view>

namespace lumidor {

// Drawing resources, data folders and run mode, in that order; in recording
// mode the session's switch-on is taken here, before any window exists.
void PrepareApp(App& app, const std::filesystem::path& programFile, std::string_view commandLine);

// The rest of the start on a prepared app: the window and its controls, the
// settings, the timer and the history; then the event loop until the window
// closes. Returns at once when the window cannot be created.
void RunStartedApp(App& app);

// The whole run of the program, end steps included. Always 0.
int RunLumidor();

} // namespace lumidor
